#include "tools/catgen/CatalogPageRenderer.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

void AppendEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c; break;
        }
    }
}

void AppendElement(std::string& out, std::string_view indent, std::string_view name,
                   std::string_view text)
{
    out += indent;
    out += '<';
    out += name;
    out += '>';
    AppendEscaped(out, text);
    out += "</";
    out += name;
    out += ">\n";
}

void AppendItem(std::string& out, const GeneratedItem& item)
{
    constexpr std::string_view in = "\t\t";
    out += "\t<ressource>\n";
    AppendElement(out, in, "id", item.id);
    AppendElement(out, in, "lib", item.lib);
    if (item.author)
        AppendElement(out, in, "author", *item.author);
    AppendElement(out, in, "url_download", item.urlDownload);
    AppendElement(out, in, "desc", item.desc);
    if (item.file)
        AppendElement(out, in, "file", *item.file);
    if (item.screenbox)
        AppendElement(out, in, "screenbox", *item.screenbox);
    out += "\t</ressource>\n";
}

} // namespace

int ListingPageCount(std::size_t total, int pageSize)
{
    if (pageSize < 1)
        throw std::invalid_argument("listing page size must be at least 1");
    const auto size = static_cast<std::size_t>(pageSize);
    return static_cast<int>((total + size - 1) / size);
}

std::string RenderTypeIndex(const GeneratedType& type)
{
    std::string out;
    out.reserve(64 + type.groups.size() * 80);
    out += kDeclaration;
    out += "<response>\n";
    for (const GeneratedGroup& group : type.groups) {
        out += "\t<ressource>\n";
        AppendElement(out, "\t\t", "id", group.id);
        AppendElement(out, "\t\t", "lib", group.lib);
        out += "\t</ressource>\n";
    }
    out += "</response>\n";
    return out;
}

std::string RenderListingPage(const GeneratedGroup& group, int page, int pageSize)
{
    const std::size_t total = group.items.size();
    const int maxPage = ListingPageCount(total, pageSize);

    std::size_t first = 0;
    std::size_t last = 0;
    if (page >= 1 && page <= maxPage) {
        first = static_cast<std::size_t>(page - 1) * static_cast<std::size_t>(pageSize);
        last = std::min(total, first + static_cast<std::size_t>(pageSize));
    }

    std::string out;
    out.reserve(128 + (last - first) * 640);
    out += kDeclaration;
    out += "<response max_page=\"";
    out += std::to_string(maxPage);
    out += "\" total_results=\"";
    out += std::to_string(total);
    out += "\">\n";
    for (std::size_t i = first; i < last; ++i)
        AppendItem(out, group.items[i]);
    out += "</response>\n";
    return out;
}
