#include "download/DownloadName.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>
#include <vector>

#include "catalog/PercentDecoding.h"

namespace {

constexpr size_t kMaxNameBytes = 200;

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}


// The parameters of a header value after its first ";": name and value,
// the value unquoted.
std::vector<std::pair<std::string, std::string>> Parameters(std::string_view header)
{
    std::vector<std::pair<std::string, std::string>> parameters;
    size_t at = header.find(';');
    while (at != std::string_view::npos) {
        ++at;
        const size_t equals = header.find('=', at);
        if (equals == std::string_view::npos)
            break;
        const std::string name(Trim(header.substr(at, equals - at)));
        size_t i = equals + 1;
        while (i < header.size() && (header[i] == ' ' || header[i] == '\t'))
            ++i;
        std::string value;
        if (i < header.size() && header[i] == '"') {
            for (++i; i < header.size() && header[i] != '"'; ++i) {
                if (header[i] == '\\' && i + 1 < header.size())
                    ++i;
                value += header[i];
            }
            at = header.find(';', i);
        } else {
            const size_t end = header.find(';', i);
            value = std::string(Trim(header.substr(i, end == std::string_view::npos ? end : end - i)));
            at = end;
        }
        parameters.emplace_back(name, value);
    }
    return parameters;
}

// The length of the valid UTF-8 sequence at text[i], 0 when there is none.
size_t Utf8Length(std::string_view text, size_t i)
{
    const auto c = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        length = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        length = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        length = 4;
    else
        return 0;
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    return length;
}

// Where the extension starts (its dot), or npos; a leading dot is none.
size_t ExtensionStart(std::string_view name)
{
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size() || name.size() - dot > 16)
        return std::string_view::npos;
    return dot;
}

// At most `bytes` of the text, cut before a character.
std::string_view CutAtCharacter(std::string_view text, size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string DispositionFileName(std::string_view header)
{
    std::string plain;
    for (const auto& [name, value] : Parameters(header)) {
        if (EqualsIgnoringCase(name, "filename*")) {
            // charset'language'percent-encoded
            const size_t first = value.find('\'');
            const size_t second = first == std::string::npos ? first : value.find('\'', first + 1);
            if (second != std::string::npos)
                return PercentDecoded(std::string_view(value).substr(second + 1));
        } else if (EqualsIgnoringCase(name, "filename") && plain.empty()) {
            plain = value;
        }
    }
    return plain;
}

std::string AddressFileName(std::string_view address)
{
    const size_t scheme = address.find("://");
    std::string_view rest = scheme == std::string_view::npos ? address : address.substr(scheme + 3);
    rest = rest.substr(0, rest.find_first_of("?#"));
    const size_t slash = rest.find('/');
    if (slash == std::string_view::npos)
        return {};
    const std::string_view path = rest.substr(slash);
    return PercentDecoded(path.substr(path.rfind('/') + 1));
}

std::string ExtensionOfContentType(std::string_view contentType)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kTypes = {{
        {"audio/midi", ".mid"},
        {"audio/mid", ".mid"},
        {"audio/x-midi", ".mid"},
        {"audio/sp-midi", ".mid"},
        {"text/x-rtttl", ".rtttl"},
        {"audio/x-rtttl", ".rtttl"},
        {"image/gif", ".gif"},
        {"image/jpeg", ".jpg"},
        {"image/png", ".png"},
        {"image/bmp", ".bmp"},
        {"application/java-archive", ".jar"},
        {"application/x-java-archive", ".jar"},
        {"text/vnd.sun.j2me.app-descriptor", ".jad"},
        {"text/plain", ".txt"},
    }};
    const std::string_view type = Trim(contentType.substr(0, contentType.find(';')));
    for (const auto& [name, extension] : kTypes)
        if (EqualsIgnoringCase(type, name))
            return std::string(extension);
    return {};
}

std::string SafeFileName(std::string_view name, std::string_view contentType)
{
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    std::string safe;
    for (size_t i = 0; i < name.size();) {
        const size_t length = Utf8Length(name, i);
        if (length == 0) {
            safe += "\xEF\xBF\xBD";  // U+FFFD
            ++i;
            continue;
        }
        const auto c = static_cast<unsigned char>(name[i]);
        if (length == 1 && (c < 0x20 || c == 0x7F)) {
            ++i;
            continue;
        }
        // C1 controls (U+0080 to U+009F) too.
        if (length == 2 && c == 0xC2 && static_cast<unsigned char>(name[i + 1]) < 0xA0) {
            i += 2;
            continue;
        }
        safe.append(name, i, length);
        i += length;
    }
    const size_t first = safe.find_first_not_of(". \t");
    safe.erase(0, first == std::string::npos ? safe.size() : first);
    while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ' || safe.back() == '\t'))
        safe.pop_back();
    if (safe.empty())
        return {};

    std::string extension;
    const size_t dot = ExtensionStart(safe);
    if (dot != std::string::npos) {
        extension = safe.substr(dot);
        safe.erase(dot);
    } else {
        extension = ExtensionOfContentType(contentType);
    }
    std::string stem(CutAtCharacter(safe, kMaxNameBytes - std::min(extension.size(), kMaxNameBytes)));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.'))
        stem.pop_back();
    if (stem.empty())
        return {};
    return stem + extension;
}

std::string ChooseFileName(std::string_view disposition, std::string_view address, std::string_view label,
                           std::string_view contentType)
{
    for (const std::string& candidate :
         {DispositionFileName(disposition), AddressFileName(address), std::string(label)}) {
        std::string safe = SafeFileName(candidate, contentType);
        if (!safe.empty())
            return safe;
    }
    return SafeFileName("download", contentType);
}

std::string NumberedFileName(std::string_view name, int n)
{
    if (n <= 1)
        return std::string(name);
    const size_t dot = ExtensionStart(name);
    const std::string_view stem = dot == std::string_view::npos ? name : name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
    const std::string number = " (" + std::to_string(n) + ")";
    // The number fits within the 200 bytes too.
    return std::string(CutAtCharacter(stem, kMaxNameBytes - number.size() - extension.size())) + number +
           std::string(extension);
}
