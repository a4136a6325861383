#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

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

    void* Allocate(size_t size, size_t align);

    // Objects placed here are never destroyed one by one: only trivially
    // destructible state (or state that owns nothing) may live in them.
    template <typename T, typename... Args>
    T* New(Args&&... args)
    {
        return new (Allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    }

    // A NUL-terminated copy of length bytes of text.
    char* CopyText(const char* text, size_t length);

    // Forgets every allocation; the largest block is kept for the next parse.
    void Recycle();

    // Name and value of the top-level node survive a new parse of its tree,
    // so they are moved here out of the blocks before they are recycled.
    std::string keptName;
    std::string keptValue;

private:
    struct Block
    {
        std::unique_ptr<char[]> data;
        size_t size = 0;
    };

    char* NewBlock(size_t minimum);

    std::vector<Block> m_blocks;
    char* m_cursor = nullptr;
    char* m_limit = nullptr;
};
