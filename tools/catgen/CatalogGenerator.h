#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tools/catgen/CatalogPageRenderer.h"
#include "tools/catgen/GeneratedCatalog.h"

// Invents a realistic content catalog and writes the data/ tree that the
// program's update leaves behind after fetching it from the content server:
// per type data/<key>/cats.xml and per group data/<key>/<dir>/<n>.xml with
// 30 items a page. The same options always give byte-identical output.

inline constexpr int kListingPageSize = 30;
inline constexpr const char* kDefaultMediaBase = "http://127.0.0.1:8642/media/";

struct CatalogGeneratorOptions
{
    std::filesystem::path outDir;       // files go to outDir/data/...; created if missing
    int groupsPerType = 8;              // >= 0
    int itemsPerGroup = 45;             // >= 0
    bool varyItems = false;             // counts vary per group around itemsPerGroup: some
                                        // groups empty, some above 100 items; off: exactly
                                        // itemsPerGroup in every group
    std::uint64_t seed = 1;             // every seed gives a different, equally valid catalog
    std::vector<int> types;             // codes to generate, any order, duplicates ignored;
                                        // empty: all seven
    std::string mediaBase = kDefaultMediaBase;  // absolute address of the media files; a
                                                // missing trailing "/" is added
    bool unsafeIds = false;             // some group ids hold "?", "*", "/", "\" or leading
                                        // and trailing blanks, to test file name mapping
    bool pictures = false;              // also write outDir/media/<key>/<dir>/<id>.gif for
                                        // every logo, big logo and game (RenderPicture),
                                        // and the previews of every wallpaper and screen
                                        // saver at the file names of its addresses
                                        // (RenderPreview), and, unless `downloads` is
                                        // off, the download of every item with a
                                        // names file per type (DownloadRenderer.h)
    bool downloads = true;              // with pictures: the downloads too; a benchmark
                                        // of the update alone does without them
};

struct CatalogSummary
{
    int types = 0;
    int groups = 0;
    long long items = 0;
    long long files = 0;      // pictures and previews included
    long long bytes = 0;      // bytes written to files
    long long pictures = 0;   // GIF files written below media/ for the update to fetch
    long long previews = 0;   // preview files written below media/, two an item;
                              // the update does not fetch them
    long long downloads = 0;  // items whose download was written below media/downloads/
                              // (a Java game's JAR and JAD count once)
};

// The seven codes in ascending order.
const std::vector<int>& AllContentTypeCodes();

// The seven codes in ascending order with the separator between them, as
// messages list them: "1, 2, 3, ...".
std::string ContentTypeCodeList(std::string_view separator);

// "logos", "rt_mono", ... for the seven codes; "" for any other.
std::string_view ContentTypeKey(int code);

// The directory of a group's listing pages: the id without its leading and
// trailing blanks (the update sends and stores the id trimmed), then every
// "?", "*", "/" and "\" replaced by "_".
std::string GroupDirectoryName(std::string_view groupId);

// The whole catalog in memory, without writing anything. Throws
// std::invalid_argument for an unknown type code or a negative count.
GeneratedCatalog GenerateCatalogModel(const CatalogGeneratorOptions& options);

// Writes outDir/data/... for the catalog GenerateCatalogModel describes,
// rendered with RenderTypeIndex and RenderListingPage (30 items a page; an
// empty group gets the empty page 1), and with `pictures` outDir/media/...
// (PictureRelativePath, RenderPicture; MediaRelativePath, RenderPreview;
// DownloadRelativePath, RenderDownload, DownloadNamesRelativePath).
// Existing files are overwritten; others are left alone. Throws
// std::invalid_argument as GenerateCatalogModel and std::runtime_error naming
// the path when a directory or file cannot be written.
CatalogSummary GenerateCatalog(const CatalogGeneratorOptions& options);
