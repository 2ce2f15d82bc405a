// Root search of the single-position preferans solver: the first trick with
// 0, 1 or 2 cards already on the table, remembering the best card.
#include "preferans/SolverInternal.h"

namespace preferans {

namespace {

inline void recordBest(Solver& sv, const ListItem* c) {
    sv.bc = c->rank;
    sv.bs = c->suit;
}

}  // namespace

int Record::first_generate(int alpha, int beta) {
    if (tricksLeft == 1) return generate(-2, 2);
    forEachLead(*this, [&](ListItem* c) {
        int v = scoreLead(*this, c, alpha, beta);
        if (v <= alpha) return false;
        recordBest(*solver, c);
        alpha = v;
        return v >= beta;
    });
    return alpha;
}

int Record::first_generate(int alpha, int beta, int16_t suit, int16_t rank) {
    leadSuit = static_cast<uint8_t>(suit);
    leadRank = static_cast<uint8_t>(rank);
    find_suitable_cards();
    solver->RemoveItem(suit, rank);
    if (nmoves2 > 0) recordBest(*solver, moves2[0]);
    if (tricksLeft == 1) {
        int g = generate(-1, 1);
        return who[2] == solver->whose ? g : -g;
    }
    for (int32_t i = 0; i < nmoves2; i++) {
        ListItem* a = moves2[i];
        int v = scoreSecondCard(*this, a, alpha, beta);
        if (v > alpha) {
            recordBest(*solver, a);
            alpha = v;
        }
        if (alpha >= beta) return alpha;
    }
    return alpha;
}

int Record::first_generate(int alpha, int beta, int16_t suit1, int16_t rank1, int16_t suit2,
                           int16_t rank2) {
    leadSuit = static_cast<uint8_t>(suit1);
    leadRank = static_cast<uint8_t>(rank1);
    find_suitable_cards2();
    solver->RemoveItem(suit1, rank1);
    solver->RemoveItem(suit2, rank2);
    if (nmoves3 < 1) return alpha;  // only for a third player without cards
    recordBest(*solver, moves3[0]);
    if (tricksLeft == 1) {
        const ListItem* b = moves3[0];
        const int w = trickWinner(*solver, suit1, rank1, suit2, rank2, b->suit, b->rank);
        return winnerOnSideOf(*solver, who, w, 2) != solver->mizer ? 1 : -1;
    }
    for (int32_t i = 0; i < nmoves3; i++) {
        ListItem* b = moves3[i];
        int v = scoreThirdCard(*this, suit1, rank1, suit2, rank2, b, alpha, beta);
        if (v > alpha) {
            recordBest(*solver, b);
            alpha = v;
        }
        if (alpha >= beta) return alpha;
    }
    return alpha;
}

}  // namespace preferans
