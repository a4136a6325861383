#pragma once

#include <QWidget>

class DownloadQueue;
class DownloadRow;
class QLabel;
class QListWidget;
class QPushButton;

// The downloads list: a window of its own beside the main window, a row
// per download, newest last, with "Clear finished" and the folder.
class DownloadsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DownloadsWindow(DownloadQueue& queue, QWidget* parent = nullptr);

    // Shows the window in front, without taking the focus from the page
    // when `activate` is false.
    void Present(bool activate);

    DownloadRow* Row(int id) const;

private:
    void Rebuild();
    void Refresh(int id);
    // Clear Finished is there for rows that are over.
    void UpdateClearButton();
    void OpenFile(int id);
    void ShowInFolder(int id);

    DownloadQueue& m_queue;
    QListWidget* m_list;
    QLabel* m_empty;
    QPushButton* m_clear;
    bool m_placed = false;
};
