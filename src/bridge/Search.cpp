// Bridge search: "do North-South take at least `target` of the tricks still
// to play (the current one included)?", card by card with make and unmake,
// with sure tricks and the table consulted at each trick's start.
#include "bridge/Internal.h"

using namespace bridge;

void BridgeSolver::addToTrick(int seat, int card) {
    const int s = suitOf(card), r = rankOf(card);
    Trick& t = trick_;
    if (t.count == 0) {
        t.suit = s;
        t.winSeat = seat;
        t.winSuit = s;
        t.winRank = r;
    } else if ((s == t.winSuit && r > t.winRank) || (s == trump_ && t.winSuit != trump_)) {
        t.winSeat = seat;
        t.winSuit = s;
        t.winRank = r;
    }
    t.onTrick[s] |= static_cast<uint16_t>(1u << r);
    ++t.count;
}

// With one card left in each hand: the seat whose card wins the last trick.
int BridgeSolver::lastTrickWinner() const {
    const int leader = trick_.leader;
    int winSeat = leader, winSuit = -1, winRank = -1;
    for (int k = 0; k < 4; ++k) {
        const int seat = (leader + k) & 3;
        int s = 0;
        while (hand_[seat][s] == 0) ++s;
        const int r = lowestRank(hand_[seat][s]);
        if (k == 0 || (s == winSuit && r > winRank) || (s == trump_ && winSuit != trump_)) {
            winSeat = seat;
            winSuit = s;
            winRank = r;
        }
    }
    return winSeat;
}

bool BridgeSolver::tryCard(int seat, int card, int target) {
    const int s = suitOf(card);
    const uint16_t bit = static_cast<uint16_t>(1u << rankOf(card));
    const Trick saved = trick_;
    hand_[seat][s] ^= bit;
    inHands_[s] ^= bit;
    --cardsLeft_;
    addToTrick(seat, card);
    bool result;
    if (trick_.count == 4) {
        const int winner = trick_.winSeat;
        trick_ = Trick{winner, 0, 0, 0, 0, 0, {0, 0, 0, 0}};
        result = search(target - ((winner & 1) == 0 ? 1 : 0));
    } else {
        result = search(target);
    }
    trick_ = saved;
    hand_[seat][s] ^= bit;
    inHands_[s] ^= bit;
    ++cardsLeft_;
    return result;
}

bool BridgeSolver::search(int target) {
    ++NodeCount;
    uint64_t key[2];
    int tricks = 0;
    int hint = -1;
    const bool trickStart = trick_.count == 0;
    if (trickStart) {
        const int leader = trick_.leader;
        tricks = cardsLeft_ / 4;
        if (target <= 0) return true;
        if (target > tricks) return false;
        if (tricks == 1) return (lastTrickWinner() & 1) == 0;
        const int quick = quickTricks(leader);
        if ((leader & 1) == 0 ? quick >= target : tricks - quick < target) return (leader & 1) == 0;
        tableKey(leader, key);
        if (const TableEntry* e = probe(key)) {
            if (e->low >= target) return true;
            if (e->high < target) return false;
            hint = absoluteMove(leader, e->move);
        }
    }
    const int seat = (trick_.leader + trick_.count) & 3;
    const bool northSouth = (seat & 1) == 0;
    Moves moves;
    generateMoves(seat, moves, hint);
    int cut = -1;
    for (int i = 0; i < moves.count; ++i) {
        if (tryCard(seat, moves.card[i], target) == northSouth) {
            cut = moves.card[i];
            break;
        }
    }
    const bool result = cut >= 0 ? northSouth : !northSouth;
    if (cut >= 0) killer_[cardsLeft_] = static_cast<uint8_t>(cut);
    if (trickStart) {
        const int move = cut >= 0 ? relativeMove(cut) : NO_MOVE;
        if (result)
            store(key, tricks, target, tricks, move);
        else
            store(key, tricks, 0, target - 1, move);
    }
    return result;
}
