// Bridge double-dummy solver: the per-trick-level position record, the suit
// lists and the static solver state, plus the entry shared by both games.
#pragma once

#include <cstdint>

// One remembered position of the bridge transposition table.
struct HashSlot {
    uint16_t keyHigh;  // high 16 bits of suitCode[3]
    int8_t value;      // the bound: side on lead's tricks minus the others'
    uint8_t bound;     // 1: score >= value (lower bound); 0: score <= value
    uint32_t key[3];   // suitCode[0..2]
};

// Four slots side by side; a store overwrites them in rotation.
struct HashBucket {
    HashSlot slot[4];
    uint32_t nextSlot;
};

// Callback of the per-card evaluation: (host context, card index, value).
typedef void (*EstimateCallback)(void* context, int card, int value);

class BridgePosition {
   public:
    // One card of a suit list. rank and suit come first and side by side, so
    // that together they form the card code suit * 256 + rank.
    struct ListItem {
        uint8_t rank = 0;   // 0 = two ... 12 = ace
        uint8_t suit = 0;   // 0 to 3
        uint8_t owner = 0;  // seat 0 to 3; 0xFF in the sentinels
        ListItem* higher = nullptr;
        ListItem* lower = nullptr;

        uint16_t code() const { return static_cast<uint16_t>(rank | (suit << 8)); }
    };

    // ---- the record of one trick level (P[k] has k tricks left) ----
    uint32_t suitCode[4];  // key words of this position, refreshed on entry
    ListItem* card2;       // cards being tried by the second, third, fourth player
    ListItem* card3;
    ListItem* card4;
    ListItem* moves2[13];  // candidates of the second, third, fourth player
    ListItem* moves3[13];
    ListItem* moves4[13];
    uint8_t who[4];         // playing order of this trick; who[0] leads
    int whoIndex;           // index of this order in WhoArray
    BridgePosition* child;  // one trick deeper; null in the last-trick record
    uint32_t nmoves2;
    uint32_t nmoves3;
    uint32_t nmoves4;
    uint8_t leadRank;  // card led; leadSuit also counts suits while leads are tried
    uint8_t leadSuit;
    int tricksLeft;

    uint16_t leadCard() const { return static_cast<uint16_t>(leadRank | (leadSuit << 8)); }

    // ---- static solver state ----
    static ListItem T[52];  // card items, thirteen per suit
    static ListItem Q[4];   // head sentinels (above the highest card)
    static ListItem D[4];   // tail sentinels (below the lowest card)
    static uint32_t WhoArray[80];
    static signed char trump;  // 0 to 3, or 4 for no trump
    static int NodeCount;
    static uint16_t* ST[16];  // no-trump suit tables, ST[1] to ST[10]
    static HashBucket* hashtable;
    static uint32_t TableSize;
    static bool trumpChanged;
    static int firstmove;
    static int nextmove;
    static int maximize;
    static int guess;
    static int startIndex;
    static int old_ptr[52];
    static signed char bc;  // best card: rank 0 = two ... 12 = ace
    static signed char bs;  // best card: suit
    static short EastWestTricks;
    static short NorthSouthTricks;

    // ---- move generation and search (on a record) ----
    void find_suitable_cards();
    int g(int a);
    int gP(int a);
    int LastTrickValue();
    int fg(int t);
    int fg1(int t, ListItem* first);
    int fg2(int t, ListItem* first, ListItem* second);
    int fg3(int t, ListItem* first, ListItem* second, ListItem* third);

    // ---- trick values of fixed cards ----
    static int WhoTake(uint16_t c1, uint16_t c2, uint16_t c3, uint16_t c4);
    static int Est(uint16_t c1, uint16_t c2, uint16_t c3, uint16_t c4);
    static int Est(uint16_t c1, uint16_t c2, uint16_t c3, uint16_t c4, uint16_t d0, uint16_t d1,
                   uint16_t d2, uint16_t d3);

    // ---- tables, driver and entries ----
    static bool allocateTables();
    static void freeTables();
    static bool solveposition(const int* deal, char trumpSuit);
    static bool hasSuit(int suit, int seat, const int* deal);
    static bool solve(const int* deal, char trumpSuit, int leader, int declarer, bool bridge,
                      bool misere, bool trumpChangedFlag);
    static void estimateAll(const int* position, const int* positionAfterMove,
                            signed char trumpSuit, int leader, int declarer, bool bridge,
                            bool misere, int level, EstimateCallback callback, void* context);
    static void switchMove(const int* deal, bool bridge);
};
