// A second reference preferans solver for the tests, fast enough for whole
// ten-card deals: plain game-tree search of yes/no questions ("does the
// declarer take at least t tricks?"), memoised at trick starts. It shares no
// code with the solver under test nor with the minimax reference.
#pragma once

#include <cstdint>
#include <unordered_map>

class PrefThresholdReference {
   public:
    // The 52-int deal array: codes 1, 2, 4 for cards held by seats 0, 1, 3;
    // 5, 6, 8 for cards they have put on the current trick; anything else,
    // and rank positions 8 to 12, not in play. Trump 0 to 3 or 4 (no trump);
    // misere plays without trump.
    PrefThresholdReference(const int deal[52], int trump, int leaderSeat, int declarerSeat,
                           bool misere);

    // The declarer's tricks, current trick included, with perfect play.
    int declarerTricks();

   private:
    bool reaches(int target);
    bool finishTrick(int target);
    int seatToMove() const;
    uint64_t legalCards() const;
    uint64_t distinctChoices(int seat, uint64_t legal) const;

    uint64_t hand_[4] = {0, 0, 0, 0};  // bit = deal-array index
    int tableCard_[3] = {0, 0, 0};
    int tableSeat_[3] = {0, 0, 0};
    int tableSize_ = 0;
    int leader_;
    int declarer_;
    int trump_;  // -1 when no suit is trump
    bool misere_;
    std::unordered_map<uint64_t, bool> memo_;  // cards held, leader and target
};
