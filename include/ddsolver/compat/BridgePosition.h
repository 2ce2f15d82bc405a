// The inherited entry shared by both games and the bridge solver's static
// request and result fields, kept for existing hosts: the bridge path runs on
// one default solver, the preferans path on PrefPosition's. One thread at a
// time; a host that solves on several threads uses ddsolver::BridgeSolver,
// one per thread.
#pragma once

// Callback of the per-card evaluation: (host context, card index, value).
typedef void (*EstimateCallback)(void* context, int card, int value);

class BridgePosition {
   public:
    static signed char trump;  // the trump in force: 0 to 3, or 4 for no trump
    static int NodeCount;
    static bool trumpChanged;
    static int firstmove;
    static int nextmove;
    static int maximize;
    static int guess;
    static int old_ptr[52];  // the deal of the last bridge solve
    static signed char bc;   // best card: rank 0 = two ... 12 = ace
    static signed char bs;   // best card: suit
    static short EastWestTricks;
    static short NorthSouthTricks;

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
