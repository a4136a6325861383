#include "tools/contentserver/UpdateQuery.h"

#include <charconv>

namespace {

// Plain name=value pairs split at "&"; the first occurrence of a name counts.
void ReadPairs(std::string_view query, UpdateQuery& result)
{
    std::size_t start = 0;
    for (;;) {
        const auto amp = query.find('&', start);
        const std::string_view pair = query.substr(
            start, amp == std::string_view::npos ? std::string_view::npos : amp - start);
        const auto eq = pair.find('=');
        const std::string_view name = pair.substr(0, eq);
        const std::string value(eq == std::string_view::npos ? std::string_view()
                                                             : pair.substr(eq + 1));
        if (name == "t" && !result.type)
            result.type = value;
        else if (name == "act" && !result.act)
            result.act = value;
        else if (name == "cat" && !result.cat)
            result.cat = value;
        else if (name == "p" && !result.page)
            result.page = value;
        else if (name == "np" && !result.pageSize)
            result.pageSize = value;
        if (amp == std::string_view::npos)
            return;
        start = amp + 1;
    }
}

// Whether a parameter of the update's query starts at `at`: "np=", "p=", ...
bool IsParameterAt(std::string_view query, std::size_t at)
{
    for (const std::string_view name : {"a=", "t=", "l=", "act=", "cat=", "p=", "np=", "q=", "c=", "h="})
        if (query.substr(at, name.size()) == name)
            return true;
    return false;
}

} // namespace

std::string_view TargetQuery(std::string_view target)
{
    const auto mark = target.find('?');
    return mark == std::string_view::npos ? std::string_view() : target.substr(mark + 1);
}

std::string_view TargetPath(std::string_view target)
{
    return target.substr(0, target.find('?'));
}

UpdateQuery ParseUpdateQuery(std::string_view query)
{
    UpdateQuery result;
    std::size_t catStart = std::string_view::npos;
    if (query.rfind("cat=", 0) == 0)
        catStart = 4;
    else if (const auto at = query.find("&cat="); at != std::string_view::npos)
        catStart = at + 5;
    if (catStart == std::string_view::npos) {
        ReadPairs(query, result);
        return result;
    }
    // The id runs to the next parameter of the query, so that an "&" or "="
    // inside it survives; only an id holding "&p=" or the like is cut short.
    std::size_t catEnd = catStart;
    for (;; ++catEnd) {
        catEnd = query.find('&', catEnd);
        if (catEnd == std::string_view::npos || IsParameterAt(query, catEnd + 1))
            break;
    }
    result.cat = std::string(query.substr(catStart, catEnd - catStart));
    ReadPairs(query.substr(0, catStart - (catStart == 4 ? 4 : 5)), result);
    if (catEnd != std::string_view::npos)
        ReadPairs(query.substr(catEnd + 1), result);
    return result;
}

std::optional<int> ParseQueryNumber(std::string_view text)
{
    const std::size_t digits = text.size() - (text.rfind('-', 0) == 0 ? 1 : 0);
    if (digits == 0 || digits > 9)
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}
