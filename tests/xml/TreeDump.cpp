#include "TreeDump.h"

#include "xml/XmlNode.h"

namespace {

void Dump(std::string& out, const XmlNode& node, int depth)
{
    out += node.name;
    if (!node.value.empty()) {
        out += "=\"";
        out += node.value;
        out += '"';
    }
    if (!node.attributes.empty()) {
        out += '{';
        bool first = true;
        for (const XmlAttribute& a : node.attributes) {
            if (!first)
                out += ',';
            first = false;
            out += a.name;
            out += "=\"";
            out += a.value;
            out += '"';
        }
        out += '}';
    }
    if (!node.children.empty()) {
        if (depth > 50) {
            out += "(...)";
            return;
        }
        out += '(';
        bool first = true;
        for (const XmlNode& c : node.children) {
            if (!first)
                out += ',';
            first = false;
            Dump(out, c, depth + 1);
        }
        out += ')';
    }
}

}  // namespace

std::string DumpTree(const XmlNode& node)
{
    std::string out;
    Dump(out, node, 0);
    return out;
}
