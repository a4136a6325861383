#include "search/BlockFilter.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The 0/1 bytes of `seen` as bits, 64 to a word.
template <size_t Bits>
void Pack(const std::array<uint8_t, Bits>& seen, std::array<uint64_t, Bits / 64>& map)
{
    for (size_t w = 0; w < map.size(); ++w) {
        const uint8_t* bytes = seen.data() + w * 64;
        uint64_t word = 0;
#ifdef __SSE2__
        for (size_t k = 0; k < 4; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + k * 16));
            const auto bits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_slli_epi16(v, 7)));
            word |= static_cast<uint64_t>(bits) << (k * 16);
        }
#else
        for (size_t k = 0; k < 64; ++k)
            word |= static_cast<uint64_t>(bytes[k]) << k;
#endif
        map[w] = word;
    }
}

} // namespace

void BlockFilter::Build(std::string_view text)
{
    m_blocks.assign((text.size() + kBlockBytes - 1) / kBlockBytes, Bitmap{});
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    // A byte per bit first: plain stores, none waiting for the one before.
    std::array<uint8_t, kBits> seen;
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        seen.fill(0);
        // The pair that starts on a block's last byte ends in the next.
        const size_t end = std::min(text.size() - 1, (b + 1) * kBlockBytes);
        for (size_t i = b * kBlockBytes; i < end; ++i)
            seen[PairHash(bytes[i], bytes[i + 1])] = 1;
        Pack(seen, m_blocks[b]);
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
