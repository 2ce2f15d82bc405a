// PrefPosition's static entries: one default solver object behind the solves
// and the result fields that existing callers read.
#include "ddsolver/compat/PrefPosition.h"

#include "preferans/Solver.h"

namespace {

preferans::Solver& defaultSolver() {
    static preferans::Solver solver;
    return solver;
}

// Copies the default solver's results into the static result fields.
bool publishResults(bool accepted) {
    if (!accepted) return false;
    const preferans::Solver& solver = defaultSolver();
    PrefPosition::number_of_cards = solver.number_of_cards;
    PrefPosition::number_of_tricks_of_player = solver.number_of_tricks_of_player;
    PrefPosition::number_of_tricks_of_vist = solver.number_of_tricks_of_vist;
    PrefPosition::bc = solver.bc;
    PrefPosition::bs = solver.bs;
    PrefPosition::node_count = solver.node_count;
    return true;
}

}  // namespace

int16_t PrefPosition::number_of_cards;
int16_t PrefPosition::number_of_tricks_of_player;
int16_t PrefPosition::number_of_tricks_of_vist;
int16_t PrefPosition::bc;
int16_t PrefPosition::bs;
uint64_t PrefPosition::node_count;

bool PrefPosition::solve(const int* deal, int trumpSuit, int leaderSeat, int declarerSeat,
                         bool misere, bool) {
    return publishResults(defaultSolver().solve(deal, trumpSuit, leaderSeat, declarerSeat, misere));
}

bool PrefPosition::solve(const int* deal32, int trumpSuit, int declarer, int leader, bool misere,
                         int16_t leadSuit, int16_t leadRankPosition, int16_t secondSuit,
                         int16_t secondRankPosition, bool) {
    return publishResults(defaultSolver().solve(deal32, trumpSuit, declarer, leader, misere,
                                                leadSuit, leadRankPosition, secondSuit,
                                                secondRankPosition));
}
