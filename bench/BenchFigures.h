#pragma once

// The figures the window benchmarks print: milliseconds since a moment, and a sample set's
// median, mean, 90th percentile and maximum on one line.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace bench
{
using Clock = std::chrono::steady_clock;

inline double Ms(Clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

inline void Report(const char* what, std::vector<double> samples)
{
    if (samples.empty())
        return;
    std::sort(samples.begin(), samples.end());
    double sum = 0;
    for (double s : samples)
        sum += s;
    std::printf("%-40s n=%zu  median %.3f ms  mean %.3f ms  p90 %.3f ms  max %.3f ms\n", what, samples.size(),
                samples[samples.size() / 2], sum / samples.size(), samples[samples.size() * 9 / 10],
                samples.back());
}
} // namespace bench
