// Reply generation of the single-position preferans solver: the candidates of
// the second and third player of a trick, one card per run of each.
#include "preferans/SolverInternal.h"

namespace preferans {

namespace {

// Appends to `list` the first card of every run of `owner`'s cards met while
// walking suit s from its lowest card up; any other card ends a run.
inline int32_t appendRunsUp(const Solver& sv, int suit, uint8_t owner, ListItem** list, int32_t n) {
    bool open = true;
    for (ListItem* c = sv.S[suit].higher; c != &sv.Q[suit]; c = c->higher) {
        if (c->owner == owner) {
            if (open) list[n++] = c;
            open = false;
        } else {
            open = true;
        }
    }
    return n;
}

// The same for the second and third player of `rec` in one walk, each into
// his own list; the walk goes from the top down when `Down` is set.
template <bool Down>
inline void appendRunsOfBoth(Record& rec, int suit) {
    Solver& sv = *rec.solver;
    const uint8_t a = rec.who[1];
    const uint8_t b = rec.who[2];
    ListItem* const end = Down ? &sv.S[suit] : &sv.Q[suit];
    bool openA = true;
    bool openB = true;
    for (ListItem* c = Down ? sv.Q[suit].lower : sv.S[suit].higher; c != end;
         c = Down ? c->lower : c->higher) {
        if (c->owner == a) {
            if (openA) rec.moves2[rec.nmoves2++] = c;
            openA = false;
            openB = true;
        } else if (c->owner == b) {
            if (openB) rec.moves3[rec.nmoves3++] = c;
            openB = false;
            openA = true;
        } else {
            openA = openB = true;
        }
    }
}

using Completion = void (Record::*)();

// After a walk that could give cards to the second and the third player: if
// one of them got some and the other none, the other's list is completed by
// his own rule; returns false when neither got any.
inline bool completeTheOther(Record& rec, Completion forSecond, Completion forThird) {
    if (rec.nmoves2 > 0) {
        if (rec.nmoves3 == 0) (rec.*forThird)();
        return true;
    }
    if (rec.nmoves3 > 0) {
        (rec.*forSecond)();
        return true;
    }
    return false;
}

// A player void in the suit led discards: one card per run, suit by suit.
inline int32_t appendDiscards(const Solver& sv, int leadSuit, uint8_t player, ListItem** list,
                              int32_t n) {
    for (int d = 0; d < 4; d++) {
        if (isDiscardSuit(sv, d, leadSuit)) n = appendRunsUp(sv, d, player, list, n);
    }
    return n;
}

// A player void in the suit led trumps if he can, else discards.
inline int32_t appendTrumpsOrDiscards(const Solver& sv, int leadSuit, uint8_t player,
                                      ListItem** list, int32_t n) {
    if (trumpsApply(sv, leadSuit)) {
        int32_t withTrumps = appendRunsUp(sv, sv.trump, player, list, n);
        if (withTrumps > n) return withTrumps;
    }
    return appendDiscards(sv, leadSuit, player, list, n);
}

}  // namespace

void Record::find_suitable_cards() {
    nmoves2 = 0;
    nmoves3 = 0;
    const int s = leadSuit;
    appendRunsOfBoth<true>(*this, s);
    if (completeTheOther(*this, &Record::find_suitable_cards_from_trump1,
                         &Record::find_suitable_cards_from_trump2)) {
        return;
    }
    if (trumpsApply(*solver, s)) {
        appendRunsOfBoth<false>(*this, solver->trump);
        if (completeTheOther(*this, &Record::find_suitable_cards_after_trump1,
                             &Record::find_suitable_cards_after_trump2)) {
            return;
        }
    }
    for (int d = 0; d < 4; d++) {
        if (isDiscardSuit(*solver, d, s)) appendRunsOfBoth<false>(*this, d);
    }
}

void Record::find_suitable_cards2() {
    nmoves3 = appendRunsUp(*solver, leadSuit, who[2], moves3, 0);
    if (nmoves3 == 0) find_suitable_cards_from_trump2();
}

void Record::find_suitable_cards_from_trump1() {
    nmoves2 = appendTrumpsOrDiscards(*solver, leadSuit, who[1], moves2, nmoves2);
}

void Record::find_suitable_cards_from_trump2() {
    nmoves3 = appendTrumpsOrDiscards(*solver, leadSuit, who[2], moves3, nmoves3);
}

void Record::find_suitable_cards_after_trump1() {
    nmoves2 = appendDiscards(*solver, leadSuit, who[1], moves2, nmoves2);
}

void Record::find_suitable_cards_after_trump2() {
    nmoves3 = appendDiscards(*solver, leadSuit, who[2], moves3, nmoves3);
}

}  // namespace preferans
