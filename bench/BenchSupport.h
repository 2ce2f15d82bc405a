// Timing helpers and the seeded random full deals shared by the benchmarks.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <utility>
#include <vector>

using Clock = std::chrono::steady_clock;

inline double microseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::micro>(to - from).count();
}

inline double milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

inline double sum(const std::vector<double>& values) {
    double total = 0;
    for (double value : values) total += value;
    return total;
}

// Median of the measurements (the mean of the middle two for an even count).
inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Seed of the bridge benchmarks' random deals: every bridge bench solves the
// same deals, so their figures and signatures can be set side by side.
constexpr uint64_t BRIDGE_BENCH_SEED = 20260314;

// splitmix64: the same deals with any compiler and standard library.
inline uint64_t nextRandom(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// All 52 cards, thirteen to each seat (deal codes 1 to 4).
inline std::vector<int> randomFullDeal(uint64_t& state) {
    int cards[52];
    for (int i = 0; i < 52; ++i) cards[i] = i;
    for (int i = 51; i > 0; --i) std::swap(cards[i], cards[nextRandom(state) % (i + 1)]);
    std::vector<int> deal(52);
    for (int i = 0; i < 52; ++i) deal[cards[i]] = i / 13 + 1;
    return deal;
}
