#include "updater/ServerDocument.h"

#include <cstdlib>

#include "xml/XmlParseInfo.h"
#include "xml/XmlParser.h"
#include "xml/XmlQuery.h"

namespace {

// atoi, without its undefined result past the int range.
int ReadCount(const XmlAttribute* attribute)
{
    if (!attribute)
        return 0;
    const std::string text(attribute->value);
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > 0x7FFFFFFF)
        return 0x7FFFFFFF;
    if (value < -0x7FFFFFFF - 1)
        return -0x7FFFFFFF - 1;
    return static_cast<int>(value);
}

// The text ends with the root's end: its closing tag, or "/>" of a root
// without content. The parser takes a text that stops inside the root as
// the part it got, which is no whole document.
bool EndsWithRoot(const std::string& text, const XmlNode& root)
{
    const size_t last = text.find_last_not_of(" \t\r\n");
    if (last == std::string::npos || text[last] != '>')
        return false;
    const std::string_view body(text.data(), last + 1);
    const std::string closing = "</" + std::string(root.name);
    const size_t at = body.rfind(closing);
    if (at != std::string::npos
        && body.find_first_not_of(" \t\r\n", at + closing.size()) == body.size() - 1)
        return true;
    return root.children.empty() && body.size() >= 2 && body[body.size() - 2] == '/';
}

} // namespace

ServerDocument::ServerDocument(const std::string& text)
{
    // A record of its own: the shared one keeps only the first error of the
    // whole run, which would say nothing about this document.
    XmlParseInfo info = DefaultParseInfo();
    Parse(m_root, text, info);
    m_whole = !m_root.name.empty() && EndsWithRoot(text, m_root);
}

std::vector<const XmlNode*> ServerDocument::Ressources() const
{
    return GetChildren(m_root, "ressource");
}

int ServerDocument::TotalResults() const
{
    return ReadCount(GetAttribute(m_root, "total_results"));
}

int ServerDocument::MaxPage() const
{
    return ReadCount(GetAttribute(m_root, "max_page"));
}

bool ServerDocument::IsListing() const
{
    return m_whole && GetAttribute(m_root, "max_page") && GetAttribute(m_root, "total_results");
}

int LocalTotal(const std::string& text, int absent)
{
    if (text.empty())
        return absent;
    return ServerDocument(text).TotalResults();
}
