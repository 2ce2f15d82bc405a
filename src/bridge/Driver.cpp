// Bridge solve driver: checks the position, keeps or clears the table, loads
// the hands and the current trick, and moves a null-window target from a
// first guess until the North-South tricks are known, with the best card.
#include <algorithm>

#include "bridge/Internal.h"
#include "core/EntryChecks.h"

namespace bridge {

namespace {

// A position the search can play out: codes 0 to 8, and the trick and hands
// the host entries accept (the trump is checked apart, since a kept table
// may keep its own in force).
bool isPlayable(const int* deal, int leader) {
    return checkBridgeDeal(deal, NO_TRUMP, leader) == Status::Ok && cardCodesInRange(deal, true);
}

// True when some card is in a hand in both deals, but in different hands.
bool handsChanged(const int* deal, const int* before) {
    for (int i = 0; i < DEAL_CARDS; ++i) {
        if (isHandCode(deal[i]) && isHandCode(before[i]) && deal[i] != before[i]) return true;
    }
    return false;
}

int cardOfIndex(int index) {
    return cardOf(index / CARDS_PER_SUIT, CARDS_PER_SUIT - 1 - index % CARDS_PER_SUIT);
}

}  // namespace

Engine::Engine(int tableBits) : tableBits_(std::clamp(tableBits, MIN_TABLE_BITS, MAX_TABLE_BITS)) {
    std::fill(&codedOwner_[0][0], &codedOwner_[0][0] + sizeof codedOwner_, uint8_t{0xFF});
}

Engine::~Engine() {
    releaseTable();
}

bool Engine::solve(const int* deal, int trump, int leader, bool trumpChanged, Result& result) {
    return run(deal, trump, trump, leader, trumpChanged, true, previousDeal_, result);
}

bool Engine::solveKeepingTrump(const int* deal, int trump, int keptTrump, int leader,
                               bool trumpChanged, const int* previousDeal, Result& result) {
    return run(deal, trump, keptTrump, leader, trumpChanged, false, previousDeal, result);
}

void Engine::loadDeal(const int* deal, int leader) {
    for (int seat = 0; seat < 4; ++seat) {
        for (int s = 0; s < 4; ++s) hand_[seat][s] = 0;
    }
    for (int s = 0; s < 4; ++s) inHands_[s] = 0;
    shape_ = 0;
    cardsLeft_ = 0;
    int trickCard[4] = {-1, -1, -1, -1};
    for (int i = 0; i < DEAL_CARDS; ++i) {
        const int code = deal[i];
        if (code == CODE_OUT_OF_PLAY) continue;
        const int card = cardOfIndex(i), s = suitOf(card), r = rankOf(card);
        const int seat = seatOfCode(code);
        owner_[s][r] = static_cast<uint8_t>(seat);
        if (isHandCode(code)) {
            hand_[seat][s] |= static_cast<uint16_t>(1u << r);
            shape_ += lengthUnit(seat, s);
            inHands_[s] |= static_cast<uint16_t>(1u << r);
            ++cardsLeft_;
        } else {
            trickCard[(seat - leader) & 3] = card;
        }
    }
    trick_ = newTrick(leader);
    for (int k = 0; k < 4 && trickCard[k] >= 0; ++k) addToTrick((leader + k) & 3, trickCard[k]);
    voidInEveryHand_ = true;
    for (int seat = 0; seat < 4; ++seat) {
        const uint16_t* hand = hand_[seat];
        if (hand[0] != 0 && hand[1] != 0 && hand[2] != 0 && hand[3] != 0) voidInEveryHand_ = false;
    }
}

// Checks the position, keeps or clears the table by its rule, and loads the
// hands and the current trick. A completed trick is taken off: `bonus` gets
// its North-South trick (else 0). False when the position cannot be played out.
bool Engine::prepare(const int* deal, int trump, int keptTrump, int leader, bool trumpChanged,
                     bool newTrumpRules, const int* previousDeal, bool& completed, int& bonus) {
    if (!isPlayable(deal, leader)) return false;
    bool clear = fresh_ || trumpChanged || handsChanged(deal, previousDeal);
    const int inForce = clear || newTrumpRules ? trump : keptTrump;
    if (inForce < 0 || inForce > NO_TRUMP) return false;
    if (!reserveTable()) return false;
    if (inForce != tableTrump_) clear = true;
    trump_ = inForce;
    if (clear) {
        clearTable();
        tableTrump_ = inForce;
        fresh_ = false;
        lastNorthSouth_[0] = lastNorthSouth_[1] = -1;
    }
    std::copy(deal, deal + DEAL_CARDS, previousDeal_);
    loadDeal(deal, leader);
    buildSuitCodes();
    nodes_ = 0;
    bonus = 0;
    completed = trick_.count == 4;
    if (completed) {
        const int winner = trick_.winSeat;
        bonus = (winner & 1) == 0 ? 1 : 0;
        trick_ = newTrick(winner);
    }
    return true;
}

bool Engine::run(const int* deal, int trump, int keptTrump, int leader, bool trumpChanged,
                 bool newTrumpRules, const int* previousDeal, Result& result) {
    bool completed = false;
    int bonus = 0;
    if (!prepare(deal, trump, keptTrump, leader, trumpChanged, newTrumpRules, previousDeal,
                 completed, bonus))
        return false;
    const int tricks = (cardsLeft_ + trick_.count) / 4;
    const int side = ((trick_.leader + trick_.count) & 3) & 1;
    const int guess = lastNorthSouth_[side] >= 0       ? lastNorthSouth_[side]
                      : lastNorthSouth_[side ^ 1] >= 0 ? lastNorthSouth_[side ^ 1]
                                                       : estimateNorthSouth(tricks);
    int best = -1;
    const int northSouth = driveSearch(tricks, guess, !completed, best);
    lastNorthSouth_[side] = northSouth;
    result.northSouth = northSouth + bonus;
    result.eastWest = tricks - northSouth + (completed ? 1 - bonus : 0);
    result.bestSuit = best < 0 ? -1 : suitOf(best);
    result.bestRank = best < 0 ? -1 : rankOf(best);
    result.nodes = nodes_;
    return true;
}

bool Engine::reaches(const int* deal, int trump, int leader, int targetNorthSouth, bool& reached) {
    bool completed = false;
    int bonus = 0;
    if (!prepare(deal, trump, trump, leader, false, true, previousDeal_, completed, bonus))
        return false;
    const int tricks = (cardsLeft_ + trick_.count) / 4;
    const int target = targetNorthSouth - bonus;
    int card = -1;
    if (target <= 0 || target > tricks) {
        reached = target <= 0;
    } else {
        reached = rootTest(target, !completed, card) >= target;
    }
    return true;
}

// A first guess of the North-South tricks from the high cards and, at a
// trump contract, the trump lengths: the null-window driver needs fewer tests
// the closer it starts. Only the number of tests depends on it.
int Engine::estimateNorthSouth(int tricks) const {
    int points[2] = {0, 0}, trumps[2] = {0, 0};
    for (int seat = 0; seat < 4; ++seat) {
        for (int s = 0; s < 4; ++s) {
            const uint32_t held = hand_[seat][s];
            points[seat & 1] += 4 * ((held >> 12) & 1) + 3 * ((held >> 11) & 1) +
                                2 * ((held >> 10) & 1) + ((held >> 9) & 1);
            if (s == trump_) trumps[seat & 1] += countCards(held);
        }
    }
    const int total = points[0] + points[1];
    if (total == 0) return (tricks + 1) / 2;
    // In halves of a trick, rounded to the nearest trick: the share of the
    // high cards, and half a trick per trump more than the opponents hold.
    const int halves = 2 * tricks * points[0] / total + trumps[0] - trumps[1];
    return std::clamp((halves + 1) / 2, 0, tricks);
}

// One null-window test at the root (a fail-soft value as the search gives
// it). When `choose`, the seat to move tries his cards here and `card`
// receives the first, in a fixed order, that settles the test for his side
// (North-South reaching the target, East-West holding them below it).
int Engine::rootTest(int target, bool choose, int& card) {
    uint16_t relevant[4];
    if (!choose) return search(target, relevant);
    ++nodes_;
    const int seat = (trick_.leader + trick_.count) & 3;
    const bool northSouth = (seat & 1) == 0;
    Moves moves;
    rootOrder(seat, moves);
    int best = northSouth ? 0 : (cardsLeft_ + trick_.count) / 4;
    for (int i = 0; i < moves.count; ++i) {
        const int v = tryCard(seat, moves.card[i], target, relevant);
        if ((v >= target) == northSouth) {
            card = moves.card[i];
            return v;
        }
        best = northSouth ? std::max(best, v) : std::min(best, v);
    }
    return best;
}

// North-South tricks out of `tricks`: a target moves from the guess until
// the bounds meet, each test's value narrowing them. bestCard receives the
// card that settled the test which fixed the result for the seat to move's
// side: the first card in the root order that reaches the optimum (the
// first candidate when no test was needed: every card then reaches it).
int Engine::driveSearch(int tricks, int guess, bool choose, int& bestCard) {
    bestCard = -1;
    if (tricks == 0) return 0;
    if (choose) {
        Moves moves;
        rootOrder((trick_.leader + trick_.count) & 3, moves);
        if (moves.count > 0) bestCard = moves.card[0];
    }
    const bool northSouthMoves = (((trick_.leader + trick_.count) & 3) & 1) == 0;
    int low = 0, high = tricks;
    int target = std::clamp(guess, 1, tricks);
    while (low < high) {
        target = std::clamp(target, low + 1, high);
        int card = -1;
        const int v = rootTest(target, choose, card);
        if (v >= target) {
            low = v;
            if (northSouthMoves && card >= 0) bestCard = card;
            target = low + 1;
        } else {
            high = v;
            if (!northSouthMoves && card >= 0) bestCard = card;
            target = high;
        }
    }
    return low;
}

}  // namespace bridge
