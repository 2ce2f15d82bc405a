// Reference preferans solver: exhaustive minimax, memoised at trick starts on
// the set of cards still held and the seat to lead.
#include "PrefReference.h"

#include <algorithm>

namespace {

constexpr int RANKS_IN_PLAY = 8;  // ace down to seven

int suitOf(int card) {
    return card / 13;
}
int rankOf(int card) {
    return card % 13;
}  // 0 is the ace, the strongest

uint64_t suitMask(int suit) {
    return uint64_t{0x1FFF} << (13 * suit);
}

// Seats 0, 1 and 3 play, in that order.
int nextSeat(int seat) {
    return seat == 0 ? 1 : seat == 1 ? 3 : 0;
}

int lowestBit(uint64_t mask) {
    return __builtin_ctzll(mask);
}

}  // namespace

PrefReference::PrefReference(const int deal[52], int trump, int leaderSeat, int declarerSeat,
                             bool misere)
    : leader_(leaderSeat),
      declarer_(declarerSeat),
      trump_(misere || trump > 3 ? -1 : trump),
      misere_(misere) {
    int onTable[4] = {-1, -1, -1, -1};
    for (int card = 0; card < 52; card++) {
        if (rankOf(card) >= RANKS_IN_PLAY) continue;
        int code = deal[card];
        if (code == 1 || code == 2 || code == 4) hand_[code - 1] |= uint64_t{1} << card;
        if (code == 5 || code == 6 || code == 8) onTable[code - 5] = card;
    }
    for (int seat = leaderSeat; onTable[seat] >= 0 && tableSize_ < 3; seat = nextSeat(seat)) {
        table_[tableSize_++] = {seat, onTable[seat]};
    }
}

int PrefReference::tricksLeft() const {
    int held = __builtin_popcountll(hand_[0] | hand_[1] | hand_[3]);
    return (held + tableSize_) / 3;
}

int PrefReference::seatToMove() const {
    return tableSize_ == 0 ? leader_ : nextSeat(table_[tableSize_ - 1].seat);
}

// Follow suit if possible, else trump if possible, else anything.
uint64_t PrefReference::legalMask() const {
    uint64_t hand = hand_[seatToMove()];
    if (tableSize_ == 0) return hand;
    uint64_t follow = hand & suitMask(suitOf(table_[0].card));
    if (follow != 0) return follow;
    uint64_t trumps = trump_ >= 0 ? hand & suitMask(trump_) : 0;
    return trumps != 0 ? trumps : hand;
}

std::vector<int> PrefReference::legalCards() const {
    std::vector<int> cards;
    for (uint64_t m = legalMask(); m != 0; m &= m - 1) cards.push_back(lowestBit(m));
    return cards;
}

int PrefReference::trickWinner() const {
    int best = 0;
    for (int i = 1; i < 3; i++) {
        int challenger = table_[i].card;
        int holder = table_[best].card;
        bool challengerTrumps = suitOf(challenger) == trump_;
        bool holderTrumps = suitOf(holder) == trump_;
        bool better;
        if (challengerTrumps != holderTrumps) {
            better = challengerTrumps;
        } else {
            better = suitOf(challenger) == suitOf(holder) && rankOf(challenger) < rankOf(holder);
        }
        if (better) best = i;
    }
    return table_[best].seat;
}

int PrefReference::finishTrick() {
    TableCard saved[3] = {table_[0], table_[1], table_[2]};
    int savedLeader = leader_;
    int winner = trickWinner();
    leader_ = winner;
    tableSize_ = 0;
    int tricks = (winner == declarer_ ? 1 : 0) + search();
    std::copy(saved, saved + 3, table_);
    tableSize_ = 3;
    leader_ = savedLeader;
    return tricks;
}

int PrefReference::search() {
    if (tableSize_ == 3) return finishTrick();
    uint64_t key = 0;
    if (tableSize_ == 0) {
        uint64_t held = hand_[0] | hand_[1] | hand_[3];
        if (held == 0) return 0;
        key = held | uint64_t(leader_) << 52;
        auto known = memo_.find(key);
        if (known != memo_.end()) return known->second;
    }
    // In misere the declarer wants no tricks and the defenders want him to take them.
    bool wantsMore = (seatToMove() == declarer_) != misere_;
    int best = wantsMore ? -1 : 99;
    for (uint64_t m = legalMask(); m != 0; m &= m - 1) {
        int value = declarerTricksAfter(lowestBit(m));
        best = wantsMore ? std::max(best, value) : std::min(best, value);
    }
    if (tableSize_ == 0) memo_[key] = static_cast<int8_t>(best);
    return best;
}

int PrefReference::declarerTricks() {
    return search();
}

int PrefReference::declarerTricksAfter(int card) {
    int seat = seatToMove();
    uint64_t bit = uint64_t{1} << card;
    hand_[seat] &= ~bit;
    table_[tableSize_++] = {seat, card};
    int value = search();
    tableSize_--;
    hand_[seat] |= bit;
    return value;
}
