#pragma once

// Scanning primitives of the parser, over a text that ends with a NUL at
// `end` and holds no other NUL. Internal to xml/.

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

class XmlEntityTable;

namespace xmlscan {

inline bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline bool IsBlank(std::string_view text)
{
    for (char c : text)
        if (!IsSpace(c))
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

// A set of delimiter bytes for FindAnyOf.
class ByteSet
{
public:
    constexpr explicit ByteSet(std::string_view members)
    {
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
    while (*p && !set[*p])
        ++p;
    return *p ? p : nullptr;
}

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

// First position of the delimiter (compared without case); an escape at the
// scanning position is passed over. end when there is none.
char* FindNoCase(char* p, char* end, std::string_view delimiter, char escape);

// Drops each escape that is not itself escaped, in place; returns the new end.
char* RemoveEscapes(char* start, char* end, char escape);

// Replaces references by their characters in place; returns the new end.
char* DecodeInPlace(char* start, char* end, const XmlEntityTable& table);

}  // namespace xmlscan
