// Timing helpers shared by the benchmarks.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

using Clock = std::chrono::steady_clock;

inline double microseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::micro>(to - from).count();
}

inline double milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Median of the measurements (the mean of the middle two for an even count).
inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
