#include "CatalogSnapshot.h"

#include <cstdio>

#include "catalog/ContentCatalog.h"

namespace {

std::string Printable(const std::string& s)
{
    std::string out;
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

} // namespace

std::vector<std::string> Snapshot(const ContentCatalog& catalog)
{
    std::vector<std::string> lines;
    for (int g = 0; g < catalog.GetGroupCount(); ++g) {
        const ContentGroup& group = *catalog.Group(g);
        lines.push_back("group " + std::to_string(g) + " lib=" + Printable(group.lib)
                        + " id=" + Printable(group.id));
        for (size_t i = 0; i < group.labels.size(); ++i)
            lines.push_back("  " + Printable(group.labels[i]) + " | " + Printable(group.ids[i])
                            + " | " + Printable(group.urls[i]) + " | " + Printable(group.files[i])
                            + " | " + Printable(group.descs[i]));
    }
    return lines;
}

std::string Element(const std::string& tag, const std::string& text)
{
    return "<" + tag + ">" + text + "</" + tag + ">";
}

std::string IndexXml(const std::vector<std::pair<std::string, std::string>>& idAndLib)
{
    std::string xml = "<?xml version=\"1.0\"?>\n<cats>\n";
    for (const auto& [id, lib] : idAndLib)
        xml += Element("ressource", Element("id", id) + Element("lib", lib)) + "\n";
    return xml + "</cats>\n";
}
