#include "download/window/DownloadQueue.h"

#include <algorithm>
#include <chrono>

#include <QDateTime>
#include <QPointer>
#include <QSettings>

#include "catalog/ContentGroup.h"
#include "catalog/ContentTypeTable.h"
#include "download/CatalogItemLookup.h"
#include "download/DownloadFolder.h"
#include "download/FileDownload.h"

namespace {

constexpr char kSettingsArray[] = "Downloads";

// Progress goes to the GUI thread at most this often.
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

// A download still active when the list is kept ends with the program:
// it is kept as cancelled.
QString StateName(DownloadEntry::State state)
{
    switch (state) {
    case DownloadEntry::State::Finished:
        return QStringLiteral("finished");
    case DownloadEntry::State::Failed:
        return QStringLiteral("failed");
    default:
        return QStringLiteral("cancelled");
    }
}

DownloadEntry::State StateOfName(const QString& name)
{
    if (name == QLatin1String("finished"))
        return DownloadEntry::State::Finished;
    if (name == QLatin1String("cancelled"))
        return DownloadEntry::State::Cancelled;
    return DownloadEntry::State::Failed;
}

} // namespace

DownloadQueue::DownloadQueue(QObject* parent) : QObject(parent), m_folder(VantoryDownloadFolder())
{
}

DownloadQueue::~DownloadQueue()
{
    if (GetDownloadLinks() == this)
        SetDownloadLinks(nullptr);
    for (auto& [id, job] : m_jobs)
        job.cancel->store(true);
    for (auto& [id, job] : m_jobs)
        if (job.thread.joinable())
            job.thread.join();
}

DownloadEntry* DownloadQueue::Find(int id)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [id](const DownloadEntry& e) { return e.id == id; });
    return it == m_entries.end() ? nullptr : &*it;
}

const DownloadEntry* DownloadQueue::Entry(int id) const
{
    return const_cast<DownloadQueue*>(this)->Find(id);
}

int DownloadQueue::Add(const QString& address, const QString& label, const QString& typeTitle)
{
    DownloadEntry entry;
    entry.id = m_nextId++;
    entry.address = address;
    entry.label = label;
    entry.typeTitle = typeTitle;
    m_entries.push_back(entry);
    emit EntriesChanged();
    StartWaiting();
    return entry.id;
}

void DownloadQueue::StartWaiting()
{
    for (DownloadEntry& entry : m_entries) {
        if (static_cast<int>(m_jobs.size()) >= MAX_RUNNING)
            return;
        if (entry.state == DownloadEntry::State::Waiting)
            Start(entry);
    }
}

void DownloadQueue::Start(DownloadEntry& entry)
{
    entry.state = DownloadEntry::State::Downloading;
    entry.received = 0;
    entry.total = -1;
    entry.speed = 0;
    entry.reason.clear();
    entry.started = QDateTime::currentMSecsSinceEpoch();
    Job& job = m_jobs[entry.id];
    job.cancel = std::make_shared<std::atomic<bool>>(false);
    const int id = entry.id;
    QPointer<DownloadQueue> self(this);
    job.thread = std::thread([self, id, cancel = job.cancel, address = entry.address.toStdString(),
                              label = entry.label.toStdString(), folder = m_folder] {
        auto last = std::chrono::steady_clock::time_point();
        const DownloadResult result =
            DownloadFile(address, folder, label, *cancel, [&](uint64_t received, int64_t total) {
                const auto now = std::chrono::steady_clock::now();
                if (now - last < kProgressInterval)
                    return;
                last = now;
                // The queue waits for this thread before it goes, so it is
                // there to take the call; the call runs on its thread.
                QMetaObject::invokeMethod(self.data(), [self, id, received, total] {
                    if (self)
                        self->OnProgress(id, static_cast<qint64>(received), total);
                }, Qt::QueuedConnection);
            });
        QMetaObject::invokeMethod(self.data(), [self, id, result] {
            if (self)
                self->OnDone(id, result);
        }, Qt::QueuedConnection);
    });
    emit EntryChanged(id);
}

void DownloadQueue::OnProgress(int id, qint64 received, qint64 total)
{
    DownloadEntry* entry = Find(id);
    if (!entry || entry->state != DownloadEntry::State::Downloading)
        return;
    entry->received = received;
    entry->total = total;
    const qint64 elapsed = QDateTime::currentMSecsSinceEpoch() - entry->started;
    entry->speed = elapsed > 0 ? static_cast<double>(received) * 1000.0 / static_cast<double>(elapsed) : 0;
    emit EntryChanged(id);
}

void DownloadQueue::OnDone(int id, const DownloadResult& result)
{
    if (auto job = m_jobs.find(id); job != m_jobs.end()) {
        job->second.thread.join();
        m_jobs.erase(job);
    }
    if (DownloadEntry* entry = Find(id)) {
        entry->received = static_cast<qint64>(result.bytes);
        entry->speed = 0;
        switch (result.end) {
        case DownloadEnd::Finished:
            entry->state = DownloadEntry::State::Finished;
            entry->path = QString::fromStdString(result.path.string());
            break;
        case DownloadEnd::Cancelled:
            entry->state = DownloadEntry::State::Cancelled;
            break;
        case DownloadEnd::Failed:
            entry->state = DownloadEntry::State::Failed;
            entry->reason = QString::fromStdString(result.reason);
            break;
        }
        emit EntryChanged(id);
        if (result.end == DownloadEnd::Finished)
            emit Finished(id);
    }
    StartWaiting();
}

