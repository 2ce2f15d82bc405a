// Yes/no game-tree search for preferans: each question stops at the first
// reply that settles it, which keeps whole deals within reach of a test.
#include "support/PrefThresholdReference.h"

namespace {

constexpr int RANKS_IN_PLAY = 8;  // ace (0) down to seven (7)

int suitOf(int card) {
    return card / 13;
}

uint64_t suitCards(int suit) {
    return uint64_t{0xFF} << (13 * suit);
}

int followingSeat(int seat) {
    return seat == 0 ? 1 : seat == 1 ? 3 : 0;
}

}  // namespace

PrefThresholdReference::PrefThresholdReference(const int deal[52], int trump, int leaderSeat,
                                               int declarerSeat, bool misere)
    : leader_(leaderSeat),
      declarer_(declarerSeat),
      trump_(misere || trump > 3 ? -1 : trump),
      misere_(misere) {
    int played[4] = {-1, -1, -1, -1};
    for (int card = 0; card < 52; card++) {
        if (card % 13 >= RANKS_IN_PLAY) continue;
        const int code = deal[card];
        if (code == 1 || code == 2 || code == 4) hand_[code - 1] |= uint64_t{1} << card;
        if (code == 5 || code == 6 || code == 8) played[code - 5] = card;
    }
    for (int seat = leaderSeat; tableSize_ < 3 && played[seat] >= 0; seat = followingSeat(seat)) {
        tableCard_[tableSize_] = played[seat];
        tableSeat_[tableSize_++] = seat;
    }
}

int PrefThresholdReference::declarerTricks() {
    const int cards = __builtin_popcountll(hand_[0] | hand_[1] | hand_[3]) + tableSize_;
    int tricks = 0;
    while (tricks < cards / 3 && reaches(tricks + 1)) tricks++;
    return tricks;
}

int PrefThresholdReference::seatToMove() const {
    return tableSize_ == 0 ? leader_ : followingSeat(tableSeat_[tableSize_ - 1]);
}

uint64_t PrefThresholdReference::legalCards() const {
    const uint64_t hand = hand_[seatToMove()];
    if (tableSize_ == 0) return hand;
    const uint64_t follow = hand & suitCards(suitOf(tableCard_[0]));
    if (follow != 0) return follow;
    const uint64_t trumps = trump_ >= 0 ? hand & suitCards(trump_) : 0;
    return trumps != 0 ? trumps : hand;
}

// Of the legal cards, one per run of the mover's cards that no other card in
// play separates: such cards win and lose the same tricks, so one of them
// answers for all. Cards on the current trick count as separators.
uint64_t PrefThresholdReference::distinctChoices(int seat, uint64_t legal) const {
    uint64_t inPlay = hand_[0] | hand_[1] | hand_[3];
    for (int i = 0; i < tableSize_; i++) inPlay |= uint64_t{1} << tableCard_[i];
    uint64_t choices = 0;
    for (uint64_t cards = legal; cards != 0; cards &= cards - 1) {
        const int card = __builtin_ctzll(cards);
        const uint64_t above = inPlay & suitCards(suitOf(card)) & ((uint64_t{1} << card) - 1);
        const bool runGoesOn = above != 0 && (hand_[seat] >> (63 - __builtin_clzll(above)) & 1);
        if (!runGoesOn) choices |= uint64_t{1} << card;
    }
    return choices;
}

bool PrefThresholdReference::finishTrick(int target) {
    // Highest trump wins, else the highest card of the suit led (lower index = higher rank).
    int best = 0;
    for (int i = 1; i < 3; i++) {
        const int card = tableCard_[i];
        const int holder = tableCard_[best];
        const bool cardTrumps = suitOf(card) == trump_;
        const bool holderTrumps = suitOf(holder) == trump_;
        if (cardTrumps != holderTrumps ? cardTrumps
                                       : suitOf(card) == suitOf(holder) && card < holder) {
            best = i;
        }
    }
    // The next trick overwrites the table; this trick's cards come back after it.
    const int savedCards[3] = {tableCard_[0], tableCard_[1], tableCard_[2]};
    const int savedSeats[3] = {tableSeat_[0], tableSeat_[1], tableSeat_[2]};
    const int savedLeader = leader_;
    const int winner = tableSeat_[best];
    leader_ = winner;
    tableSize_ = 0;
    const bool result = reaches(target - (winner == declarer_ ? 1 : 0));
    for (int i = 0; i < 3; i++) {
        tableCard_[i] = savedCards[i];
        tableSeat_[i] = savedSeats[i];
    }
    tableSize_ = 3;
    leader_ = savedLeader;
    return result;
}

// Whether the declarer takes at least `target` of the tricks still to come,
// the current one included.
bool PrefThresholdReference::reaches(int target) {
    if (target <= 0) return true;
    if (tableSize_ == 3) return finishTrick(target);
    const uint64_t held = hand_[0] | hand_[1] | hand_[3];
    if (target > (__builtin_popcountll(held) + tableSize_) / 3) return false;
    const uint64_t key = held | uint64_t(leader_) << 52 | uint64_t(target) << 56;
    if (tableSize_ == 0) {
        auto known = memo_.find(key);
        if (known != memo_.end()) return known->second;
    }
    const int seat = seatToMove();
    // The side that wants more declarer tricks needs one reply that reaches the
    // target; the other side needs one that avoids it. In misere the roles swap.
    const bool wantsMore = (seat == declarer_) != misere_;
    bool result = !wantsMore;
    for (uint64_t cards = distinctChoices(seat, legalCards()); cards != 0; cards &= cards - 1) {
        const int card = __builtin_ctzll(cards);
        const uint64_t bit = uint64_t{1} << card;
        hand_[seat] &= ~bit;
        tableCard_[tableSize_] = card;
        tableSeat_[tableSize_++] = seat;
        const bool value = reaches(target);
        tableSize_--;
        hand_[seat] |= bit;
        if (value == wantsMore) {
            result = value;
            break;
        }
    }
    if (tableSize_ == 0) memo_[key] = result;
    return result;
}
