// Parses arbitrary bytes with options taken from the first byte, then runs
// every tree query over the result and parses a second text into the same
// top-level node, as the catalog loader does with its page tree.
#include <cstdint>
#include <string_view>

#include "xml/XmlParser.h"
#include "xml/XmlQuery.h"

namespace {

void Query(const XmlNode& root)
{
    GetText(root, SharedOutputOptions());
    GetChildren(root, "ressource");
    GetAttribute(root, "max_page");
    for (const XmlNode& child : root.children) {
        GetText(child, SharedOutputOptions());
        GetChild(child, "id");
        for (const XmlAttribute& a : child.attributes)
            (void)a.value.size();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t flags = data[0];
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    XmlParseInfo info = DefaultParseInfo();
    info.trimText = flags & 1;
    info.tolerateMismatch = flags & 2;
    if (flags & 4)
        info.escapeChar = 0;
    if (flags & 8)
        info.decodeReferences = false;

    XmlNode root;
    const char* end = Parse(root, text, info);
    if (end && (end < text.data() || end > text.data() + text.size()))
        __builtin_trap();
    Query(root);

    Parse(root, text.substr(text.size() / 2), info);
    Query(root);
    return 0;
}
