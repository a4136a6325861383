#include "updater/CatalogUpdater.h"

#include <algorithm>
#include <cerrno>
#include <string_view>

#include "catalog/CatalogPaths.h"
#include "catalog/ContentTypeTable.h"
#include "catalog/AtomicFileWriter.h"
#include "catalog/TextFile.h"
#include "updater/GroupStaging.h"
#include "updater/HttpFetch.h"
#include "updater/ServerDocument.h"
#include "updater/UpdateFiles.h"
#include "updater/UpdateRequest.h"
#include "xml/XmlQuery.h"

namespace {

constexpr int kItemsPerPage = 30;

// No listing is asked for more pages than this, whatever the server says.
constexpr long long kMaxPages = 10000;

std::string ChildText(const XmlNode& node, std::string_view name)
{
    const XmlNode* child = GetChild(node, name);
    return child ? GetText(*child, SharedOutputOptions()) : std::string();
}

// The text as the server meant it, references decoded and not written
// again: an address is requested as "&", not "&amp;", and a label is shown
// that way.
std::string PlainChildText(const XmlNode& node, std::string_view name)
{
    const XmlNode* child = GetChild(node, name);
    return child ? GetText(*child, XmlOutputOptions{false, nullptr}) : std::string();
}

std::string PagePath(const std::string& groupDir, long long page)
{
    return groupDir + PATH_SEPARATOR + std::to_string(page) + ".xml";
}

// The pages that hold `total` items, rounded up; 0 for none.
long long PagesOfTotal(long long total)
{
    return std::min((std::max(total, 0LL) + kItemsPerPage - 1) / kItemsPerPage, kMaxPages);
}

// The pages of a listing: what it says it has, but never more than its
// items fill, nor more than kMaxPages; page 1 always.
long long PagesOfListing(const ServerDocument& listing)
{
    return std::max(std::min<long long>(listing.MaxPage(), PagesOfTotal(listing.TotalResults())), 1LL);
}

// Text files end at their first zero byte.
std::string_view UpToZero(const std::string& text)
{
    return std::string_view(text.c_str());
}

} // namespace

bool HasMediaFiles(int type)
{
    const ContentTypeInfo* info = FindContentType(type);
    return info && info->HasMediaFiles();
}

std::string MediaFileName(const std::string& itemId)
{
    return GroupFileName(itemId) + ".gif";
}

CatalogUpdater::CatalogUpdater(ProgressTarget& progress, std::string server)
    : m_baseDir(BaseDirectory()), m_progress(progress), m_server(std::move(server)),
      m_mediaBuffer(MEDIA_BUFFER_SIZE)
{
    m_session.SetPump([this] { m_progress.PumpOneMessage(); });
}

void CatalogUpdater::RunUpdate()
{
    m_progress.m_cancelled = false;
    m_progress.SetPos(ProgressTarget::UpperBar, 0);
    m_progress.SetRange(ProgressTarget::UpperBar, 8);
    m_mediaPaths.clear();
    m_mediaUrls.clear();
    // A cancel ends the step it happens in; the remaining steps still run,
    // and their fetches read no body.
    for (int type : CONTENT_TYPE_UPDATE_ORDER)
        UpdateType(type);
    ReceiveMediaFiles();
}

void CatalogUpdater::UpdateType(int type)
{
    const ContentTypeInfo* info = FindContentType(type);
    if (!info)
        return;
    ProgressTarget& progress = m_progress;
    progress.m_upperText = "Updating " + std::string(info->updateLabel) + "...";
    progress.m_lowerText = "Receiving index file...";
    progress.UpdateData();
    progress.SetPos(ProgressTarget::LowerBar, 0);
    progress.UpdateWindow();

    const std::string address = Address(RequestQuery(type, "CAT", "", 1, ""));
    const std::string typeDir = TypeDir(*info);
    if (const int error = MakeDirectory(typeDir)) {
        ReportWriteFailure(typeDir, error);
        m_unmadeDirectories.insert(typeDir);
    }
    // What a run that was killed left behind.
    RemoveLeftStaging(typeDir);
    RemoveStaleTemporaries(typeDir);
    const std::string indexPath = typeDir + PATH_SEPARATOR + "cats.xml";

    std::string text = ReceiveText(address);
    if (!text.empty()) {
        if (ServerDocument(text).IsIndex()) {
            WriteFile(indexPath, UpToZero(text));
        } else {
            ReportFailure(address);
            text.clear();
        }
    }
    if (text.empty())
        text = ReadTextFile(indexPath);
    const ServerDocument index(text);
    const std::vector<const XmlNode*> groups = index.Ressources();
    const int count = static_cast<int>(groups.size());

    progress.SetRange(ProgressTarget::LowerBar, count + 1);
    progress.SetPos(ProgressTarget::LowerBar, 1);
    for (int i = 0; i < count; ++i) {
        if (!UpdateGroup(*info, *groups[i]))
            return;
        progress.SetPos(ProgressTarget::LowerBar, i + 2);
    }
    progress.StepUpperBar();
}

