#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

class XmlNode;

// Bump allocator for one parsed tree: the copy of the text, the nodes and
// the attributes. Everything is released at once, so destroying a tree of
// any depth takes no recursion, and a tree that is parsed again reuses the
// memory of the previous parse.
class XmlArena
{
public:
    XmlArena() = default;
    XmlArena(const XmlArena&) = delete;
    XmlArena& operator=(const XmlArena&) = delete;

    void* Allocate(size_t size, size_t align)
    {
        auto address = reinterpret_cast<uintptr_t>(m_cursor);
        uintptr_t aligned = (address + align - 1) & ~(static_cast<uintptr_t>(align) - 1);
        if (m_cursor && aligned + size <= reinterpret_cast<uintptr_t>(m_limit)) {
            m_cursor = reinterpret_cast<char*>(aligned + size);
            return reinterpret_cast<void*>(aligned);
        }
        return AllocateSlow(size, align);
    }

    // Objects placed here are never destroyed one by one: only trivially
    // destructible state (or state that owns nothing) may live in them.
    template <typename T, typename... Args>
    T* New(Args&&... args)
    {
        return new (Allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    }

    // A NUL-terminated copy of length bytes of text.
    char* CopyText(const char* text, size_t length);

    // Forgets every allocation. The blocks are kept for the next parse (all
    // of them unless they add up to more than a large document needs).
    void Recycle();

    // Name and value of the top-level node survive a new parse of its tree,
    // so they are moved here out of the blocks before they are recycled.
    std::string keptName;
    std::string keptValue;

    // The parser's stack of open elements, kept for its capacity.
    std::vector<XmlNode*> parseStack;

private:
    struct Block
    {
        std::unique_ptr<char[]> data;
        size_t size = 0;
    };

    void* AllocateSlow(size_t size, size_t align);
    void UseBlock(size_t index);
    void NewBlock(size_t minimum);

    std::vector<Block> m_blocks;
    size_t m_current = 0;  // index of the block m_cursor points into
    char* m_cursor = nullptr;
    char* m_limit = nullptr;
};
