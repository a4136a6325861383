#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// One character and the reference text that stands for it ("&amp;" for '&').
struct XmlEntity
{
    char character = 0;
    char reference[11] = {};  // at most 10 characters, NUL-terminated
    int length = 0;           // characters of reference consumed when decoding

    std::string_view Reference() const;
};

// An ordered list of entities. Order matters: decoding tries the entries in
// this order at each position, and encoding uses the first entry of a character.
class XmlEntityTable
{
public:
    XmlEntityTable(std::initializer_list<XmlEntity> entries);

    const std::vector<XmlEntity>& Entries() const { return m_entries; }

    // First entry for a character in table order, or null.
    const XmlEntity* ForCharacter(char c) const
    {
        int i = m_byCharacter[static_cast<unsigned char>(c)];
        return i < 0 ? nullptr : &m_entries[static_cast<size_t>(i)];
    }

    // True when some reference text starts with this character.
    bool StartsReference(char c) const { return m_startsReference[static_cast<unsigned char>(c)]; }

    // The single character every reference starts with, or 0 when they differ.
    char CommonFirstCharacter() const { return m_commonFirst; }

    // The distinct characters that have an entry, in table order.
    const std::string& EncodedCharacters() const { return m_encoded; }

private:
    std::vector<XmlEntity> m_entries;
    std::array<int16_t, 256> m_byCharacter{};
    std::array<bool, 256> m_startsReference{};
    char m_commonFirst = 0;
    std::string m_encoded;
};

// The five predefined references: & " ' < > in this order.
const XmlEntityTable& DefaultEntityTable();

// Builds an entity from a character and its reference text.
XmlEntity MakeXmlEntity(char character, std::string_view reference);
