#include "xml/XmlEntityTable.h"

#include <algorithm>
#include <cstring>

std::string_view XmlEntity::Reference() const
{
    return std::string_view(reference, static_cast<size_t>(std::clamp(length, 0, 10)));
}

XmlEntity MakeXmlEntity(char character, std::string_view reference)
{
    XmlEntity entity;
    entity.character = character;
    size_t n = std::min<size_t>(reference.size(), 10);
    std::memcpy(entity.reference, reference.data(), n);
    entity.length = static_cast<int>(n);
    return entity;
}

XmlEntityTable::XmlEntityTable(std::initializer_list<XmlEntity> entries) : m_entries(entries)
{
    m_byCharacter.fill(-1);
    bool first = true;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const XmlEntity& e = m_entries[i];
        auto c = static_cast<unsigned char>(e.character);
        if (m_byCharacter[c] < 0) {
            m_byCharacter[c] = static_cast<int16_t>(i);
            m_encoded += e.character;
        }
        if (e.length <= 0)
            continue;  // an empty reference would match everywhere without consuming anything
        m_startsReference[static_cast<unsigned char>(e.reference[0])] = true;
        if (first)
            m_commonFirst = e.reference[0];
        else if (m_commonFirst != e.reference[0])
            m_commonFirst = 0;
        first = false;
    }
}

const XmlEntityTable& DefaultEntityTable()
{
    static const XmlEntityTable table{
        MakeXmlEntity('&', "&amp;"),
        MakeXmlEntity('"', "&quot;"),
        MakeXmlEntity('\'', "&apos;"),
        MakeXmlEntity('<', "&lt;"),
        MakeXmlEntity('>', "&gt;"),
    };
    return table;
}
