// Argument checks of the host entries: one scan of the deal array counts each
// seat's cards in hand and on the trick, and the rules are read off the counts.
#include "core/EntryChecks.h"

#include "ddsolver/compat/DealCodes.h"

namespace {

constexpr int PREFERANS_OWN_RANKS = 8;
constexpr int PREFERANS_PLAYERS = 3;

// How one game reads a deal array.
struct Game {
    int ranks;         // rank positions read in every suit, from the ace down
    const int* seats;  // the seats in playing order from seat 0
    int seatCount;
};

const int ALL_BRIDGE_SEATS[BRIDGE_SEATS] = {0, 1, 2, 3};
constexpr Game BRIDGE{CARDS_PER_SUIT, ALL_BRIDGE_SEATS, BRIDGE_SEATS};
constexpr Game PREFERANS{PREFERANS_RANKS, PREFERANS_SEATS, 3};

bool isRead(const Game& game, int card) {
    return card % CARDS_PER_SUIT < game.ranks;
}

// Place of a seat in the game's playing order, or -1 for a seat not in play.
int placeOf(const Game& game, int seat) {
    for (int i = 0; i < game.seatCount; i++) {
        if (game.seats[i] == seat) return i;
    }
    return -1;
}

bool isTrump(int trump) {
    return trump >= 0 && trump <= NO_TRUMP;
}

struct SeatCounts {
    int held[BRIDGE_SEATS] = {};
    int played[BRIDGE_SEATS] = {};
};

// Counts the read cards by seat; a code outside 0 to 8 is a card out of play.
SeatCounts countSeats(const int* deal, const Game& game) {
    SeatCounts counts;
    for (int card = 0; card < DEAL_CARDS; card++) {
        if (!isRead(game, card)) continue;
        const int code = deal[card];
        if (code >= inHandCode(0) && code < onTrickCode(0)) counts.held[code - inHandCode(0)]++;
        if (code >= onTrickCode(0) && code < CODE_COUNT) counts.played[code - onTrickCode(0)]++;
    }
    return counts;
}

// The trick holds one card from each of the first seats in playing order
// from the leader, at most `maxOnTrick`; every seat in play starts the trick
// with as many cards as the others.
EntryProblem checkTrickAndHands(const SeatCounts& counts, const Game& game, int leader,
                                int maxOnTrick) {
    int onTrick = 0;
    for (int i = 0; i < game.seatCount; i++) {
        const int played = counts.played[game.seats[i]];
        if (played > 1) return EntryProblem::TWO_CARDS_FROM_SEAT;
        onTrick += played;
    }
    if (onTrick > maxOnTrick) return EntryProblem::TRICK_TOO_LARGE;
    const int leaderPlace = placeOf(game, leader);
    for (int k = 0; k < onTrick; k++) {
        const int seat = game.seats[(leaderPlace + k) % game.seatCount];
        if (counts.played[seat] == 0) {
            return k == 0 ? EntryProblem::TRICK_NOT_LEADERS : EntryProblem::TRICK_OUT_OF_ORDER;
        }
    }
    const int first = counts.held[game.seats[0]] + counts.played[game.seats[0]];
    for (int i = 1; i < game.seatCount; i++) {
        const int seat = game.seats[i];
        if (counts.held[seat] + counts.played[seat] != first) return EntryProblem::UNEVEN_HANDS;
    }
    return EntryProblem::NONE;
}

// True when `after` is `position` with exactly one read card moved from a
// hand to the trick by the same seat.
bool isOneMove(const int* position, const int* after, const Game& game) {
    int moved = 0;
    for (int card = 0; card < DEAL_CARDS; card++) {
        if (!isRead(game, card) || position[card] == after[card]) continue;
        const int code = position[card];
        const int seat = code - inHandCode(0);
        const bool inHand = code >= inHandCode(0) && code < onTrickCode(0);
        if (!inHand || placeOf(game, seat) < 0 || after[card] != onTrickCode(seat)) return false;
        moved++;
    }
    return moved == 1;
}

}  // namespace

