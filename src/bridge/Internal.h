// Internals of the bridge solver object shared by its source files: the card
// encoding, the move list, the table entry and small bit helpers.
#pragma once

#include <cstdint>

#include "bridge/Engine.h"
#include "ddsolver/compat/DealCodes.h"

namespace bridge {

using ::NO_TRUMP;
constexpr uint8_t NO_MOVE = 0xFF;
constexpr int CUT_SLOT_BITS = 17;  // slots of the cut-off card memory
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
// Cards in a 13-bit mask, from a table built at compile time (the builtin
// would call a library routine on a plain x86-64 target).
struct CardCounts {
    uint8_t of[8192];
    constexpr CardCounts() : of() {
        for (int m = 1; m < 8192; ++m) of[m] = static_cast<uint8_t>(of[m >> 1] + (m & 1));
    }
};
inline constexpr CardCounts CARD_COUNTS{};
inline int countCards(uint32_t mask) {
    return CARD_COUNTS.of[mask & 0x1FFF];
}
// One card of a seat's suit in a shape (sixteen four-bit lengths, seat 0
// suit 0 in the top four bits), by seat * 4 + suit.
struct LengthUnits {
    uint64_t of[16];
    constexpr LengthUnits() : of() {
        for (int i = 0; i < 16; ++i) of[i] = uint64_t{1} << (60 - 4 * i);
    }
};
inline constexpr LengthUnits LENGTH_UNITS{};
inline uint64_t lengthUnit(int seat, int suit) {
    return LENGTH_UNITS.of[seat * 4 + suit];
}
// The cards of `held` above every card of `others` (all of them when
// `others` is empty): a hand's winners in a suit.
inline uint32_t cardsAbove(uint32_t held, uint32_t others) {
    return others == 0 ? held : held & ~((2u << highestRank(others)) - 1);
}
// Ranks strictly between low and high.
inline uint32_t ranksBetween(int low, int high) {
    return ((1u << high) - 1) & ~((2u << low) - 1);
}

// The candidate cards of one seat, best first.
struct Engine::Moves {
    int count = 0;
    uint8_t card[13];
    int weight[13];

    void add(int c, int w) {
        card[count] = static_cast<uint8_t>(c);
        weight[count] = w;
        ++count;
    }
};

// Takes the highest run of `held` out of it: cards with no card of `breaks`
// between them form one run. Returns its top card; `bottom` receives its
// lowest.
inline int takeTopRun(uint32_t& held, uint32_t breaks, int& bottom) {
    const int top = highestRank(held);
    held ^= 1u << top;
    bottom = top;
    while (held != 0) {
        const int next = highestRank(held);
        if (breaks & ranksBetween(next, bottom)) break;
        held ^= 1u << next;
        bottom = next;
    }
    return top;
}

// Calls f(rank) for the top card of each run of `held`: cards with no other
// card of `inPlay` between them form one run.
template <typename F>
void forEachRunTop(uint32_t held, uint32_t inPlay, F f) {
    int bottom;
    while (held != 0) f(takeTopRun(held, inPlay, bottom));
}

// Calls f(rank) for the lowest card of each run of `held` (cards with no
// card of `breaks` between them), from the top run down.
template <typename F>
void forEachRunBottom(uint32_t held, uint32_t breaks, F f) {
    int bottom;
    while (held != 0) {
        takeTopRun(held, breaks, bottom);
        f(bottom);
    }
}

// Sorts by weight, highest first; equal weights keep their order.
inline void sortMoves(Engine::Moves& m) {
    for (int i = 1; i < m.count; ++i) {
        const uint8_t c = m.card[i];
        const int w = m.weight[i];
        int j = i;
        for (; j > 0 && m.weight[j - 1] < w; --j) {
            m.card[j] = m.card[j - 1];
            m.weight[j] = m.weight[j - 1];
        }
        m.card[j] = c;
        m.weight[j] = w;
    }
}

// Whether `seat` holds no card of side suit s but a trump.
inline bool Engine::canRuff(int seat, int s) const {
    return trump_ != NO_TRUMP && s != trump_ && hand_[seat][s] == 0 && hand_[seat][trump_] != 0;
}

// One remembered set of trick starts (partition search): every position
// with this seat on lead, these suit lengths in every hand, and these owners
// of the top cards of each suit (the cards whose ranks mattered and every
// card above them), whatever the owners of the lower cards. The bounds are
// on the North-South tricks from here on.
struct Engine::TableEntry {
    uint64_t shape;    // four bits per seat and suit: the lengths
    uint32_t top[4];   // per suit: owners of its top cards, two bits each
    uint8_t count[4];  // per suit: how many top cards the entry fixes
    uint8_t leader;
    int8_t low;
    int8_t high;
    uint8_t move;  // suit * 16 + cards of the suit above it; NO_MOVE if none
};

}  // namespace bridge
