// Search of the single-position preferans solver: the trick-by-trick
// alpha-beta on the records, with the transposition table at trick starts.
#include "preferans/SolverInternal.h"

namespace preferans {

namespace {

inline void store(Solver& sv, uint32_t slot, int value, uint8_t kind) {
    HashEntry& e = sv.hashtable[slot];
    e.key = sv.key;
    e.value = static_cast<int8_t>(value);
    e.kind = kind;
}

// Score of the last trick for who[0]: every player holds one card, except
// that a card led from the table is already out and its lead kept in `rec`.
int lastTrick(Record& rec) {
    const Solver& sv = *rec.solver;
    for (int s = 0; s < 4; s++) {
        for (ListItem* c = sv.Q[s].lower; c != &sv.S[s]; c = c->lower) {
            if (c->owner == rec.who[0]) {
                rec.leadSuit = c->suit;
                rec.leadRank = c->rank;
            } else if (c->owner == rec.who[1]) {
                rec.card2 = c;
            } else {
                rec.card3 = c;
            }
        }
    }
    const int w = trickWinner(sv, rec.leadSuit, rec.leadRank, rec.card2->suit, rec.card2->rank,
                              rec.card3->suit, rec.card3->rank);
    const bool won = winnerOnSideOf(sv, rec.who, w, 0);
    return won != sv.mizer ? 1 : -1;
}

// The leader's node past the quick answers: tries his leads within the
// clamped window and stores the outcome in the position's slot. Kept out of
// line so that the many quick returns of `generate` stay cheap.
PREF_NOINLINE int searchLeads(Record& rec, int alpha, int beta, uint32_t slot) {
    Solver& sv = *rec.solver;
    sv.node_count++;
    bool raised = false;
    bool cut = false;
    forEachLead(rec, [&](ListItem* c) {
        int v = scoreLead(rec, c, alpha, beta);
        if (v <= alpha) return false;
        if (v >= beta) {
            cut = true;
            return true;
        }
        alpha = v;
        raised = true;
        return false;
    });
    if (cut) {
        store(sv, slot, beta, KIND_LOWER);
        return beta;
    }
    store(sv, slot, alpha, raised ? KIND_EXACT : KIND_UPPER);
    return alpha;
}

}  // namespace

int Record::generate(int alpha, int beta) {
    if (tricksLeft <= alpha) return alpha;
    if (beta <= -tricksLeft) return beta;
    if (child == nullptr) return lastTrick(*this);
    if (alpha < -tricksLeft) alpha = -tricksLeft;
    if (beta > tricksLeft) beta = tricksLeft;

    const uint32_t key = solver->key;
    const uint32_t slot = slotOf(key, static_cast<int8_t>(who[0]));
    const HashEntry& entry = solver->hashtable[slot];
    if (entry.key == key) {
        if (entry.kind == KIND_EXACT) return entry.value;
        if (entry.kind == KIND_UPPER && entry.value <= alpha) return alpha;
        if (entry.kind == KIND_LOWER && entry.value >= beta) return beta;
    }
    return searchLeads(*this, alpha, beta, slot);
}

int Record::generate1(int alpha, int beta) {
    for (int32_t i = 0; i < nmoves2; i++) {
        int v = scoreSecondCard(*this, moves2[i], alpha, beta);
        if (v > alpha) {
            if (v >= beta) return beta;
            alpha = v;
        }
    }
    return alpha;
}

int Record::generate2(int alpha, int beta) {
    for (int32_t i = 0; i < nmoves3; i++) {
        int v = scoreThirdCard(*this, leadSuit, leadRank, card2->suit, card2->rank, moves3[i],
                               alpha, beta);
        if (v > alpha) {
            if (v >= beta) return beta;
            alpha = v;
        }
    }
    return alpha;
}

}  // namespace preferans
