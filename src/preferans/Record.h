// The per-trick-level record of the single-position preferans search: the
// candidates and cards tried at one level, its playing order and its link to
// the next level. The search functions run on a record and recurse into its
// child; the state they share lives in the record's Solver.
#pragma once

#include <cstdint>

namespace preferans {

class Solver;

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

class Record {
   public:
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
    Record* child;             // next trick level; null at the last trick
    Solver* solver = nullptr;  // the solver whose state the search uses

    static constexpr uint32_t TABLE_SIZE = 70000;
    // Table slot of a position: its key and the player who leads its trick.
    // The three leaders of one key land in three different slots.
    static uint32_t slotOf(uint32_t key, int8_t leader);

    // ---- move generation ----
    void find_suitable_cards();
    void find_suitable_cards2();
    void find_suitable_cards_from_trump1();
    void find_suitable_cards_from_trump2();
    void find_suitable_cards_after_trump1();
    void find_suitable_cards_after_trump2();

    // ---- search ----
    int generate(int alpha, int beta);
    int generate1(int alpha, int beta);
    int generate2(int alpha, int beta);
    int first_generate(int alpha, int beta);
    int first_generate(int alpha, int beta, int16_t suit, int16_t rank);
    int first_generate(int alpha, int beta, int16_t suit1, int16_t rank1, int16_t suit2,
                       int16_t rank2);
};

}  // namespace preferans
