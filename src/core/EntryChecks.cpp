// Argument checks of the host entries: one scan of the deal array counts each
// seat's cards in hand and on the trick, and the rules are read off the counts.
#include "core/EntryChecks.h"

#include "core/GameRules.h"

using core::GameRules;

namespace {

constexpr int PREFERANS_OWN_RANKS = 8;
constexpr int PREFERANS_PLAYERS = 3;

bool isTrump(int trump) {
    return trump >= 0 && trump <= NO_TRUMP;
}

// The trick holds one card from each of the first seats in playing order
// from the leader, at most `maxOnTrick`; every seat in play starts the trick
// with as many cards as the others.
Status checkTrickAndHands(const core::SeatCounts& counts, const GameRules& game, int leader,
                          int maxOnTrick) {
    int onTrick = 0;
    for (int i = 0; i < game.trickSize; i++) {
        const int played = counts.played[game.seats[i]];
        if (played > 1) return Status::TwoCardsFromSeat;
        onTrick += played;
    }
    if (onTrick > maxOnTrick) return Status::TrickTooLarge;
    const int leaderPlace = game.placeOf(leader);
    for (int k = 0; k < onTrick; k++) {
        const int seat = game.seats[(leaderPlace + k) % game.trickSize];
        if (counts.played[seat] == 0) {
            return k == 0 ? Status::TrickNotLeaders : Status::TrickOutOfOrder;
        }
    }
    for (int i = 1; i < game.trickSize; i++) {
        if (counts.total(game.seats[i]) != counts.total(game.seats[0])) return Status::UnevenHands;
    }
    return Status::Ok;
}

// True when `after` is `position` with exactly one read card moved from a
// hand to the trick by the same seat.
bool isOneMove(const int* position, const int* after, const GameRules& game) {
    int moved = 0;
    for (int card = 0; card < DEAL_CARDS; card++) {
        if (!game.isRead(card) || position[card] == after[card]) continue;
        const int code = position[card];
        if (!isHandCode(code)) return false;
        const int seat = seatOfCode(code);
        if (!game.validSeat(seat) || after[card] != onTrickCode(seat)) return false;
        moved++;
    }
    return moved == 1;
}

}  // namespace

bool cardCodesInRange(const int* deal, bool bridge) {
    const GameRules& game = core::rulesOf(bridge);
    for (int card = 0; card < DEAL_CARDS; card++) {
        if (game.isRead(card) && (deal[card] < CODE_OUT_OF_PLAY || deal[card] >= CODE_COUNT)) {
            return false;
        }
    }
    return true;
}

Status checkBridgeDeal(const int* deal, int trump, int leader, int maxOnTrick) {
    if (deal == nullptr) return Status::NullArgument;
    const core::SeatCounts counts = core::countSeats(deal, core::BRIDGE);
    if (!isTrump(trump)) return Status::BadStrain;
    if (core::BRIDGE.placeOf(leader) < 0) return Status::BadLeader;
    return checkTrickAndHands(counts, core::BRIDGE, leader, maxOnTrick);
}

Status checkPreferansDeal(const int* deal, int trump, int leader, int declarer, bool misere,
                          int maxOnTrick) {
    if (deal == nullptr) return Status::NullArgument;
    const core::SeatCounts counts = core::countSeats(deal, core::PREFERANS);
    if (!misere && !isTrump(trump)) return Status::BadStrain;
    if (core::PREFERANS.placeOf(leader) < 0) return Status::BadLeader;
    if (core::PREFERANS.placeOf(declarer) < 0) return Status::BadDeclarer;
    return checkTrickAndHands(counts, core::PREFERANS, leader, maxOnTrick);
}

Status checkPreferansOwnForm(const int* deal32, int trump, int declarer, int leader, bool misere,
                             int16_t leadSuit, int16_t leadRank, int16_t secondSuit,
                             int16_t secondRank) {
    if (deal32 == nullptr) return Status::NullArgument;
    if (!misere && !isTrump(trump)) return Status::BadStrain;
    if (leader < 0 || leader >= PREFERANS_PLAYERS) return Status::BadLeader;
    if (declarer < 0 || declarer >= PREFERANS_PLAYERS) return Status::BadDeclarer;
    int held[PREFERANS_PLAYERS] = {};
    for (int card = 0; card < SUITS * PREFERANS_OWN_RANKS; card++) {
        const int holder = deal32[card];
        if (holder >= 0 && holder < PREFERANS_PLAYERS) held[holder]++;
    }
    // A trick card is a card of its player's, named by suit and rank.
    auto heldBy = [deal32](int16_t suit, int16_t rank, int player) {
        return suit >= 0 && suit < SUITS && rank >= 0 && rank < PREFERANS_OWN_RANKS &&
               deal32[suit * PREFERANS_OWN_RANKS + rank] == player;
    };
    if (leadSuit >= 0 || leadRank >= 0) {
        if (!heldBy(leadSuit, leadRank, leader)) return Status::TrickNotLeaders;
    } else if (secondSuit >= 0 || secondRank >= 0) {
        return Status::TrickNotLeaders;
    }
    if ((secondSuit >= 0 || secondRank >= 0) &&
        !heldBy(secondSuit, secondRank, (leader + 1) % PREFERANS_PLAYERS)) {
        return Status::TrickOutOfOrder;
    }
    if (held[1] != held[0] || held[2] != held[0]) return Status::UnevenHands;
    return Status::Ok;
}

Status checkEstimate(const int* position, const int* positionAfterMove, int trump, int leader,
                     int declarer, bool bridge, bool misere, bool callbackGiven) {
    if (position == nullptr || positionAfterMove == nullptr || !callbackGiven) {
        return Status::NullArgument;
    }
    const GameRules& game = core::rulesOf(bridge);
    // The position before the move lacks at least the mover's card; the one
    // after it may hold a full trick.
    const int* const deals[2] = {position, positionAfterMove};
    for (int i = 0; i < 2; i++) {
        const int maxOnTrick = game.trickSize - 1 + i;
        const Status problem =
            bridge ? checkBridgeDeal(deals[i], trump, leader, maxOnTrick)
                   : checkPreferansDeal(deals[i], trump, leader, declarer, misere, maxOnTrick);
        if (problem != Status::Ok) return problem;
    }
    return isOneMove(position, positionAfterMove, game) ? Status::Ok : Status::NotOneMove;
}

Status checkSwitchMove(const int* deal, int leader, bool bridge) {
    if (deal == nullptr) return Status::NullArgument;
    const GameRules& game = core::rulesOf(bridge);
    if (game.placeOf(leader) < 0) return Status::BadLeader;
    return Status::Ok;
}
