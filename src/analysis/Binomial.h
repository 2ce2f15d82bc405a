// Binomial coefficients of up to 52 cards, exact in 64 bits (the largest,
// C(52, 26), is below 2^49): counting and numbering layouts of cards.
#pragma once

#include <array>
#include <cstdint>

namespace ddsolver {

class Binomials {
   public:
    static constexpr int MAX_N = 52;

    constexpr Binomials() : table_() {
        for (int n = 0; n <= MAX_N; ++n) {
            table_[n][0] = 1;
            for (int k = 1; k <= n; ++k) table_[n][k] = table_[n - 1][k - 1] + table_[n - 1][k];
        }
    }
    // C(n, k); 0 for k outside 0 .. n.
    constexpr uint64_t operator()(int n, int k) const {
        return n < 0 || n > MAX_N || k < 0 || k > n ? 0 : table_[n][k];
    }

   private:
    std::array<std::array<uint64_t, MAX_N + 1>, MAX_N + 1> table_;
};

inline constexpr Binomials BINOMIALS{};

}  // namespace ddsolver
