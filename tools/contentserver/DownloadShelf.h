#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

#include "tools/contentserver/ContentStore.h"
#include "tools/contentserver/DownloadQuery.h"

// The files behind the download addresses, as vantory-catgen --pictures
// writes them: media/downloads/<key>/<id><ending>, a Java game's JAD beside
// its JAR, and per type the names file that gives each item's file name
// ("<id> TAB <name without ending>"). A file is read for every request; a
// names file when first needed and again when it changes. Thread-safe.
class DownloadShelf
{
public:
    explicit DownloadShelf(std::filesystem::path contentDir);

    // 200 with the file, its Content-Type and a Content-Disposition that
    // names it; 400 for a type or id that is not a number, 404 for an
    // unknown type, item or form.
    ContentStore::Answer Fetch(const DownloadQuery& query);

private:
    struct Names
    {
        std::filesystem::file_time_type time{};
        std::uintmax_t size = 0;
        std::unordered_map<std::string, std::string> stems;  // by item id
    };

    std::string FileStem(int code, const std::string& id);

    std::filesystem::path m_dir;
    std::mutex m_mutex;
    std::map<int, Names> m_names;  // by type code
};
