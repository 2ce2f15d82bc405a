// Preferans double-dummy solver: three players, 32 cards, trump, no-trump and
// misere contracts. The class's objects are the per-trick-level records of the
// search, each tied to its solver object (src/preferans/Solver.h); the static
// members are the entry points and views of one default solver.
#pragma once

#include <cstdint>

namespace preferans {
class Solver;
}

class PrefPosition {
   public:
    // One card of a suit list; rank and suit side by side form the card code
    // suit * 256 + rank.
    struct ListItem {
        uint8_t rank = 0;   // 0 = seven ... 7 = ace
        uint8_t suit = 0;   // 0 to 3
        uint8_t owner = 0;  // player index 0 to 2
        ListItem* higher = nullptr;
        ListItem* lower = nullptr;
    };

    // One entry of the transposition table.
    struct HashEntry {
        uint32_t key;  // card set of the stored position
        int8_t value;  // stored score
        uint8_t kind;  // 0 exact, 1 upper bound, 2 lower bound
    };

    // ---- the record of one trick level (P[k] has k tricks left) ----
    ListItem* moves2[10];  // candidates of the second and third player
    ListItem* moves3[10];
    int32_t nmoves2;
    int32_t nmoves3;
    ListItem* card2;  // cards being tried by the second and third player
    ListItem* card3;
    uint8_t leadRank;
    uint8_t leadSuit;
    uint8_t who[3];  // player indices in playing order; who[0] leads
    int32_t tricksLeft;
    PrefPosition* child;                  // next trick level; null at the last trick
    preferans::Solver* solver = nullptr;  // the solver whose state the search uses

    static constexpr uint32_t TABLE_SIZE = 70000;

    // ---- the default solver's state ----
    static ListItem (&T)[32];
    static ListItem (&S)[4];
    static ListItem (&Q)[4];
    static signed char& trump;
    static HashEntry (&hashtable)[TABLE_SIZE];

    // ---- results of the last solve of the default solver, by the entries below ----
    static int16_t number_of_cards;
    static int16_t number_of_tricks_of_player;
    static int16_t number_of_tricks_of_vist;
    static int16_t bc;  // best card: rank position 0 = seven ... 7 = ace
    static int16_t bs;  // best card: suit

    // Leader nodes searched past the quick answers, over all solves so far:
    // the benchmark's signature of the search.
    static uint64_t node_count;

    // ---- lists of the default solver ----
    static void InitList(const int* deal32);
    static void RemoveItem(int16_t suit, int16_t rank);
    // Table slot of a position: its key and the player who leads its trick.
    // The three leaders of one key land in three different slots.
    static uint32_t slotOf(uint32_t key, int8_t leader);

    // ---- move generation (on a record) ----
    void find_suitable_cards();
    void find_suitable_cards2();
    void find_suitable_cards_from_trump1();
    void find_suitable_cards_from_trump2();
    void find_suitable_cards_after_trump1();
    void find_suitable_cards_after_trump2();

    // ---- search (on a record) ----
    int generate(int alpha, int beta);
    int generate1(int alpha, int beta);
    int generate2(int alpha, int beta);
    int first_generate(int alpha, int beta);
    int first_generate(int alpha, int beta, int16_t suit, int16_t rank);
    int first_generate(int alpha, int beta, int16_t suit1, int16_t rank1, int16_t suit2,
                       int16_t rank2);

    // ---- solves by the default solver, results in the static fields above ----
    // A position in the 52-card deal array (seats 0, 1 and 3 play).
    static void solve(const int* deal, int trumpSuit, int leaderSeat, int declarerSeat, bool misere,
                      bool unused);
    // A position in the solver's own form: 32-card deal array of player indices.
    static void solve(const int* deal32, int trumpSuit, int declarer, int leader, bool misere,
                      int16_t leadSuit, int16_t leadRankPosition, int16_t secondSuit,
                      int16_t secondRankPosition, bool unused);
};

// Records of the default solver, one per number of tricks left (0 to 10).
extern PrefPosition (&P)[11];
