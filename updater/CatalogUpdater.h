#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "catalog/WriteFailures.h"
#include "updater/HttpSession.h"
#include "updater/ProgressTarget.h"

class XmlNode;
struct ContentTypeInfo;

// The largest media file that can be received, in bytes.
inline constexpr int MEDIA_BUFFER_SIZE = 50000;

// True for the types whose items have pictures: logos, big logos, Java games.
bool HasMediaFiles(int type);

// The local file name of an item's picture: the id as its group's
// directory is named (GroupFileName), then ".gif".
std::string MediaFileName(const std::string& itemId);

// Refreshes data/ below the current directory from the content server: per
// type the index, the listings of the groups that changed and the list of
// pictures, then the pictures that are not on disk yet. Reports through the
// progress target, which also carries the cancel flag. Whatever fails falls
// back to what is on disk; nothing is written outside data/, every file is
// replaced whole or not at all, and a changed group's pages are replaced
// all together, once every one of them arrived whole, or not at all.
class CatalogUpdater
{
public:
    // server: "host:port". The base directory is the current directory now.
    CatalogUpdater(ProgressTarget& progress, std::string server);

    // The whole update: all seven types, then the media files.
    void RunUpdate();
    // Index, changed groups, pages and media list of one type.
    void UpdateType(int type);
    // Fetches the queued media files that are missing.
    void ReceiveMediaFiles();
    // The body of a text request; "" when it failed.
    std::string ReceiveText(const std::string& address);

    // Called with the address of each text request that failed or whose
    // answer could not be used, unless the update was cancelled.
    void SetFailureHandler(std::function<void(const std::string& address)> handler)
    {
        m_onFailure = std::move(handler);
    }

    HttpSession& Session() { return m_session; }

    // The files the update could not write, by path relative to the base
    // directory.
    const WriteFailures& Failures() const { return m_writeFailures; }

    std::vector<std::string> m_mediaUrls;
    std::vector<std::string> m_mediaPaths;  // beside m_mediaUrls, entry for entry
    std::string m_baseDir;                  // ends in the separator

private:
    struct GroupPages
    {
        int type;
        std::string act;
        std::string id;
        std::string label;
        std::string typeDir;
        std::string dirName;
    };
    enum class PagesResult
    {
        Received,   // stored whole, or page 1 showed the group unchanged
        Failed,     // a page failed: the group's pages on disk are as they were
        Cancelled,  // the update of the type ends here
    };

    // False when the update of the type must end (cancelled).
    bool UpdateGroup(const ContentTypeInfo& type, const XmlNode& group);
    // The page loop, which sets the group's page count.
    PagesResult ReceivePages(const GroupPages& group, long long& pageCount);
    bool QueueMediaFiles(const ContentTypeInfo& type, const std::string& groupDir, long long pageCount);
    std::string TypeDir(const ContentTypeInfo& type) const;
    std::string Address(const std::string& query) const;
    void ReportFailure(const std::string& address);
    // Writes the file whole, or reports why it could not.
    void WriteFile(const std::string& path, std::string_view bytes);
    void ReportWriteFailure(const std::string& path, int error);
    bool InUnmadeDirectory(const std::string& path) const;
    // The path relative to the base directory, as the user is told it.
    std::string Reported(const std::string& path) const;

    ProgressTarget& m_progress;
    std::string m_server;
    HttpSession m_session;
    std::vector<unsigned char> m_mediaBuffer;
    std::function<void(const std::string&)> m_onFailure;
    WriteFailures m_writeFailures;
    std::unordered_set<std::string> m_unmadeDirectories;  // type directories that mkdir refused
};
