#include "StrictXml.h"

#include <cctype>
#include <cstdint>

namespace {

class Reader
{
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    std::string Document(StrictElement& root)
    {
        constexpr std::string_view declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
        if (m_text.substr(0, declaration.size()) != declaration)
            return "no XML declaration";
        m_pos = declaration.size();
        SkipSpace();
        if (!Element(root))
            return m_error + " at offset " + std::to_string(m_pos);
        SkipSpace();
        if (m_pos != m_text.size())
            return "content after the root element at offset " + std::to_string(m_pos);
        return {};
    }

private:
    bool Fail(std::string message)
    {
        m_error = std::move(message);
        return false;
    }

    void SkipSpace()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }

    std::string Name()
    {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() &&
               (std::isalnum(static_cast<unsigned char>(m_text[m_pos])) || m_text[m_pos] == '_'))
            ++m_pos;
        return std::string(m_text.substr(start, m_pos - start));
    }

    // Character data up to the next "<" (or the closing quote), references decoded.
    bool CharData(char end, std::string& out)
    {
        while (m_pos < m_text.size() && m_text[m_pos] != end) {
            const char c = m_text[m_pos];
            if (c == '<' || c == '>')
                return Fail("raw '" + std::string(1, c) + "' in character data");
            if (c != '&') {
                out += c;
                ++m_pos;
                continue;
            }
            const std::size_t semi = m_text.find(';', m_pos);
            if (semi == std::string_view::npos || semi - m_pos > 10)
                return Fail("unterminated reference");
            const std::string_view ref = m_text.substr(m_pos + 1, semi - m_pos - 1);
            if (ref == "amp") out += '&';
            else if (ref == "lt") out += '<';
            else if (ref == "gt") out += '>';
            else if (ref == "quot") out += '"';
            else if (ref == "apos") out += '\'';
            else return Fail("unknown reference &" + std::string(ref) + ";");
            m_pos = semi + 1;
        }
        return true;
    }

    bool Element(StrictElement& element)
    {
        if (m_pos >= m_text.size() || m_text[m_pos] != '<')
            return Fail("expected '<'");
        ++m_pos;
        element.name = Name();
        if (element.name.empty())
            return Fail("missing tag name");
        for (;;) {
            SkipSpace();
            if (m_pos >= m_text.size())
                return Fail("unterminated start tag");
            if (m_text[m_pos] == '>')
                break;
            const std::string attribute = Name();
            if (attribute.empty() || m_text.substr(m_pos, 2) != "=\"")
                return Fail("bad attribute");
            m_pos += 2;
            std::string value;
            if (!CharData('"', value) || m_pos >= m_text.size())
                return Fail("unterminated attribute value");
            ++m_pos;
            if (!element.attributes.emplace(attribute, value).second)
                return Fail("duplicate attribute " + attribute);
        }
        ++m_pos;
        for (;;) {
            if (!CharData('<', element.text))
                return false;
            if (m_pos >= m_text.size())
                return Fail("unterminated element " + element.name);
            if (m_text.substr(m_pos, 2) == "</") {
                m_pos += 2;
                if (Name() != element.name || m_text.substr(m_pos, 1) != ">")
                    return Fail("mismatched end tag for " + element.name);
                ++m_pos;
                return true;
            }
            if (!Element(element.children.emplace_back()))
                return false;
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_error;
};

} // namespace

const StrictElement* StrictElement::Child(std::string_view childName) const
{
    for (const StrictElement& child : children)
        if (child.name == childName)
            return &child;
    return nullptr;
}

std::vector<const StrictElement*> StrictElement::Children(std::string_view childName) const
{
    std::vector<const StrictElement*> result;
    for (const StrictElement& child : children)
        if (child.name == childName)
            result.push_back(&child);
    return result;
}

std::string ParseStrictXml(std::string_view text, StrictElement& root)
{
    root = StrictElement();
    return Reader(text).Document(root);
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) { ++i; continue; }
        if (lead >= 0xC2 && lead <= 0xDF) { length = 2; code = lead & 0x1Fu; }
        else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; code = lead & 0x0Fu; }
        else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; code = lead & 0x07u; }
        else return false;
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto trail = static_cast<unsigned char>(text[i + k]);
            if ((trail & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (trail & 0x3Fu);
        }
        // Overlong forms, surrogates and code points above U+10FFFF.
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}
