#pragma once

// Scanning primitives of the parser, over a text that ends with a NUL at
// `end` and holds no other NUL. Internal to xml/.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

class XmlEntityTable;

namespace xmlscan {

// Blank, tab, line feed, vertical tab, form feed and carriage return.
inline constexpr std::array<bool, 256> kSpaceTable = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'})
        table[c] = true;
    return table;
}();

inline bool IsSpace(char c)
{
    return kSpaceTable[static_cast<unsigned char>(c)];
}

inline bool IsBlank(std::string_view text)
{
    for (char c : text)
        if (!IsSpace(c))
            return false;
    return true;
}

inline uint64_t Load64(const char* p)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline uint32_t Load32(const char* p)
{
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Names are short: two overlapping word compares beat a call to memcmp.
inline bool SameName(std::string_view a, std::string_view b)
{
    const size_t n = a.size();
    if (n != b.size())
        return false;
    const char* x = a.data();
    const char* y = b.data();
    if (n >= 8 && n <= 16)
        return Load64(x) == Load64(y) && Load64(x + n - 8) == Load64(y + n - 8);
    if (n >= 4 && n < 8)
        return Load32(x) == Load32(y) && Load32(x + n - 4) == Load32(y + n - 4);
    if (n > 16)
        return std::memcmp(x, y, n) == 0;
    for (size_t i = 0; i < n; ++i)
        if (x[i] != y[i])
            return false;
    return true;
}

inline char* SkipSpaces(char* p)
{
    while (IsSpace(*p))  // the terminating NUL stops the loop
        ++p;
    return p;
}

inline char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// A set of delimiter bytes for FindAnyOf. The NUL that ends the text is
// always a member, so a scan needs no second test for the end.
class ByteSet
{
public:
    constexpr explicit ByteSet(std::string_view members)
    {
        m_has[0] = true;
        for (char c : members)
            m_has[static_cast<unsigned char>(c)] = true;
    }
    constexpr bool operator[](char c) const { return m_has[static_cast<unsigned char>(c)]; }

private:
    std::array<bool, 256> m_has{};
};

// First byte of the set at or after p; null when none follows. UTF-8 trail
// bytes are never ASCII, so a byte-wise search cannot split a character.
inline char* FindAnyOf(char* p, const ByteSet& set)
{
    while (!set[*p])
        ++p;
    return *p ? p : nullptr;
}

// FindAnyOf for a set of ASCII bytes below "A" (tag and attribute name
// ends): a block at a time, only bytes below "A" are looked up. `end` is the
// text's end, where the terminating NUL stands.
char* FindNameEnd(char* p, char* end, const ByteSet& set);

// True when the text at p starts with the lower-case ASCII word.
inline bool StartsWithNoCase(const char* p, std::string_view word)
{
    for (char w : word) {
        if (Lower(*p) != w)
            return false;  // also stops at the terminating NUL
        ++p;
    }
    return true;
}

// First c at or after p that is not taken literally by a preceding escape;
// end when there is none.
char* FindUnescaped(char* p, char* end, char c, char escape);

// FindUnescaped in one pass that also tells whether the text before the stop
// holds an escape or a byte that may start a reference, so that unescaping
// and decoding can be skipped for the common plain text.
// With watchMarkup it also tells whether a raw > " or ' occurred.
struct TextRun
{
    char* stop;
    bool escaped;
    bool reference;
    bool markup;
};
TextRun ScanText(char* p, char* end, char stop, char escape, char referenceStart, bool watchMarkup);

// First position of the delimiter (compared without case); an escape at the
// scanning position is passed over. end when there is none.
char* FindNoCase(char* p, char* end, std::string_view delimiter, char escape);

// Drops each escape that is not itself escaped, in place; returns the new end.
char* RemoveEscapes(char* start, char* end, char escape);

// Replaces references by their characters in place; returns the new end.
char* DecodeInPlace(char* start, char* end, const XmlEntityTable& table);

}  // namespace xmlscan
