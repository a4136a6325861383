#include "tools/contentserver/MediaPath.h"

#include <string>
#include <vector>

#include "tools/catgen/CatalogGenerator.h"
#include "tools/contentserver/UpdateQuery.h"

namespace {

bool IsKnownKey(std::string_view key)
{
    for (const int code : AllContentTypeCodes())
        if (ContentTypeKey(code) == key)
            return true;
    return false;
}

bool IsPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos;
}

} // namespace

std::optional<std::filesystem::path> MediaFilePath(std::string_view below)
{
    std::vector<std::string> segments;
    std::size_t start = 0;
    for (;;) {
        const auto slash = below.find('/', start);
        segments.push_back(PercentDecoded(below.substr(start, slash - start)));
        if (slash == std::string_view::npos)
            break;
        start = slash + 1;
    }
    if (segments.size() != 3 || !IsKnownKey(segments[0]))
        return std::nullopt;
    // The directory is named as the generator names it, which turns "/" and
    // "\" into "_"; what is left must still be a plain name.
    const std::string directory = GroupDirectoryName(segments[1]);
    if (!IsPlainName(directory) || !IsPlainName(segments[2]))
        return std::nullopt;
    return std::filesystem::path("media") / segments[0] / directory / segments[2];
}
