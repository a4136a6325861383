#include "pages/PageText.h"

#include <cstring>

std::string ExtractBetween(std::string_view text, std::string_view open, std::string_view close)
{
    // A missing opening marker makes the text start where the search failed
    // (npos + size), as the original pointer arithmetic did: at the start
    // for the usual markers; clamp so that any marker is safe.
    const size_t found = text.find(open);
    const size_t start = found == std::string_view::npos ? 0 : found + open.size();
    const std::string_view rest = text.substr(start);
    const size_t end = rest.find(close);
    return end == std::string_view::npos ? std::string() : std::string(rest.substr(0, end));
}

void ReplaceAll(std::string& text, std::string_view token, std::string_view value)
{
    if (token.empty())
        return;
    size_t found = text.find(token);
    if (found == std::string::npos)
        return;
    std::string result;
    result.reserve(text.size() + (value.size() > token.size() ? value.size() - token.size() : 0));
    size_t from = 0;
    while (found != std::string::npos) {
        result.append(text, from, found - from);
        result.append(value);
        from = found + token.size();
        found = text.find(token, from);
    }
    result.append(text, from, std::string::npos);
    text.swap(result);
}

std::string FillTemplate(std::string_view text, std::initializer_list<PageFill> fills)
{
    size_t valueBytes = 0;
    for (const PageFill& fill : fills)
        valueBytes += fill.value.size();
    std::string page;
    page.reserve(text.size() + valueBytes);
    size_t from = 0;
    size_t at = text.find('*');
    while (at != std::string_view::npos) {
        const std::string_view rest = text.substr(at);
        const PageFill* found = nullptr;
        for (const PageFill& fill : fills)
            if (!fill.token.empty() && rest.starts_with(fill.token)) {
                found = &fill;
                break;
            }
        if (!found) {
            at = text.find('*', at + 1);
            continue;
        }
        page.append(text, from, at - from);
        page.append(found->value);
        from = at + found->token.size();
        at = text.find('*', from);
    }
    page.append(text, from);
    return page;
}

void AppendEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c; break;
        }
    }
}

namespace {

// `from` becomes `lead`, then the directory when `withDirectory`, then `tail`.
struct PathRule
{
    std::string_view from;  // right behind a double quote, or "&apos;"
    std::string_view lead;
    bool withDirectory;
    std::string_view tail;
};

// In the order they are tried; "tpl/img/" goes before "img/".
constexpr PathRule kPathRules[] = {
    {"\"tpl/img/", "\"", true, "/tpl/img/"}, {"\"styles.css\"", "\"", true, "/tpl/styles.css\""},
    {"\"img/", "\"", true, "/tpl/img/"},     {"\"hint.js", "\"", true, "hint.js"},
    {"\"../data/", "\"", true, "/data/"},    {"&apos;", "'", false, ""},
};

} // namespace

std::string ResolvePagePaths(std::string page, std::string_view dir)
{
    // One pass over the page, which may be megabytes: the directory (an
    // absolute path, encoded) holds nothing another rule would find.
    std::string out;
    const char* const begin = page.data();
    const char* const end = begin + page.size();
    const char* from = begin;
    const char* quote = static_cast<const char*>(std::memchr(begin, '"', page.size()));
    const char* amp = static_cast<const char*>(std::memchr(begin, '&', page.size()));
    while (quote || amp) {
        const char* at = !amp || (quote && quote < amp) ? quote : amp;
        const std::string_view rest(at, static_cast<size_t>(end - at));
        const PathRule* rule = nullptr;
        for (const PathRule& r : kPathRules)
            if (rest.starts_with(r.from)) {
                rule = &r;
                break;
            }
        const char* next = at + 1;
        if (rule) {
            if (out.empty())
                out.reserve(page.size() + page.size() / 8);
            out.append(from, at);
            out.append(rule->lead);
            if (rule->withDirectory)
                out.append(dir);
            out.append(rule->tail);
            from = next = at + rule->from.size();
        }
        if (quote && quote < next)
            quote = static_cast<const char*>(std::memchr(next, '"', static_cast<size_t>(end - next)));
        if (amp && amp < next)
            amp = static_cast<const char*>(std::memchr(next, '&', static_cast<size_t>(end - next)));
    }
    if (from == begin)
        return page;
    out.append(from, end);
    return out;
}

std::string EncodePathForPage(std::string_view path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || std::strchr("%#?\"'<>&\\", c)) {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xF];
        } else {
            encoded += c;
        }
    }
    return encoded;
}
