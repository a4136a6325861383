#include "tools/catgen/CatalogGenerator.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "catalog/CatalogPaths.h"
#include "catalog/ContentTypeTable.h"
#include "tools/catgen/CatalogModelBuilder.h"
#include "tools/catgen/DownloadRenderer.h"
#include "tools/catgen/PictureRenderer.h"
#include "tools/catgen/PreviewRenderer.h"

namespace {

CatalogGeneratorOptions Normalised(const CatalogGeneratorOptions& options)
{
    if (options.groupsPerType < 0)
        throw std::invalid_argument("the number of groups per type must not be negative");
    if (options.itemsPerGroup < 0)
        throw std::invalid_argument("the number of items per group must not be negative");

    CatalogGeneratorOptions result = options;
    if (result.types.empty())
        result.types = AllContentTypeCodes();
    for (const int code : result.types)
        if (ContentTypeKey(code).empty())
            throw std::invalid_argument("unknown content type code " + std::to_string(code) +
                                        " (known: " + ContentTypeCodeList(", ") + ")");
    // Item ids run on from type to type, so the order is fixed whatever the caller listed.
    std::sort(result.types.begin(), result.types.end());
    result.types.erase(std::unique(result.types.begin(), result.types.end()),
                       result.types.end());
    if (result.mediaBase.empty() || result.mediaBase.back() != '/')
        result.mediaBase += '/';
    return result;
}

void CreateDirectories(const std::filesystem::path& dir)
{
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error)
        throw std::runtime_error("cannot create directory '" + dir.string() +
                                 "': " + error.message());
}

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write '" + path.string() + "': " +
                                 std::strerror(errno));
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), file);
    const int closed = std::fclose(file);
    if (written != text.size() || closed != 0)
        throw std::runtime_error("cannot write '" + path.string() + "': " +
                                 std::strerror(errno));
}

} // namespace

const std::vector<int>& AllContentTypeCodes()
{
    static const std::vector<int> codes = [] {
        std::vector<int> all;
        for (const ContentTypeInfo& type : CONTENT_TYPES)
            all.push_back(type.code);
        return all;
    }();
    return codes;
}

std::string ContentTypeCodeList(std::string_view separator)
{
    std::string list;
    for (const int code : AllContentTypeCodes())
        list += (list.empty() ? "" : std::string(separator)) + std::to_string(code);
    return list;
}

std::string_view ContentTypeKey(int code)
{
    const ContentTypeInfo* type = FindContentType(code);
    return type ? type->key : std::string_view();
}

std::string GroupDirectoryName(std::string_view groupId)
{
    std::string name(TrimBlanks(groupId));
    for (char& c : name)
        if (c == '?' || c == '*' || c == '/' || c == '\\')
            c = '_';
    return name;
}

GeneratedCatalog GenerateCatalogModel(const CatalogGeneratorOptions& options)
{
    const CatalogGeneratorOptions normalised = Normalised(options);
    CatalogModelBuilder builder(normalised);
    GeneratedCatalog catalog;
    for (const int code : normalised.types)
        catalog.types.push_back(builder.BuildType(code));
    return catalog;
}

CatalogSummary GenerateCatalog(const CatalogGeneratorOptions& options)
{
    const CatalogGeneratorOptions normalised = Normalised(options);
    CatalogModelBuilder builder(normalised);
    CatalogSummary summary;
    const auto write = [&summary](const std::filesystem::path& path, const std::string& text) {
        WriteFile(path, text);
        ++summary.files;
        summary.bytes += static_cast<long long>(text.size());
    };
    const auto writeMedia = [&](const GeneratedType& type, const GeneratedGroup& group,
                                const GeneratedItem& item) {
        if (HasPicture(type.code)) {
            write(normalised.outDir / PictureRelativePath(type, group, item),
                  RenderPicture(type.code, item));
            ++summary.pictures;
        }
        if (HasPreview(type.code)) {
            const RenderedPreview preview = RenderPreview(type.code, item);
            write(normalised.outDir / MediaRelativePath(type, group, *item.file), preview.file);
            write(normalised.outDir / MediaRelativePath(type, group, *item.screenbox),
                  preview.screenbox);
            summary.previews += 2;
        }
    };

    const auto writeDownload = [&](const GeneratedType& type, const GeneratedItem& item,
                                   std::string& names) {
        const RenderedDownload download = RenderDownload(type.code, item);
        write(normalised.outDir /
                  DownloadRelativePath(type.key, item.id, DownloadFileFormat(type.code).ending),
              download.file);
        if (HasDescriptor(type.code))
            write(normalised.outDir /
                      DownloadRelativePath(type.key, item.id, kDescriptorFormat.ending),
                  download.descriptor);
        ++summary.downloads;
        names += item.id + '\t' + DownloadFileStem(item) + '\n';
    };

    // One type in memory at a time: the benchmark catalog is large.
    const bool downloads = normalised.pictures && normalised.downloads;
    for (const int code : normalised.types) {
        const GeneratedType type = builder.BuildType(code);
        std::string downloadNames;
        if (downloads)
            CreateDirectories(normalised.outDir / DownloadNamesRelativePath(type.key).parent_path());
        const std::filesystem::path typeDir = normalised.outDir / "data" / type.key;
        CreateDirectories(typeDir);
        write(typeDir / "cats.xml", RenderTypeIndex(type));
        for (const GeneratedGroup& group : type.groups) {
            const std::filesystem::path groupDir = typeDir / group.directory;
            CreateDirectories(groupDir);
            // An empty group still has the page 1 a server answers with.
            const int pages = std::max(1, ListingPageCount(group.items.size(), kListingPageSize));
            for (int page = 1; page <= pages; ++page)
                write(groupDir / (std::to_string(page) + ".xml"),
                      RenderListingPage(group, page, kListingPageSize));
            summary.items += static_cast<long long>(group.items.size());
            const bool media = normalised.pictures && (HasPicture(code) || HasPreview(code));
            if (media && !group.items.empty()) {
                CreateDirectories(normalised.outDir / "media" / type.key / group.directory);
                for (const GeneratedItem& item : group.items)
                    writeMedia(type, group, item);
            }
            if (downloads)
                for (const GeneratedItem& item : group.items)
                    writeDownload(type, item, downloadNames);
        }
        if (downloads)
            write(normalised.outDir / DownloadNamesRelativePath(type.key), downloadNames);
        summary.groups += static_cast<int>(type.groups.size());
        ++summary.types;
    }
    return summary;
}
