#include "tools/contentserver/ListingPages.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
constexpr std::string_view kOpen = "<ressource>";
constexpr std::string_view kClose = "</ressource>";

int PageCount(std::size_t total, int pageSize)
{
    const auto size = static_cast<std::size_t>(pageSize);
    return static_cast<int>((total + size - 1) / size);
}

} // namespace

std::vector<std::string> SplitListingItems(std::string_view page)
{
    std::vector<std::string> items;
    std::size_t at = 0;
    for (;;) {
        const auto open = page.find(kOpen, at);
        if (open == std::string_view::npos)
            break;
        const auto close = page.find(kClose, open);
        if (close == std::string_view::npos)
            break;
        // The indentation before the element belongs to it.
        std::size_t start = open;
        while (start > at && (page[start - 1] == ' ' || page[start - 1] == '\t'))
            --start;
        std::size_t end = close + kClose.size();
        const auto lineEnd = page.find('\n', end);
        // Only blanks may follow on the closing line; anything else stays out.
        if (lineEnd != std::string_view::npos &&
            page.substr(end, lineEnd - end).find_first_not_of(" \t\r") == std::string_view::npos)
            end = lineEnd + 1;
        items.emplace_back(page.substr(start, end - start));
        at = end;
    }
    return items;
}

int RootAttributeNumber(std::string_view page, std::string_view name)
{
    std::size_t tag = page.find('<');
    while (tag != std::string_view::npos && tag + 1 < page.size() &&
           (page[tag + 1] == '?' || page[tag + 1] == '!'))
        tag = page.find('<', tag + 1);
    if (tag == std::string_view::npos)
        return -1;
    const std::string_view root = page.substr(tag, page.find('>', tag) - tag);
    const std::string key = " " + std::string(name) + "=\"";
    const auto at = root.find(key);
    if (at == std::string_view::npos)
        return -1;
    const char* first = root.data() + at + key.size();
    const char* last = root.data() + root.size();
    int value = -1;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end == last || *end != '"')
        return -1;
    return value;
}

std::string AssembleListingPage(const std::vector<std::string>& items, int page, int pageSize)
{
    const std::size_t total = items.size();
    const int maxPage = PageCount(total, pageSize);
    std::size_t first = 0;
    std::size_t last = 0;
    if (page >= 1 && page <= maxPage) {
        first = static_cast<std::size_t>(page - 1) * static_cast<std::size_t>(pageSize);
        last = std::min(total, first + static_cast<std::size_t>(pageSize));
    }

    std::string out;
    std::size_t size = 128;
    for (std::size_t i = first; i < last; ++i)
        size += items[i].size();
    out.reserve(size);
    out += kDeclaration;
    out += "<response max_page=\"";
    out += std::to_string(maxPage);
    out += "\" total_results=\"";
    out += std::to_string(total);
    out += "\">\n";
    for (std::size_t i = first; i < last; ++i)
        out += items[i];
    out += "</response>\n";
    return out;
}

std::string AssembleIndex(const std::vector<std::string>& groups)
{
    std::string out(kDeclaration);
    out += "<response>\n";
    for (const std::string& group : groups)
        out += group;
    out += "</response>\n";
    return out;
}
