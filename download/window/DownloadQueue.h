#pragma once

#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include <QObject>

#include "download/window/DownloadEntry.h"
#include "pages/DownloadLinks.h"

class QSettings;
struct DownloadResult;

// The window's downloads: each runs on a thread of its own, at most three
// at once, the rest waiting in order; what they do comes back to the GUI
// thread as signals. Item download links of the pages start them
// (DownloadLinks). The list is kept in the settings.
class DownloadQueue : public QObject, public DownloadLinks
{
    Q_OBJECT

public:
    static constexpr int MAX_RUNNING = 3;

    explicit DownloadQueue(QObject* parent = nullptr);
    // Cancels what runs and waits for its threads; nothing is left behind.
    ~DownloadQueue() override;

    // Where files go; VantoryDownloadFolder() unless set.
    void SetFolder(std::filesystem::path folder) { m_folder = std::move(folder); }
    const std::filesystem::path& Folder() const { return m_folder; }

    // A new row for the address, waiting until a place is free.
    int Add(const QString& address, const QString& label, const QString& typeTitle);
    void Cancel(int id);
    // A failed or cancelled download, again from the start.
    void Retry(int id);
    // Removes every row that is no longer active.
    void ClearFinished();
    // Cancels every active download.
    void CancelAll();

    const std::vector<DownloadEntry>& Entries() const { return m_entries; }
    const DownloadEntry* Entry(int id) const;
    int ActiveCount() const;
    // "Downloading 2 files: 4.5 MB of 9 MB" while downloads are active; "" otherwise.
    QString Summary() const;

    // The list as the settings keep it; rows that were active come back as
    // cancelled, since their transfer is gone.
    void Save(QSettings& settings) const;
    void Load(QSettings& settings);

    bool StartDownload(const std::string& address) override;
    std::vector<std::string> DownloadedAddresses() const override;

signals:
    void EntriesChanged();     // rows added or removed
    void EntryChanged(int id); // a row's state or progress
    void Finished(int id);     // a download saved its file

private:
    struct Job
    {
        std::shared_ptr<std::atomic<bool>> cancel;
        std::thread thread;
    };

    DownloadEntry* Find(int id);
    void StartWaiting();
    void Start(DownloadEntry& entry);
    void OnProgress(int id, qint64 received, qint64 total);
    void OnDone(int id, const DownloadResult& result);

    std::filesystem::path m_folder;
    std::vector<DownloadEntry> m_entries;
    std::map<int, Job> m_jobs;
    int m_nextId = 1;
};