bool CatalogUpdater::UpdateGroup(const ContentTypeInfo& type, const XmlNode& group)
{
    const std::string id(TrimBlanks(ChildText(group, "id")));
    const std::string label = PlainChildText(group, "lib");
    // The directory the loader reads the group from. An id that names no
    // directory of its own ("", ".", "..") would put the group's files
    // beside the type's or above them: such a group is left out.
    const std::string dirName = GroupFileName(id);
    if (!IsContainedName(dirName))
        return true;
    const std::string act(type.listingAct);
    ProgressTarget& progress = m_progress;

    progress.m_lowerText = "Receiving group '" + label + "' information...";
    progress.UpdateData();
    progress.UpdateWindow();
    const std::string infoAddress = Address(RequestQuery(type.code, act, id, 1, "1"));
    const std::string info = ReceiveText(infoAddress);
    const std::string typeDir = TypeDir(type);
    const std::string groupDir = typeDir + PATH_SEPARATOR + dirName;
    RemoveStaleTemporaries(groupDir);

    // Unchanged when the server counts as many items as the local first
    // page says; an answer that is no listing says nothing.
    bool changed = true;
    int localTotal = 0;
    if (!info.empty()) {
        const ServerDocument infoPage(info);
        if (!infoPage.IsListing())
            ReportFailure(infoAddress);
        const std::string local = ReadTextFile(PagePath(groupDir, 1));
        if (!local.empty()) {
            localTotal = LocalTotal(local, 0);
            if (infoPage.IsListing() && infoPage.TotalResults() == localTotal)
                changed = false;
        }
    }

    progress.PumpOneMessage();

    long long pageCount = PagesOfTotal(localTotal);
    if (changed) {
        GroupPages pages{type.code, act, id, label, typeDir, dirName};
        switch (ReceivePages(pages, pageCount)) {
        case PagesResult::Cancelled:
            return false;
        case PagesResult::Failed:
            // The pages on disk are as they were: their list stands, and
            // the group counts as changed at the next update.
            pageCount = PagesOfTotal(LocalTotal(ReadTextFile(PagePath(groupDir, 1)), 0));
            break;
        case PagesResult::Received:
            break;
        }
    }
    return !type.HasMediaFiles() || QueueMediaFiles(type, groupDir, pageCount);
}

CatalogUpdater::PagesResult CatalogUpdater::ReceivePages(const GroupPages& group, long long& pageCount)
{
    ProgressTarget& progress = m_progress;
    const std::string groupDir = group.typeDir + PATH_SEPARATOR + group.dirName;
    GroupStaging staging(group.typeDir, group.dirName,
                         [this](const std::string& path, int error) { ReportWriteFailure(path, error); });
    pageCount = 0;  // until a page of the group has been received
    std::string suffix;
    for (long long page = 1;; ++page) {
        progress.m_lowerText =
            "Receiving group '" + group.label + "' (page " + std::to_string(page) + suffix + ")...";
        progress.UpdateData();
        progress.UpdateWindow();
        const std::string address =
            Address(RequestQuery(group.type, group.act, group.id, static_cast<int>(page), "30"));
        const std::string text = ReceiveText(address);
        bool received = false;
        if (!text.empty()) {
            const ServerDocument listing(text);
            if (!listing.IsListing()) {
                ReportFailure(address);
            } else if (page == 1 && listing.TotalResults() == LocalTotal(ReadTextFile(PagePath(groupDir, 1)), -1)) {
                // The group did not change: page 1 is stored, the other
                // pages on disk stay.
                pageCount = PagesOfListing(listing);
                WriteFile(PagePath(groupDir, 1), UpToZero(text));
                return PagesResult::Received;
            } else {
                received = staging.WritePage(page, UpToZero(text));
                pageCount = PagesOfListing(listing);
                suffix = "/" + std::to_string(pageCount);
            }
        }
        if (progress.m_cancelled)
            return PagesResult::Cancelled;
        // A group is stored whole or not at all.
        if (!received)
            return PagesResult::Failed;
        if (page >= pageCount)
            return staging.Commit() ? PagesResult::Received : PagesResult::Failed;
    }
}