bool cardCodesInRange(const int* deal, bool bridge) {
    const Game& game = bridge ? BRIDGE : PREFERANS;
    for (int card = 0; card < DEAL_CARDS; card++) {
        if (isRead(game, card) && (deal[card] < CODE_OUT_OF_PLAY || deal[card] >= CODE_COUNT)) {
            return false;
        }
    }
    return true;
}

EntryProblem checkBridgeDeal(const int* deal, int trump, int leader, int maxOnTrick) {
    if (deal == nullptr) return EntryProblem::NULL_POINTER;
    const SeatCounts counts = countSeats(deal, BRIDGE);
    if (!isTrump(trump)) return EntryProblem::TRUMP;
    if (placeOf(BRIDGE, leader) < 0) return EntryProblem::LEADER;
    return checkTrickAndHands(counts, BRIDGE, leader, maxOnTrick);
}

EntryProblem checkPreferansDeal(const int* deal, int trump, int leader, int declarer, bool misere,
                                int maxOnTrick) {
    if (deal == nullptr) return EntryProblem::NULL_POINTER;
    const SeatCounts counts = countSeats(deal, PREFERANS);
    if (!misere && !isTrump(trump)) return EntryProblem::TRUMP;
    if (placeOf(PREFERANS, leader) < 0) return EntryProblem::LEADER;
    if (placeOf(PREFERANS, declarer) < 0) return EntryProblem::DECLARER;
    return checkTrickAndHands(counts, PREFERANS, leader, maxOnTrick);
}

EntryProblem checkPreferansOwnForm(const int* deal32, int trump, int declarer, int leader,
                                   bool misere, int16_t leadSuit, int16_t leadRank,
                                   int16_t secondSuit, int16_t secondRank) {
    if (deal32 == nullptr) return EntryProblem::NULL_POINTER;
    if (!misere && !isTrump(trump)) return EntryProblem::TRUMP;
    if (leader < 0 || leader >= PREFERANS_PLAYERS) return EntryProblem::LEADER;
    if (declarer < 0 || declarer >= PREFERANS_PLAYERS) return EntryProblem::DECLARER;
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
        if (!heldBy(leadSuit, leadRank, leader)) return EntryProblem::TRICK_NOT_LEADERS;
    } else if (secondSuit >= 0 || secondRank >= 0) {
        return EntryProblem::TRICK_NOT_LEADERS;
    }
    if ((secondSuit >= 0 || secondRank >= 0) &&
        !heldBy(secondSuit, secondRank, (leader + 1) % PREFERANS_PLAYERS)) {
        return EntryProblem::TRICK_OUT_OF_ORDER;
    }
    if (held[1] != held[0] || held[2] != held[0]) return EntryProblem::UNEVEN_HANDS;
    return EntryProblem::NONE;
}

EntryProblem checkEstimate(const int* position, const int* positionAfterMove, int trump, int leader,
                           int declarer, bool bridge, bool misere, bool callbackGiven) {
    if (position == nullptr || positionAfterMove == nullptr || !callbackGiven) {
        return EntryProblem::NULL_POINTER;
    }
    const Game& game = bridge ? BRIDGE : PREFERANS;
    // The position before the move lacks at least the mover's card; the one
    // after it may hold a full trick.
    const int* const deals[2] = {position, positionAfterMove};
    for (int i = 0; i < 2; i++) {
        const int maxOnTrick = game.seatCount - 1 + i;
        const EntryProblem problem =
            bridge ? checkBridgeDeal(deals[i], trump, leader, maxOnTrick)
                   : checkPreferansDeal(deals[i], trump, leader, declarer, misere, maxOnTrick);
        if (problem != EntryProblem::NONE) return problem;
    }
    return isOneMove(position, positionAfterMove, game) ? EntryProblem::NONE
                                                        : EntryProblem::NOT_ONE_MOVE;
}

EntryProblem checkSwitchMove(const int* deal, int leader, bool bridge) {
    if (deal == nullptr) return EntryProblem::NULL_POINTER;
    const Game& game = bridge ? BRIDGE : PREFERANS;
    if (placeOf(game, leader) < 0) return EntryProblem::LEADER;
    return EntryProblem::NONE;
}
