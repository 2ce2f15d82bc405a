// The inherited preferans entry, kept for existing hosts: static solves by one
// default solver, with the results of the last solve in static fields. One
// thread at a time; a host that solves on several threads uses
// ddsolver::PrefSolver, one per thread.
#pragma once

#include <cstdint>

class PrefPosition {
   public:
    // ---- results of the last accepted solve ----
    static int16_t number_of_cards;
    static int16_t number_of_tricks_of_player;  // the declarer's tricks
    static int16_t number_of_tricks_of_vist;    // the defenders' tricks
    static int16_t bc;                          // best card: rank position 0 = seven ... 7 = ace
    static int16_t bs;                          // best card: suit

    // Leader nodes searched past the quick answers, over all solves so far:
    // the benchmark's signature of the search.
    static uint64_t node_count;

    // A position in the 52-card deal array (seats 0, 1 and 3 play). False,
    // with the results as they were, when the position is refused.
    static bool solve(const int* deal, int trumpSuit, int leaderSeat, int declarerSeat, bool misere,
                      bool unused);
    // A position in the solver's own form: 32-card deal array of player indices.
    static bool solve(const int* deal32, int trumpSuit, int declarer, int leader, bool misere,
                      int16_t leadSuit, int16_t leadRankPosition, int16_t secondSuit,
                      int16_t secondRankPosition, bool unused);
};