bool CatalogUpdater::QueueMediaFiles(const ContentTypeInfo& type, const std::string& groupDir,
                                     long long pageCount)
{
    for (long long page = 1; page <= std::min(pageCount, kMaxPages); ++page) {
        if (m_progress.m_cancelled)
            return false;
        const std::string text = ReadTextFile(PagePath(groupDir, page));
        if (text.empty())
            continue;
        const ServerDocument listing(text);
        for (const XmlNode* item : listing.Ressources()) {
            const std::string name = MediaFileName(ChildText(*item, "id"));
            if (!IsContainedName(name))
                continue;
            m_mediaPaths.push_back(groupDir + PATH_SEPARATOR + name);
            m_mediaUrls.push_back(PlainChildText(*item, type.mediaElement));
        }
    }
    return true;
}

void CatalogUpdater::ReceiveMediaFiles()
{
    ProgressTarget& progress = m_progress;
    progress.m_upperText = "Receiving media files...";
    progress.UpdateData();
    const int count = static_cast<int>(m_mediaUrls.size());
    progress.SetRange(ProgressTarget::LowerBar, count);
    progress.SetPos(ProgressTarget::LowerBar, 0);
    for (int i = 0; i < count; ++i) {
        progress.m_lowerText =
            "Receiving media file (" + std::to_string(i) + "/" + std::to_string(count) + ")...";
        progress.UpdateData();
        progress.UpdateWindow();
        const std::string& path = m_mediaPaths[static_cast<size_t>(i)];
        // A picture once stored is never fetched again.
        if (!FileExists(path)) {
            int32_t received = 0;
            FetchData(m_session, m_mediaUrls[static_cast<size_t>(i)], m_mediaBuffer.data(), &received,
                      MEDIA_BUFFER_SIZE, &progress.m_cancelled);
            if (received > 0) {
                const std::string_view bytes(reinterpret_cast<const char*>(m_mediaBuffer.data()),
                                             static_cast<size_t>(received));
                WriteFile(path, bytes);
            }
        }
        progress.PumpOneMessage();
        if (progress.m_cancelled)
            return;
        progress.SetPos(ProgressTarget::LowerBar, progress.GetPos(ProgressTarget::LowerBar) + 1);
    }
    progress.StepUpperBar();
}

std::string CatalogUpdater::ReceiveText(const std::string& address)
{
    std::string text;
    if (FetchText(m_session, address, text, &m_progress.m_cancelled) != FETCH_OK) {
        ReportFailure(address);
        return {};
    }
    return text;
}

std::string CatalogUpdater::TypeDir(const ContentTypeInfo& type) const
{
    return m_baseDir + "data" + PATH_SEPARATOR + std::string(type.key);
}

std::string CatalogUpdater::Address(const std::string& query) const
{
    return RequestAddress(m_server, query);
}

void CatalogUpdater::WriteFile(const std::string& path, std::string_view bytes)
{
    int error = 0;
    if (!WriteWholeFile(path, bytes, &error))
        ReportWriteFailure(path, error);
}

void CatalogUpdater::ReportWriteFailure(const std::string& path, int error)
{
    // What could not go into a directory that could not be made has been
    // told already, with the reason why.
    if (error == ENOENT && InUnmadeDirectory(path))
        return;
    m_writeFailures.Add(Reported(path), error);
}

bool CatalogUpdater::InUnmadeDirectory(const std::string& path) const
{
    for (size_t slash = path.rfind(PATH_SEPARATOR); slash != std::string::npos && slash > 0;
         slash = path.rfind(PATH_SEPARATOR, slash - 1))
        if (m_unmadeDirectories.contains(path.substr(0, slash)))
            return true;
    return false;
}

std::string CatalogUpdater::Reported(const std::string& path) const
{
    return path.starts_with(m_baseDir) ? path.substr(m_baseDir.size()) : path;
}

void CatalogUpdater::ReportFailure(const std::string& address)
{
    if (m_onFailure && !m_progress.m_cancelled)
        m_onFailure(address);
}
