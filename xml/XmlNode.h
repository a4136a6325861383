#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

class XmlArena;
class XmlNode;

enum XmlNodeType : int32_t
{
    XmlElement = 0,
    XmlProcessingInstruction = 1,
    XmlComment = 2,
    XmlCdata = 3,
    XmlDocument = 4,
};

struct XmlAttribute
{
    std::string_view name;
    std::string_view value;
    XmlNode* owner = nullptr;
    XmlAttribute* next = nullptr;
};

// A forward list threaded through its entries' `next` pointers. The entries
// belong to the tree's arena; the list only links them in document order.
template <typename T>
class XmlList
{
public:
    class Iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = T*;
        using reference = T&;

        explicit Iterator(T* p = nullptr) : m_p(p) {}
        T& operator*() const { return *m_p; }
        T* operator->() const { return m_p; }
        Iterator& operator++() { m_p = m_p->next; return *this; }
        Iterator operator++(int) { Iterator old = *this; m_p = m_p->next; return old; }
        bool operator==(const Iterator&) const = default;

    private:
        T* m_p;
    };

    Iterator begin() const { return Iterator(m_first); }
    Iterator end() const { return Iterator(); }
    T* First() const { return m_first; }
    bool empty() const { return m_first == nullptr; }
    // Walks the list: nodes stay small when the count is not stored.
    size_t size() const
    {
        size_t n = 0;
        for (T* p = m_first; p; p = p->next)
            ++n;
        return n;
    }

    void Append(T* entry)
    {
        entry->next = nullptr;
        if (m_last)
            m_last->next = entry;
        else
            m_first = entry;
        m_last = entry;
    }
    void Clear() { m_first = m_last = nullptr; }

private:
    T* m_first = nullptr;
    T* m_last = nullptr;
};

// A node of a parsed tree. A node constructed by the caller is a top-level
// node: it owns the arena in which the parser places the text, the child
// nodes and the attributes of its tree. `name` and `value` view that arena
// (or memory the caller keeps alive when the caller sets them).
class XmlNode
{
public:
    XmlNode();
    XmlNode(XmlNode* parentNode, XmlNodeType nodeType, XmlArena* arena);
    ~XmlNode();
    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

    std::string_view name;
    std::string_view value;
    XmlNode* parent = nullptr;
    XmlList<XmlNode> children;
    XmlList<XmlAttribute> attributes;
    XmlNodeType type = XmlElement;
    XmlNode* next = nullptr;  // next sibling in the parent's children

    // The arena new nodes of this tree go to; created on first use.
    XmlArena& Arena();
    // True when this node owns the arena it allocates from.
    bool OwnsArena() const { return m_ownsArena; }

    // The parser marks a value in which it saw none of & " ' < >, so that
    // text output can copy it without looking for characters to encode.
    // The mark no longer counts once `value` is set to anything else.
    void MarkPlainValue()
    {
        m_plainData = value.data();
        m_plainSize = value.size();
    }
    bool HasPlainValue() const { return m_plainData == value.data() && m_plainSize == value.size(); }

private:
    XmlArena* m_arena = nullptr;
    const char* m_plainData = nullptr;
    size_t m_plainSize = 0;
    bool m_ownsArena = false;
};

// Deletes all children and attributes of the node; name and value stay.
// (The entries stay in the arena until the tree is recycled or destroyed.)
inline void Reset(XmlNode& node)
{
    node.children.Clear();
    node.attributes.Clear();
}
