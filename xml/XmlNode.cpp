#include "xml/XmlNode.h"

#include "xml/XmlArena.h"

XmlNode::XmlNode(XmlNode* parentNode, XmlNodeType nodeType, XmlArena* arena)
    : parent(parentNode), type(nodeType), m_arena(arena)
{
}

XmlNode::XmlNode() = default;
XmlNode::~XmlNode() = default;

XmlArena& XmlNode::Arena()
{
    if (!m_arena) {
        m_ownArena = std::make_unique<XmlArena>();
        m_arena = m_ownArena.get();
    }
    return *m_arena;
}

void Reset(XmlNode& node)
{
    // The entries stay in the arena until the tree is recycled or destroyed.
    node.children.Clear();
    node.attributes.Clear();
}
