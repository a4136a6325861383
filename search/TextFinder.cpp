#include "search/TextFinder.h"

#include <cstring>

#include <immintrin.h>

namespace {

size_t FindPortable(std::string_view haystack, std::string_view needle)
{
    const void* at = ::memmem(haystack.data(), haystack.size(), needle.data(), needle.size());
    return at ? static_cast<size_t>(static_cast<const char*>(at) - haystack.data()) : std::string_view::npos;
}

// Tests 32 positions at once on the needle's first two bytes and its last,
// then compares the rest of each candidate: letters that are common alone
// are rarer in pairs, so few candidates get that far.
__attribute__((target("avx2"))) size_t FindAvx2(std::string_view haystack, std::string_view needle)
{
    const size_t k = needle.size();
    const size_t n = haystack.size();
    if (k < 3)
        return FindPortable(haystack, needle);
    if (k > n)
        return std::string_view::npos;
    const __m256i first = _mm256_set1_epi8(needle[0]);
    const __m256i second = _mm256_set1_epi8(needle[1]);
    const __m256i last = _mm256_set1_epi8(needle[k - 1]);
    const char* s = haystack.data();
    size_t i = 0;
    for (; i + k + 31 <= n; i += 32) {
        const __m256i block0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        const __m256i block1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 1));
        const __m256i blockLast = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + k - 1));
        const __m256i equal = _mm256_and_si256(
            _mm256_and_si256(_mm256_cmpeq_epi8(first, block0), _mm256_cmpeq_epi8(second, block1)),
            _mm256_cmpeq_epi8(last, blockLast));
        auto mask = static_cast<uint32_t>(_mm256_movemask_epi8(equal));
        while (mask != 0) {
            const auto bit = static_cast<size_t>(__builtin_ctz(mask));
            if (std::memcmp(s + i + bit + 2, needle.data() + 2, k - 3) == 0)
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
