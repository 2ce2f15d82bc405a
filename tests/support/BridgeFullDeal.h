// An exhaustive double-dummy solver for whole bridge deals, written as a second,
// independent method to check the engine and to produce expected trick tables.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "support/BridgeReference.h"

namespace bridgeref {

// Answers "do North-South take at least k of the remaining tricks?" by a
// depth-first search over every legal card, and finds the trick count by
// bisection over k. What keeps it fast enough for thirteen tricks:
//   - cards of one hand with no card of another hand (or of the current trick)
//     between them are interchangeable, so only one of them is tried;
//   - at each trick boundary the position is remembered with the bounds found
//     for it, keyed on the leader, the trump and, suit by suit, the holders of the
//     remaining cards in rank order (only the cards' order matters, not which
//     ranks have gone), so bounds carry over between targets, leaders and deals;
//   - likely cards are tried first, so that a side's success is found early.
// The remembered bounds stay valid for as long as the object lives.
class FullDealSolver {
   public:
    // Memory for 2^log2Entries remembered positions, 24 bytes each.
    explicit FullDealSolver(int log2Entries = 21);

    // North-South's tricks among the tricks that remain, the current trick
    // included (a completed trick on the table counts for its winner). False when
    // checkPosition refuses the position.
    bool northSouthTricks(const Position& position, int* northSouth);

    // The four numbers of a table-file line: for leaders 0, 1, 2, 3 in turn, the
    // tricks of the side that does not lead. position.leader is ignored; false
    // when the position is refused or has cards on the current trick.
    bool tableNumbers(const Position& position, std::array<int, 4>* tricks);

    // Trick-boundary positions searched since construction.
    uint64_t nodeCount() const { return nodes_; }

   private:
    struct Entry {
        uint64_t keyLow = 0;
        uint64_t keyHigh = 0;
        int8_t lower = 0;   // North-South take at least this many of the tricks left
        int8_t upper = 0;   // and at most this many
        int8_t tricks = 0;  // tricks left; 0 marks an empty slot
    };
    struct Move {
        int card;
        int score;
    };

    bool reachAtBoundary(int leader, int need);
    bool reachInTrick(int leader, int played, int need);
    bool reachAfterTrick(int leader, int need);
    int lastTrickNorthSouth(int leader) const;
    int generateMoves(int seat, int leader, int played, Move* moves) const;
    int scoreMove(int card, int seat, int leader, int played) const;
    int scoreLead(int card, int seat) const;
    int scoreFollow(int card, int seat, int leader, int played) const;
    int winningPlace(int played) const;
    bool beats(int card, int than) const;
    void makeKey(int leader, uint64_t* low, uint64_t* high) const;
    Entry* findEntry(uint64_t low, uint64_t high);
    void storeBound(uint64_t low, uint64_t high, int tricks, int need, bool reached);
    void load(const Position& position);

    std::vector<Entry> table_;
    uint64_t indexMask_;
    uint64_t hand_[4] = {0, 0, 0, 0};
    int trump_ = NO_TRUMP;
    int trick_[4] = {0, 0, 0, 0};  // cards of the current trick in playing order
    uint64_t trickBits_ = 0;       // the same cards as a set
    uint64_t nodes_ = 0;
};

}  // namespace bridgeref
