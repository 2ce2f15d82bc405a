// Card sets of the hidden-layout solver: suits, ranks and trick winners.
#pragma once

#include <cstdint>

#include "preferans/LayoutSolver.h"

namespace preferans {

inline int suitOf(int card) {
    return card >> 3;
}
inline int rankOf(int card) {
    return card & 7;
}
inline CardSet cardBit(int card) {
    return 1u << card;
}
inline CardSet suitCards(int suit) {
    return 0xFFu << (8 * suit);
}
inline int highestCard(CardSet s) {
    return 31 - __builtin_clz(s);
}
inline int cardCount(CardSet s) {
    return __builtin_popcount(s);
}
// The `count` highest cards of a set.
inline CardSet highestOf(CardSet s, int count) {
    for (int drop = cardCount(s) - count; drop > 0; drop--) s &= s - 1;
    return s;
}

// Whether `later`, played after `winning`, takes the trick from it.
inline bool takesOver(int winning, int later, int trump) {
    if (suitOf(later) == suitOf(winning)) return later > winning;
    return suitOf(later) == trump;
}

}  // namespace preferans
