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
#ifdef __POPCNT__
    return __builtin_popcount(s);
#else
    // Without the instruction the builtin is a library call, slower than this.
    s -= (s >> 1) & 0x55555555u;
    s = (s & 0x33333333u) + ((s >> 2) & 0x33333333u);
    return static_cast<int>((((s + (s >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
#endif
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

// In misere, whether the declarer can follow every lead of the defenders in
// `suit` with a card under the one led, whatever they discard, holding `his`
// against `theirs`.
bool ducksEveryRound(CardSet his, CardSet theirs, int suit);

// In misere, at a trick start with `leader` on lead: the fewest tricks of
// those left the declarer surely takes, and the most he can be held to,
// whatever is played. Without `edges` only the answers "none" and "every
// trick left" are looked for (else 0 and every trick), which is all that
// settles a test of neither one trick nor every trick.
struct MisereBounds {
    int low;
    int high;
};
MisereBounds misereOutlook(const CardSet* hands, int declarer, int leader, bool edges = true);

}  // namespace preferans
