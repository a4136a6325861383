#include "search/BlockFilter.h"

#include <algorithm>

void BlockFilter::Build(std::string_view text)
{
    m_blocks.assign((text.size() + kBlockBytes - 1) / kBlockBytes, Bitmap{});
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        Bitmap& map = m_blocks[b];
        // The pair that starts on a block's last byte ends in the next.
        const size_t end = std::min(text.size() - 1, (b + 1) * kBlockBytes);
        for (size_t i = b * kBlockBytes; i < end; ++i) {
            const uint32_t bit = PairHash(bytes[i], bytes[i + 1]);
            map[bit / 64] |= uint64_t{1} << (bit % 64);
        }
    }
}

std::vector<uint32_t> BlockFilter::PairsOf(std::string_view word)
{
    std::vector<uint32_t> pairs;
    for (size_t i = 0; i + 1 < word.size(); ++i)
        pairs.push_back(PairHash(static_cast<unsigned char>(word[i]), static_cast<unsigned char>(word[i + 1])));
    return pairs;
}

bool BlockFilter::MayHold(size_t block, const std::vector<uint32_t>& pairs) const
{
    const Bitmap& here = m_blocks[block];
    const Bitmap* next = block + 1 < m_blocks.size() ? &m_blocks[block + 1] : nullptr;
    for (uint32_t bit : pairs) {
        const uint64_t mask = uint64_t{1} << (bit % 64);
        if (!(here[bit / 64] & mask) && !(next && (*next)[bit / 64] & mask))
            return false;
    }
    return true;
}
