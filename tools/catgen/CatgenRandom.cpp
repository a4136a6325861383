#include "tools/catgen/CatgenRandom.h"

namespace {

// SplitMix64 finaliser: neighbouring seeds and streams give unrelated states.
std::uint64_t Mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

} // namespace

CatgenRandom::CatgenRandom(std::uint64_t seed, std::uint64_t stream)
    : m_engine(static_cast<std::uint32_t>(Mix(Mix(seed) ^ stream) >> 32))
{
}

CatgenRandom CatgenRandom::ForText(std::string_view text, std::uint64_t stream)
{
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return CatgenRandom(hash, stream);
}

std::uint32_t CatgenRandom::Next()
{
    return static_cast<std::uint32_t>(m_engine());
}

std::uint32_t CatgenRandom::Below(std::uint32_t bound)
{
    // Rejection keeps the result unbiased: draws in the incomplete top
    // block of 2^32 are thrown away.
    const std::uint32_t limit = static_cast<std::uint32_t>(0u - bound) % bound;
    for (;;) {
        const std::uint32_t r = Next();
        if (r >= limit)
            return r % bound;
    }
}

int CatgenRandom::Between(int low, int high)
{
    const auto span = static_cast<std::uint32_t>(static_cast<std::int64_t>(high) - low + 1);
    return static_cast<int>(low + static_cast<std::int64_t>(Below(span)));
}

bool CatgenRandom::Percent(std::uint32_t percent)
{
    return Below(100) < percent;
}
