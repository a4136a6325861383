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

std::string ResolvePagePaths(std::string page, std::string_view dir)
{
    const std::string d(dir);
    // The directory with "/" already as its separator: the form of it that
    // names images is the same.
    const std::string& f = d;
    ReplaceAll(page, "\"tpl/img/", "\"" + f + "/tpl/img/");
    ReplaceAll(page, "\"styles.css\"", "\"" + d + "/tpl/styles.css\"");
    ReplaceAll(page, "\"img/", "\"" + d + "/tpl/img/");
    ReplaceAll(page, "\"hint.js", "\"" + d + "hint.js");
    ReplaceAll(page, "\"../data/", "\"" + d + "/data/");
    ReplaceAll(page, "&apos;", "'");
    return page;
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
