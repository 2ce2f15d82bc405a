// Internals of the bridge solver object shared by its source files: the card
// encoding, the move list, the table entry and small bit helpers.
#pragma once

#include <cstdint>

#include "BridgeSolver.h"

namespace bridge {

constexpr int NO_TRUMP = 4;
constexpr uint8_t NO_MOVE = 0xFF;
// The hint that asks generateMoves for the order of the position alone.
constexpr int ROOT_ORDER = -2;
// Cards inside the search: suit * 16 + rank (rank 0 = two .. 12 = ace).
inline int cardOf(int suit, int rank) {
    return suit * 16 + rank;
}
inline int suitOf(int card) {
    return card >> 4;
}
inline int rankOf(int card) {
    return card & 15;
}
inline int highestRank(uint32_t mask) {
    return 31 - __builtin_clz(mask);
}
inline int lowestRank(uint32_t mask) {
    return __builtin_ctz(mask);
}
inline int countCards(uint32_t mask) {
    return __builtin_popcount(mask);
}
// Ranks strictly between low and high.
inline uint32_t ranksBetween(int low, int high) {
    return ((1u << high) - 1) & ~((2u << low) - 1);
}

}  // namespace bridge

// The candidate cards of one seat, best first.
struct BridgeSolver::Moves {
    int count = 0;
    uint8_t card[13];
    int weight[13];

    void add(int c, int w) {
        card[count] = static_cast<uint8_t>(c);
        weight[count] = w;
        ++count;
    }
};

// One remembered trick start: the exact relative-rank key, bounds on the
// North-South tricks from here on, and the card that cut off there.
struct BridgeSolver::TableEntry {
    uint64_t key0;
    uint64_t key1;
    uint32_t generation;  // valid only while equal to the table's
    int8_t low;
    int8_t high;
    uint8_t move;  // suit * 16 + cards of the suit above it; NO_MOVE if none
    uint8_t tricks;
    uint64_t spare;
};
