#include "search/TextFinder.h"

#include <cstring>

#include <immintrin.h>

namespace {

size_t FindPortable(std::string_view haystack, std::string_view needle)
{
    const void* at = ::memmem(haystack.data(), haystack.size(), needle.data(), needle.size());
    return at ? static_cast<size_t>(static_cast<const char*>(at) - haystack.data()) : std::string_view::npos;
}

// Tests 32 positions at once on the needle's first and last byte, then
// compares the middle of each candidate.
__attribute__((target("avx2"))) size_t FindAvx2(std::string_view haystack, std::string_view needle)
{
    const size_t k = needle.size();
    const size_t n = haystack.size();
    if (k == 0)
        return 0;
    if (k > n)
        return std::string_view::npos;
    const __m256i first = _mm256_set1_epi8(needle[0]);
    const __m256i last = _mm256_set1_epi8(needle[k - 1]);
    const char* s = haystack.data();
    size_t i = 0;
    for (; i + k + 31 <= n; i += 32) {
        const __m256i blockFirst = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        const __m256i blockLast = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + k - 1));
        auto mask = static_cast<uint32_t>(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(first, blockFirst), _mm256_cmpeq_epi8(last, blockLast))));
        while (mask != 0) {
            const auto bit = static_cast<size_t>(__builtin_ctz(mask));
            if (k <= 2 || std::memcmp(s + i + bit + 1, needle.data() + 1, k - 2) == 0)
                return i + bit;
            mask &= mask - 1;
        }
    }
    const size_t rest = FindPortable(haystack.substr(i), needle);
    return rest == std::string_view::npos ? rest : i + rest;
}

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

} // namespace

size_t TextFinder::Find(std::string_view haystack) const
{
    return HasAvx2() ? FindAvx2(haystack, m_needle) : FindPortable(haystack, m_needle);
}
