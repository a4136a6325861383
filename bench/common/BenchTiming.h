#pragma once

// Small timing helpers shared by the benchmark programs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace bench {

inline double NowSeconds()
{
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Median wall time of `runs` calls of `work`, in seconds.
inline double MedianSeconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double start = NowSeconds();
        work();
        times.push_back(NowSeconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The options every benchmark takes: "--runs N" and "--check".
struct Options
{
    int runs = 5;
    bool check = false;
};

// Reads argv[1...]; prints the usage and returns false on anything else.
inline bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--check") == 0) {
            options.check = true;
        } else {
            std::fprintf(stderr, "usage: %s [--runs N] [--check]\n", argv[0]);
            return false;
        }
    }
    return true;
}

// Keeps a computed value alive so the optimiser cannot drop the work.
inline void Consume(size_t value)
{
    static volatile size_t sink;
    sink = sink + value;
}

}  // namespace bench