void DownloadQueue::Cancel(int id)
{
    DownloadEntry* entry = Find(id);
    if (!entry || !entry->IsActive())
        return;
    if (auto job = m_jobs.find(id); job != m_jobs.end()) {
        // The thread ends soon and reports the download cancelled.
        job->second.cancel->store(true);
        return;
    }
    entry->state = DownloadEntry::State::Cancelled;
    emit EntryChanged(id);
}

void DownloadQueue::Retry(int id)
{
    DownloadEntry* entry = Find(id);
    if (!entry || (entry->state != DownloadEntry::State::Failed && entry->state != DownloadEntry::State::Cancelled))
        return;
    entry->state = DownloadEntry::State::Waiting;
    entry->reason.clear();
    entry->received = 0;
    emit EntryChanged(id);
    StartWaiting();
}

void DownloadQueue::ClearFinished()
{
    const auto end = std::remove_if(m_entries.begin(), m_entries.end(),
                                    [](const DownloadEntry& e) { return !e.IsActive(); });
    if (end == m_entries.end())
        return;
    m_entries.erase(end, m_entries.end());
    emit EntriesChanged();
}

void DownloadQueue::CancelAll()
{
    for (const DownloadEntry& entry : std::vector<DownloadEntry>(m_entries))
        Cancel(entry.id);
}

int DownloadQueue::ActiveCount() const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(),
                                          [](const DownloadEntry& e) { return e.IsActive(); }));
}

QString DownloadQueue::Summary() const
{
    const int active = ActiveCount();
    if (active == 0)
        return {};
    qint64 received = 0;
    qint64 total = 0;
    bool sized = true;
    for (const DownloadEntry& entry : m_entries) {
        if (!entry.IsActive())
            continue;
        received += entry.received;
        sized = sized && entry.total > 0;
        total += std::max<qint64>(0, entry.total);
    }
    QString text = active == 1 ? QStringLiteral("Downloading 1 file") : QStringLiteral("Downloading %1 files").arg(active);
    if (sized && total > 0)
        text += QStringLiteral(": %1%").arg(received * 100 / total);
    return text;
}

void DownloadQueue::Save(QSettings& settings) const
{
    settings.beginWriteArray(QLatin1String(kSettingsArray), static_cast<int>(m_entries.size()));
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
        const DownloadEntry& entry = m_entries[static_cast<size_t>(i)];
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("address"), entry.address);
        settings.setValue(QStringLiteral("label"), entry.label);
        settings.setValue(QStringLiteral("type"), entry.typeTitle);
        settings.setValue(QStringLiteral("path"), entry.path);
        settings.setValue(QStringLiteral("state"), StateName(entry.state));
        settings.setValue(QStringLiteral("reason"), entry.reason);
        settings.setValue(QStringLiteral("bytes"), entry.received);
    }
    settings.endArray();
}

void DownloadQueue::Load(QSettings& settings)
{
    const int count = settings.beginReadArray(QLatin1String(kSettingsArray));
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        DownloadEntry entry;
        entry.id = m_nextId++;
        entry.address = settings.value(QStringLiteral("address")).toString();
        entry.label = settings.value(QStringLiteral("label")).toString();
        entry.typeTitle = settings.value(QStringLiteral("type")).toString();
        entry.path = settings.value(QStringLiteral("path")).toString();
        entry.state = StateOfName(settings.value(QStringLiteral("state")).toString());
        entry.reason = settings.value(QStringLiteral("reason")).toString();
        entry.received = settings.value(QStringLiteral("bytes")).toLongLong();
        if (!entry.address.isEmpty())
            m_entries.push_back(entry);
    }
    settings.endArray();
    emit EntriesChanged();
}

bool DownloadQueue::StartDownload(const std::string& address)
{
    const std::optional<CatalogItemRef> item = FindItemByAddress(address);
    const ContentGroup* group = item ? GroupOfItem(*item) : nullptr;
    if (!group)
        return false;
    const ContentTypeInfo* type = FindContentType(item->type);
    const auto i = static_cast<size_t>(item->item);
    // Kept as the page's link has it, so that the link can be marked.
    Add(QString::fromStdString(DownloadAddressOf(*group, i)), QString::fromStdString(ItemLabelOf(*group, i)),
        type ? QString::fromUtf8(type->title.data(), static_cast<qsizetype>(type->title.size())) : QString());
    return true;
}

std::vector<std::string> DownloadQueue::DownloadedAddresses() const
{
    std::vector<std::string> addresses;
    for (const DownloadEntry& entry : m_entries)
        if (entry.state == DownloadEntry::State::Finished)
            addresses.push_back(entry.address.toStdString());
    return addresses;
}
