// The bridge solver as an object: one per thread, each solving full or partial
// deals for a given trump and leader and keeping its table between calls.
#pragma once

class BridgeSolver {
   public:
    BridgeSolver();  // cheap: no big clearing up front
    ~BridgeSolver();
    BridgeSolver(const BridgeSolver&) = delete;
    BridgeSolver& operator=(const BridgeSolver&) = delete;

    // A bridge position as a deal array (52 ints, index suit*13 + rank position, suits 0-3 =
    // spades, hearts, diamonds, clubs, rank position 0 = ace .. 12 = two; 0 out of play, 1-4 in
    // the hand of seat 0-3 = N, E, S, W, 5-8 played to the current trick by seat 0-3), trump 0-3
    // or 4 no trump, leader = the seat that leads the current trick. trumpChanged true forces a
    // fresh table (pass true for the first leader of each deal and strain, false for the next
    // three leaders). False when refused.
    bool solve(const int* deal, int trump, int leader, bool trumpChanged);

    short EastWestTricks = 0, NorthSouthTricks = 0;  // results of the last solve
    signed char bc = -1, bs = -1;                    // best card
    long long NodeCount = 0;

   private:
    unsigned long long serial_;  // tells this solver's table use from another's
};
