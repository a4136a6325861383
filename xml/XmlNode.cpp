#include "xml/XmlNode.h"

#include "xml/XmlArena.h"

XmlNode::XmlNode(XmlNode* parentNode, XmlNodeType nodeType, XmlArena* arena)
    : parent(parentNode), type(nodeType), m_arena(arena)
{
}

XmlNode::XmlNode() = default;
XmlNode::~XmlNode()
{
    if (m_ownsArena)
        delete m_arena;
}

XmlArena& XmlNode::Arena()
{
    if (!m_arena) {
        m_arena = new XmlArena;
        m_ownsArena = true;
    }
    return *m_arena;
}
