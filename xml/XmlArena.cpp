#include "xml/XmlArena.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t kFirstBlock = 64 * 1024;
constexpr size_t kLargestGrowth = 4 * 1024 * 1024;
constexpr size_t kKeptTotal = 128 * 1024 * 1024;

char* AlignUp(char* p, size_t align)
{
    auto value = reinterpret_cast<uintptr_t>(p);
    value = (value + align - 1) & ~(static_cast<uintptr_t>(align) - 1);
    return reinterpret_cast<char*>(value);
}

}  // namespace

void XmlArena::UseBlock(size_t index)
{
    m_current = index;
    m_cursor = m_blocks[index].data.get();
    m_limit = m_cursor + m_blocks[index].size;
}

void XmlArena::NewBlock(size_t minimum)
{
    size_t size = m_blocks.empty() ? kFirstBlock : std::min(m_blocks.back().size * 2, kLargestGrowth);
    size = std::max(size, minimum);
    Block block;
    block.data.reset(new char[size]);
    block.size = size;
    m_blocks.push_back(std::move(block));
    UseBlock(m_blocks.size() - 1);
}

void* XmlArena::AllocateSlow(size_t size, size_t align)
{
    char* p = m_cursor ? AlignUp(m_cursor, align) : nullptr;
    while (!p || p > m_limit || static_cast<size_t>(m_limit - p) < size) {
        // Blocks kept from an earlier parse come first, in order.
        if (m_cursor && m_current + 1 < m_blocks.size())
            UseBlock(m_current + 1);
        else
            NewBlock(size + align);
        p = AlignUp(m_cursor, align);
    }
    m_cursor = p + size;
    return p;
}

char* XmlArena::CopyText(const char* text, size_t length)
{
    auto* copy = static_cast<char*>(Allocate(length + 1, 1));
    if (length)
        std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

void XmlArena::Recycle()
{
    if (m_blocks.empty())
        return;
    size_t total = 0;
    for (const Block& b : m_blocks)
        total += b.size;
    if (total > kKeptTotal) {
        auto largest = std::max_element(m_blocks.begin(), m_blocks.end(),
                                        [](const Block& a, const Block& b) { return a.size < b.size; });
        Block keep = std::move(*largest);
        m_blocks.clear();
        m_blocks.push_back(std::move(keep));
    }
    UseBlock(0);
}
