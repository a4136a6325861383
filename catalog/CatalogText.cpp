#include "catalog/CatalogText.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "catalog/UnicodeCase.h"

namespace {

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Length of the UTF-8 sequence a lead byte starts; 0 for a byte that cannot
// start one.
size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Decodes the first code point; false for an invalid, overlong, surrogate or
// truncated sequence.
bool DecodeFirst(std::string_view text, char32_t& codePoint, size_t& length)
{
    if (text.empty())
        return false;
    const auto lead = static_cast<unsigned char>(text[0]);
    length = SequenceLength(lead);
    if (length == 0 || length > text.size())
        return false;
    if (length == 1) {
        codePoint = lead;
        return true;
    }
    char32_t c = lead & (0xFF >> (length + 1));
    for (size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (!IsContinuation(b))
            return false;
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMinimum[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    codePoint = c;
    return true;
}

std::string EncodeUtf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

void ReplaceAll(std::string& text, std::string_view pattern, char replacement)
{
    size_t at = text.find(pattern);
    if (at == std::string::npos)
        return;
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (; at != std::string::npos; at = text.find(pattern, from)) {
        out.append(text, from, at - from);
        out += replacement;
        from = at + pattern.size();
    }
    out.append(text, from, std::string::npos);
    text.swap(out);
}

void ReplaceChar(std::string& text, char from, char to)
{
    char* p = text.data();
    char* end = p + text.size();
    while ((p = static_cast<char*>(std::memchr(p, from, static_cast<size_t>(end - p)))) != nullptr)
        *p++ = to;
}

// Where a cut at `limit` bytes must go so that no UTF-8 sequence is split:
// back to the lead byte of a sequence that would cross the limit. A stray
// continuation byte is no sequence and may be cut anywhere.
size_t CutPosition(std::string_view text, size_t limit)
{
    for (size_t back = 0; back < 4 && back < limit; ++back) {
        const size_t at = limit - back;
        const auto c = static_cast<unsigned char>(text[at]);
        if (!IsContinuation(c)) {
            if (back == 0)
                return limit;
            const size_t length = SequenceLength(c);
            return length > back ? at : limit;
        }
    }
    return limit;
}

// Whether any byte of the text is one of Cs. Eight bytes at a time: most
// values are a few dozen bytes long and hold none of them, and this check
// runs on every value of every item.
template <unsigned char... Cs>
bool ContainsAny(std::string_view text)
{
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kHighs = 0x8080808080808080ULL;
    // Non-zero exactly when some byte of word is zero.
    const auto zeroByte = [](uint64_t word) { return (word - kOnes) & ~word & kHighs; };
    const char* p = text.data();
    const size_t n = text.size();
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, p + i, 8);
        if ((zeroByte(word ^ (kOnes * Cs)) | ...) != 0)
            return true;
    }
    for (; i < n; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        if (((c == Cs) || ...))
            return true;
    }
    return false;
}

} // namespace

void CapitaliseFirst(std::string& text)
{
    if (text.empty())
        return;
    const auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x80) {
        if (first >= 'a' && first <= 'z')
            text[0] = static_cast<char>(first - 0x20);
        return;
    }
    char32_t c = 0;
    size_t length = 0;
    if (!DecodeFirst(text, c, length))
        return;
    const char32_t upper = UpperCodePoint(c);
    if (upper != c)
        text.replace(0, length, EncodeUtf8(upper));
}

void CleanDescription(std::string& desc)
{
    // Most descriptions hold none of the patterns: every one starts with
    // one of these four bytes.
    if (!ContainsAny<'&', '<', '\n', '\r'>(desc))
        return;
    ReplaceAll(desc, "&lt;", '<');
    ReplaceAll(desc, "&gt;", '>');
    ReplaceChar(desc, '\n', ' ');
    ReplaceChar(desc, '\r', ' ');
    ReplaceAll(desc, "<b>", ' ');
    ReplaceAll(desc, "</b>", ' ');
}

void MakeStorableValue(std::string& value)
{
    if (ContainsAny<'\n', '\r'>(value)) {
        ReplaceChar(value, '\n', ' ');
        ReplaceChar(value, '\r', ' ');
    }
    CutToStoredLength(value);
}

void CutToStoredLength(std::string& value)
{
    if (value.size() > MAX_STORED_VALUE)
        value.resize(CutPosition(value, MAX_STORED_VALUE));
}
