// The random stream of one deal: xoshiro256** seeded through splitmix64 from
// a seed and a deal number, and unbiased integers below a bound. Only integer
// arithmetic, so a (seed, number) gives the same cards on every platform.
#pragma once

#include <cstdint>

namespace ddsolver {

// splitmix64: a counter passed through a bijective mixer.
class SplitMix64 {
   public:
    explicit SplitMix64(uint64_t state) : state_(state) {}
    uint64_t next() { return mix(state_ += 0x9E3779B97F4A7C15ull); }
    static uint64_t mix(uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

   private:
    uint64_t state_;
};

class DealRandom {
   public:
    // Streams of different numbers under one seed start from different
    // states (the mixer is a bijection), and the four words come from
    // distinct splitmix64 counters, so the state is never all zero.
    DealRandom(uint64_t seed, uint64_t number) {
        SplitMix64 init(SplitMix64::mix(SplitMix64::mix(seed) + number));
        for (uint64_t& word : state_) word = init.next();
    }

    uint64_t next() {
        const uint64_t result = rotate(state_[1] * 5, 7) * 9;
        const uint64_t shifted = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= shifted;
        state_[3] = rotate(state_[3], 45);
        return result;
    }

    // Uniform in 0 .. bound - 1 (bound > 0): the high word of a 128-bit
    // product, redrawing the few values whose low word would favour some
    // results.
    uint64_t below(uint64_t bound) {
        unsigned __int128 product = static_cast<unsigned __int128>(next()) * bound;
        uint64_t low = static_cast<uint64_t>(product);
        if (low < bound) {
            const uint64_t threshold = (0 - bound) % bound;  // 2^64 mod bound
            while (low < threshold) {
                product = static_cast<unsigned __int128>(next()) * bound;
                low = static_cast<uint64_t>(product);
            }
        }
        return static_cast<uint64_t>(product >> 64);
    }

   private:
    static uint64_t rotate(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    uint64_t state_[4];
};

}  // namespace ddsolver
