// PrefPosition's static entry points: one default solver object behind the
// solves, lists and result fields that existing callers use.
#include "preferans/Solver.h"

namespace {

preferans::Solver defaultSolver;

// Copies the default solver's results into the static result fields.
void publishResults() {
    PrefPosition::number_of_cards = defaultSolver.number_of_cards;
    PrefPosition::number_of_tricks_of_player = defaultSolver.number_of_tricks_of_player;
    PrefPosition::number_of_tricks_of_vist = defaultSolver.number_of_tricks_of_vist;
    PrefPosition::bc = defaultSolver.bc;
    PrefPosition::bs = defaultSolver.bs;
    PrefPosition::node_count = defaultSolver.node_count;
}

}  // namespace

PrefPosition (&P)[11] = defaultSolver.records;

PrefPosition::ListItem (&PrefPosition::T)[32] = defaultSolver.T;
PrefPosition::ListItem (&PrefPosition::S)[4] = defaultSolver.S;
PrefPosition::ListItem (&PrefPosition::Q)[4] = defaultSolver.Q;
signed char& PrefPosition::trump = defaultSolver.trump;
PrefPosition::HashEntry (&PrefPosition::hashtable)[PrefPosition::TABLE_SIZE] =
    defaultSolver.hashtable;

int16_t PrefPosition::number_of_cards;
int16_t PrefPosition::number_of_tricks_of_player;
int16_t PrefPosition::number_of_tricks_of_vist;
int16_t PrefPosition::bc;
int16_t PrefPosition::bs;
uint64_t PrefPosition::node_count;

void PrefPosition::InitList(const int* deal32) {
    defaultSolver.InitList(deal32);
}

void PrefPosition::RemoveItem(int16_t suit, int16_t rank) {
    defaultSolver.RemoveItem(suit, rank);
}

void PrefPosition::solve(const int* deal, int trumpSuit, int leaderSeat, int declarerSeat,
                         bool misere, bool) {
    defaultSolver.solve(deal, trumpSuit, leaderSeat, declarerSeat, misere);
    publishResults();
}

void PrefPosition::solve(const int* deal32, int trumpSuit, int declarer, int leader, bool misere,
                         int16_t leadSuit, int16_t leadRankPosition, int16_t secondSuit,
                         int16_t secondRankPosition, bool) {
    defaultSolver.solve(deal32, trumpSuit, declarer, leader, misere, leadSuit, leadRankPosition,
                        secondSuit, secondRankPosition);
    publishResults();
}
