// The single-position preferans solver as an object: the suit lists, the card
// set key and the transposition table, the per-trick records and the results
// of the last solve. Each object solves on its own, so one per thread may run
// at the same time.
#pragma once

#include <cstdint>

#include "preferans/Record.h"

namespace preferans {

class Solver {
   public:
    static constexpr uint32_t TABLE_SIZE = Record::TABLE_SIZE;

    Solver();
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    // A position in the 52-card deal array (seats 0, 1 and 3 play). False,
    // with the results as they were, when the position cannot be played out.
    bool solve(const int* deal, int trumpSuit, int leaderSeat, int declarerSeat, bool misere);
    // A position in the solver's own form: 32-card deal array of player indices.
    bool solve(const int* deal32, int trumpSuit, int declarer, int leader, bool misere,
               int16_t leadSuit, int16_t leadRankPosition, int16_t secondSuit,
               int16_t secondRankPosition);

    // Builds the suit lists alone from a 32-card deal array.
    void InitList(const int* deal32);
    // Takes the card out of its suit list, if it is there.
    void RemoveItem(int16_t suit, int16_t rank);
    // Builds the suit lists; with the key, also fills `index`, sets the key to
    // the cards out of the hands and returns the number of cards of player 0,
    // which is the number of tricks left.
    int buildLists(const int* deal32, bool withKey);

    // ---- state of a solve, read and written by the search on the records ----
    ListItem T[32];     // card items, in play cards of suit s from T[8s] up
    ListItem S[4];      // low sentinels
    ListItem Q[4];      // high sentinels
    signed char trump;  // 0 to 3, or 4 for no trump (always 4 in misere)
    uint8_t whose;      // the declarer's player index
    bool mizer;
    uint32_t index[32];  // card bit of every card in play, at index rank * 4 + suit
    uint32_t key;        // set of the cards not in any hand: the position within one solve
    HashEntry hashtable[TABLE_SIZE];
    Record records[11];  // records[k] has k tricks left

    // ---- results of the last solve ----
    int16_t number_of_cards = 0;
    int16_t number_of_tricks_of_player = 0;
    int16_t number_of_tricks_of_vist = 0;
    int16_t bc = 0;           // best card: rank position 0 = seven ... 7 = ace
    int16_t bs = 0;           // best card: suit
    uint64_t node_count = 0;  // leader nodes searched past the quick answers, all solves
};

}  // namespace preferans
