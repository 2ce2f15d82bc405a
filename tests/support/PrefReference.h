// Reference preferans solver for the tests: plain memoised minimax over the
// rules of play, written independently of the solver under test.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

// One preferans position given as the 52-int deal array (codes 1, 2, 4 for
// cards held by seats 0, 1, 3; 5, 6, 8 for cards they have put on the current
// trick; anything else, and rank positions 8 to 12, not in play).
class PrefReference {
   public:
    PrefReference(const int deal[52], int trump, int leaderSeat, int declarerSeat, bool misere);

    // Tricks still to be played, the current one included.
    int tricksLeft() const;
    // Seat (0, 1 or 3) whose turn it is on the current trick.
    int seatToMove() const;
    // Deal-array indices of the cards the seat to move may play, ascending.
    std::vector<int> legalCards() const;
    // The declarer's tricks among those left when everyone plays perfectly.
    int declarerTricks();
    // The same after the seat to move plays `card` (one of legalCards()).
    int declarerTricksAfter(int card);

   private:
    struct TableCard {
        int seat;
        int card;
    };

    int search();
    int finishTrick();
    uint64_t legalMask() const;
    int trickWinner() const;

    uint64_t hand_[4] = {0, 0, 0, 0};  // cards held, bit = deal-array index
    TableCard table_[3];
    int tableSize_ = 0;
    int leader_;
    int declarer_;
    int trump_;  // 0 to 3, or -1 when no suit is trump (no trump and misere)
    bool misere_;
    std::unordered_map<uint64_t, int8_t> memo_;  // trick starts: cards held, leader
};
