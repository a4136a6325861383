// Loads a content type from fuzzed cache files: the input is split at the
// first 0xFF byte into the index cache and the cache of the group whose id
// the index names first (everything goes to the index when there is no
// split). The loaded catalog must keep its five lists in step and every
// value storable; a second load from the same files must give the same
// catalog.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "catalog/CacheLines.h"
#include "catalog/CacheReader.h"
#include "catalog/CatalogLoader.h"
#include "catalog/CatalogPaths.h"
#include "catalog/ContentCatalog.h"

namespace {

const std::string kKey = "rt_poly";

void WriteFile(const std::string& path, std::string_view bytes)
{
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool Storable(const std::string& value)
{
    return value.size() <= 9997 && value.find_first_of("\r\n") == std::string::npos;
}

std::string Snapshot(const ContentCatalog& catalog)
{
    std::string out;
    for (int g = 0; g < catalog.GetGroupCount(); ++g) {
        const ContentGroup* group = catalog.Group(g);
        out += group->lib + '\x01' + group->id + '\x02';
        const size_t n = group->labels.size();
        Check(group->files.size() == n && group->ids.size() == n && group->urls.size() == n &&
              group->descs.size() == n);
        for (size_t i = 0; i < n; ++i) {
            Check(!group->labels[i].empty());
            for (const std::string* v : {&group->labels[i], &group->ids[i], &group->files[i], &group->urls[i],
                                         &group->descs[i]}) {
                Check(Storable(*v));
                out += *v + '\x03';
            }
        }
    }
    return out;
}

std::filesystem::path& ScratchDirectory()
{
    static std::filesystem::path dir;
    return dir;
}

// The scratch directory goes with the process, so that runs do not pile
// them up in memory.
void RemoveScratchDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(ScratchDirectory(), ignored);
}

void EnterScratchDirectory()
{
    if (!ScratchDirectory().empty())
        return;
    std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    ScratchDirectory() = base / ("vantory-fuzz-cache-" + std::to_string(::getpid()));
    std::filesystem::create_directories(ScratchDirectory());
    std::filesystem::current_path(ScratchDirectory());
    std::atexit(RemoveScratchDirectory);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnterScratchDirectory();
    std::error_code ignored;
    std::filesystem::remove_all("data", ignored);
    const std::string dir = TypeDirectory(kKey);
    std::filesystem::create_directories(dir);

    std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\xff');
    std::string_view index = input.substr(0, split);
    WriteFile(IndexCachePath(dir), index);
    if (split != std::string_view::npos) {
        CacheReader reader;
        reader.Open(IndexCachePath(dir));
        ReadCacheLine(reader);                      // the count
        const std::string firstId = ReadCacheLine(reader);
        WriteFile(GroupCachePath(dir, firstId), input.substr(split + 1));
    }

    static ContentCatalog catalog;
    LoadCatalog(catalog, kKey, false);
    const std::string first = Snapshot(catalog);
    LoadCatalog(catalog, kKey, false);
    Check(Snapshot(catalog) == first);
    return 0;
}
