#include "xml/XmlQuery.h"

#include "xml/XmlEntityTable.h"

const XmlOutputOptions& SharedOutputOptions()
{
    static const XmlOutputOptions options{true, &DefaultEntityTable()};
    return options;
}

const XmlNode* GetChild(const XmlNode& node, std::string_view name)
{
    for (const XmlNode& child : node.children)
        if (child.name == name)
            return &child;
    return nullptr;
}

std::vector<const XmlNode*> GetChildren(const XmlNode& node, std::string_view name)
{
    std::vector<const XmlNode*> found;
    for (const XmlNode& child : node.children)
        if (child.name == name)
            found.push_back(&child);
    return found;
}

const XmlAttribute* GetAttribute(const XmlNode& node, std::string_view name)
{
    for (const XmlAttribute& attribute : node.attributes)
        if (attribute.name == name)
            return &attribute;
    return nullptr;
}

namespace {

void AppendEncoded(std::string& out, std::string_view text, const XmlEntityTable& table)
{
    size_t runStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const XmlEntity* entity = table.ForCharacter(text[i]);
        if (!entity)
            continue;
        out.append(text, runStart, i - runStart);
        out += entity->Reference();
        runStart = i + 1;
    }
    out.append(text, runStart, std::string_view::npos);
}

void AppendOwnText(std::string& out, const XmlNode& node, const XmlOutputOptions& options)
{
    if (node.type != XmlElement)
        return;
    if (options.encodeReferences && options.entityTable)
        AppendEncoded(out, node.value, *options.entityTable);
    else
        out += node.value;
}

bool HasChildTexts(const XmlNode& node)
{
    return (node.type == XmlElement || node.type == XmlDocument) && !node.children.empty();
}

// A node without children to visit: its whole text at once.
void AppendLeafText(std::string& out, const XmlNode& node, const XmlOutputOptions& options)
{
    if (node.type == XmlCdata)
        out += node.value;
    else
        AppendOwnText(out, node, options);
}

}  // namespace

std::string GetText(const XmlNode& node, const XmlOutputOptions& options)
{
    std::string out;
    if (!HasChildTexts(node)) {
        AppendLeafText(out, node, options);
        return out;
    }

    // Children first, in document order, then the node's own value: a
    // post-order walk with an explicit stack, safe at any depth.
    struct Frame
    {
        const XmlNode* node;
        const XmlOutputOptions* options;
        const XmlNode* nextChild;
    };
    std::vector<Frame> stack{{&node, &options, node.children.First()}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (const XmlNode* child = top.nextChild) {
            top.nextChild = child->next;
            // Elements read their children with the shared options; a
            // document passes its own options on.
            const XmlOutputOptions* childOptions =
                top.node->type == XmlDocument ? top.options : &SharedOutputOptions();
            if (HasChildTexts(*child))
                stack.push_back({child, childOptions, child->children.First()});
            else
                AppendLeafText(out, *child, *childOptions);
            continue;
        }
        AppendOwnText(out, *top.node, *top.options);
        stack.pop_back();
    }
    return out;
}

std::string EncodeReferences(const XmlEntityTable* table, std::string_view text)
{
    std::string out;
    if (!table) {
        out = text;
        return out;
    }
    out.reserve(text.size());
    AppendEncoded(out, text, *table);
    return out;
}
