#pragma once

#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

// A reproducible random source. std::mt19937's output is fixed by the
// standard, but the standard distributions are not, so the few we need are
// written out here and give the same numbers with every library.
class CatgenRandom
{
public:
    // One independent stream per (seed, stream) pair.
    CatgenRandom(std::uint64_t seed, std::uint64_t stream);
    // A stream seeded from a text (an item id): what is drawn for an item
    // depends on the item alone, whatever the catalog's seed.
    static CatgenRandom ForText(std::string_view text, std::uint64_t stream);

    std::uint32_t Next();
    // Uniform in [0, bound); bound must be above 0.
    std::uint32_t Below(std::uint32_t bound);
    // Uniform in [low, high]; low <= high.
    int Between(int low, int high);
    // True with a chance of percent in 100.
    bool Percent(std::uint32_t percent);

    template <typename T>
    const T& Pick(const std::vector<T>& values)
    {
        return values[Below(static_cast<std::uint32_t>(values.size()))];
    }

    template <typename T>
    void Shuffle(std::vector<T>& values)
    {
        for (std::size_t i = values.size(); i > 1; --i)
            std::swap(values[i - 1], values[Below(static_cast<std::uint32_t>(i))]);
    }

private:
    std::mt19937 m_engine;
};
