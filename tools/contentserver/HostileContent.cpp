#include "tools/contentserver/HostileContent.h"

#include "catalog/CatalogPaths.h"
#include "tools/catgen/CatalogGenerator.h"
#include "tools/catgen/PictureRenderer.h"
#include "tools/catgen/GeneratedCatalog.h"
#include "tools/contentserver/UpdateQuery.h"

namespace {

constexpr std::size_t kItemsPerGroup = 3;

std::string Escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\\': out += "\\\\"; break;
        default: out += c; break;
        }
    }
    return out;
}

void AppendElement(std::string& out, std::string_view name, std::string_view text)
{
    out += "\t\t<";
    out += name;
    out += '>';
    out += Escaped(text);
    out += "</";
    out += name;
    out += ">\n";
}

std::string ItemId(std::size_t group, std::size_t item)
{
    const std::string n = std::to_string(group + 1);
    switch (item) {
    case 0: return "9" + n + "001";
    case 1: return "../../../escape" + n;
    default: return "/abs/pic" + n;
    }
}

int KeyCode(std::string_view key)
{
    for (const int code : AllContentTypeCodes())
        if (ContentTypeKey(code) == key)
            return code;
    return 0;
}

} // namespace

const std::vector<HostileGroup>& HostileGroups()
{
    static const std::vector<HostileGroup> groups = {
        {"..", "Hostile dot dot"},
        {"../x", "Hostile parent"},
        {"/abs/x", "Hostile absolute"},
        {"a/../../b", "Hostile climb"},
        {"x\\y", "Hostile backslash"},
        {"a?b*c", "Hostile wildcards"},
        {" 12 ", "Hostile blanks"},
        {std::string("nul\0byte", 8), "Hostile NUL"},
    };
    return groups;
}

std::string HostileIndexFragment(const HostileGroup& group)
{
    std::string out = "\t<ressource>\n";
    AppendElement(out, "id", group.id);
    AppendElement(out, "lib", group.lib);
    out += "\t</ressource>\n";
    return out;
}

bool IsHostileGroupRequest(const HostileGroup& group, std::string_view trimmedId)
{
    const std::string_view id = TrimBlanks(group.id);
    if (trimmedId == id)
        return true;
    const auto nul = id.find('\0');
    return nul != std::string_view::npos && trimmedId == id.substr(0, nul);
}

std::vector<std::string> HostileListingItems(int code, std::size_t index, const std::string& origin)
{
    const std::string key(ContentTypeKey(code));
    std::vector<std::string> items;
    for (std::size_t i = 0; i < kItemsPerGroup; ++i) {
        const std::string id = ItemId(index, i);
        const std::string picture = origin + std::string(HostileMediaPrefix()) + key + "/" +
                                    std::to_string(index) + "/" + std::to_string(i) + ".gif";
        std::string out = "\t<ressource>\n";
        AppendElement(out, "id", id);
        AppendElement(out, "lib", "Hostile item " + std::to_string(i + 1));
        AppendElement(out, "url_download", origin + "/dl.php?t=" + std::to_string(code) + "&id=" + id);
        AppendElement(out, "desc", "An item whose id is not a safe file name.");
        AppendElement(out, code == 26 ? "screenbox" : "file", picture);
        out += "\t</ressource>\n";
        items.push_back(std::move(out));
    }
    return items;
}

std::optional<std::string> HostilePicture(std::string_view below)
{
    const auto slash1 = below.find('/');
    const auto slash2 = below.find('/', slash1 == std::string_view::npos ? slash1 : slash1 + 1);
    if (slash1 == std::string_view::npos || slash2 == std::string_view::npos)
        return std::nullopt;
    const int code = KeyCode(below.substr(0, slash1));
    const auto group = ParseQueryNumber(below.substr(slash1 + 1, slash2 - slash1 - 1));
    const std::string_view file = below.substr(slash2 + 1);
    if (!HasPicture(code) || !group || *group < 0 ||
        static_cast<std::size_t>(*group) >= HostileGroups().size() || file.size() != 5 ||
        file.substr(1) != ".gif" || file[0] < '0' || file[0] >= '0' + static_cast<int>(kItemsPerGroup))
        return std::nullopt;
    GeneratedItem item;
    item.id = ItemId(static_cast<std::size_t>(*group), static_cast<std::size_t>(file[0] - '0'));
    item.lib = "Hostile";
    return RenderPicture(code, item);
}
