#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Which pairs of bytes each block of a text holds, hashed into a bitmap: a
// search looks only where every pair of its word may stand, so a rare word
// skips most of the text. Built once the text is complete; a text that
// changes needs a new filter.
class BlockFilter
{
public:
    static constexpr size_t kBlockBytes = 4096;

    void Build(std::string_view text);

    // Calls scan(begin, end) for each run of [from, to) that may hold the
    // word, in order; a run reaches word.size() - 1 bytes past its last
    // block, so that a word that starts in it is found whole. Words of
    // fewer than two bytes, and texts without a filter, are one run.
    template <typename Scan>
    void ForEachRun(std::string_view word, size_t from, size_t to, Scan scan) const
    {
        if (word.size() < 2 || m_blocks.empty()) {
            scan(from, to);
            return;
        }
        const std::vector<uint32_t> pairs = PairsOf(word);
        size_t block = from / kBlockBytes;
        const size_t lastBlock = (to - 1) / kBlockBytes;
        while (block <= lastBlock) {
            if (!MayHold(block, pairs)) {
                ++block;
                continue;
            }
            size_t end = block + 1;
            while (end <= lastBlock && MayHold(end, pairs))
                ++end;
            const size_t begin = std::max(from, block * kBlockBytes);
            scan(begin, std::min(to, end * kBlockBytes + word.size() - 1));
            block = end;
        }
    }

private:
    static constexpr size_t kBits = 2048;
    using Bitmap = std::array<uint64_t, kBits / 64>;

    static uint32_t PairHash(unsigned char a, unsigned char b)
    {
        return ((static_cast<uint32_t>(a) << 8 | b) * 0x9E3779B1u) >> 21;
    }
    static std::vector<uint32_t> PairsOf(std::string_view word);
    // A word that starts in the block has its pairs in it or in the next.
    bool MayHold(size_t block, const std::vector<uint32_t>& pairs) const;

    std::vector<Bitmap> m_blocks;
};
