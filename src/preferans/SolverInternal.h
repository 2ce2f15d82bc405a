// Helpers shared by the files of the single-position preferans solver: card
// bits, play and take-back, trick winners, reply walks and the scoring of one
// card of a trick, all on the state of one Solver.
#pragma once

#include "ddsolver/compat/DealCodes.h"
#include "preferans/CardList.h"
#include "preferans/Solver.h"

// Inlining hints for the search's hot path, where the compiler supports them.
#if defined(__GNUC__)
#define PREF_NOINLINE __attribute__((noinline))
#define PREF_ALWAYS_INLINE __attribute__((always_inline)) inline
#else
#define PREF_NOINLINE
#define PREF_ALWAYS_INLINE inline
#endif

namespace preferans {

using ::NO_TRUMP;
constexpr uint8_t KIND_EXACT = 0;
constexpr uint8_t KIND_UPPER = 1;
constexpr uint8_t KIND_LOWER = 2;

// Suit s owns byte s of the key, the ace in its lowest bit and the seven in its highest.
inline uint32_t cardBit(int suit, int rank) {
    return 1u << (suit * 8 + 7 - rank);
}

inline void play(Solver& sv, ListItem* x) {
    unlinkCard(x);
    sv.key ^= sv.index[x->rank * 4 + x->suit];
}

inline void takeBack(Solver& sv, ListItem* x) {
    relinkCard(x);
    sv.key ^= sv.index[x->rank * 4 + x->suit];
}

// Whether card x, played earlier to the trick, beats card y played after it.
inline bool beats(const Solver& sv, int xSuit, int xRank, int ySuit, int yRank) {
    return xSuit == ySuit ? xRank > yRank : ySuit != sv.trump;
}

// Position in playing order (0, 1 or 2) of the card that wins the trick.
inline int trickWinner(const Solver& sv, int leadSuit, int leadRank, int suit2, int rank2,
                       int suit3, int rank3) {
    if (beats(sv, leadSuit, leadRank, suit2, rank2)) {
        return beats(sv, leadSuit, leadRank, suit3, rank3) ? 0 : 2;
    }
    return beats(sv, suit2, rank2, suit3, rank3) ? 1 : 2;
}

// Whether the winner at position w of the order `who` is on who[mover]'s side:
// two players are partners exactly when neither is the declarer.
inline bool winnerOnSideOf(const Solver& sv, const uint8_t* who, int w, int mover) {
    if (w == mover) return true;
    int other = 3 - w - mover;  // the third position
    return who[other] == sv.whose;
}

inline bool isDiscardSuit(const Solver& sv, int suit, int leadSuit) {
    return suit != leadSuit && suit != sv.trump;
}

// Whether a void player must look at the trump suit before discarding.
inline bool trumpsApply(const Solver& sv, int leadSuit) {
    return sv.trump != NO_TRUMP && leadSuit != sv.trump;
}

// Walks the leader's candidate leads of record `rec`: first each suit's top
// card when the leader holds it, then one card per remaining run of his cards,
// suit by suit from the top down. The replies are built for the suit before
// its first card is tried. `tryLead` gets the card (still in its list, with
// leadSuit and leadRank set) and returns true to stop the walk.
template <typename TryLead>
void forEachLead(Record& rec, TryLead tryLead) {
    Solver& sv = *rec.solver;
    const uint8_t leader = rec.who[0];
    ListItem* cursor[4];
    for (int s = 0; s < 4; s++) {
        rec.leadSuit = static_cast<uint8_t>(s);
        ListItem* c = sv.Q[s].lower;
        ListItem* const bottom = &sv.S[s];
        if (c == bottom || c->owner != leader) {
            cursor[s] = c == bottom ? c : c->lower;
            continue;
        }
        rec.leadRank = c->rank;
        rec.find_suitable_cards();
        if (tryLead(c)) return;
        do c = c->lower;
        while (c != bottom && c->owner == leader);
        cursor[s] = c;
    }
    for (int s = 0; s < 4; s++) {
        ListItem* const bottom = &sv.S[s];
        bool repliesBuilt = false;
        bool afterOwn = false;
        rec.leadSuit = static_cast<uint8_t>(s);
        for (ListItem* c = cursor[s]; c != bottom; c = c->lower) {
            if (c->owner != leader) {
                afterOwn = false;
                continue;
            }
            if (afterOwn) continue;
            afterOwn = true;
            rec.leadRank = c->rank;
            if (!repliesBuilt) {
                rec.find_suitable_cards();
                repliesBuilt = true;
            }
            if (tryLead(c)) return;
        }
    }
}

// Plays lead card c and searches the rest of the trick; score for the leader.
inline int scoreLead(Record& rec, ListItem* c, int alpha, int beta) {
    Solver& sv = *rec.solver;
    play(sv, c);
    int v = rec.who[2] == sv.whose ? rec.generate1(alpha, beta) : -rec.generate1(-beta, -alpha);
    takeBack(sv, c);
    return v;
}

// Plays second card a and searches the rest of the trick; score for the
// second player.
inline int scoreSecondCard(Record& rec, ListItem* a, int alpha, int beta) {
    Solver& sv = *rec.solver;
    play(sv, a);
    rec.card2 = a;
    const bool partners = rec.who[0] == sv.whose;  // second and third player
    int v = partners ? rec.generate2(alpha, beta) : -rec.generate2(-beta, -alpha);
    takeBack(sv, a);
    return v;
}

// Plays third card b to the trick whose first two cards are given, lets the
// winner lead the next trick and returns the score for the third player.
PREF_ALWAYS_INLINE int scoreThirdCard(Record& rec, int leadSuit, int leadRank, int suit2, int rank2,
                                      ListItem* b, int alpha, int beta) {
    Solver& sv = *rec.solver;
    play(sv, b);
    rec.card3 = b;
    const int w = trickWinner(sv, leadSuit, leadRank, suit2, rank2, b->suit, b->rank);
    Record* next = rec.child;
    // The winner leads; the others follow in the same cyclic order.
    static constexpr uint8_t ORDER[3][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}};
    const uint8_t* order = ORDER[rec.who[w]];
    next->who[0] = order[0];
    next->who[1] = order[1];
    next->who[2] = order[2];
    int v;
    if (winnerOnSideOf(sv, rec.who, w, 2)) {
        const int t = sv.mizer ? -1 : 1;
        v = t + next->generate(alpha - t, beta - t);
    } else {
        const int t = sv.mizer ? 1 : -1;
        v = t - next->generate(t - beta, t - alpha);
    }
    takeBack(sv, b);
    return v;
}

}  // namespace preferans
