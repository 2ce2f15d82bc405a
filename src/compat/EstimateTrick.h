// Pieces of the per-card evaluation that both games share: how a game reads
// a deal array, the current trick in playing order, and the host's callback.
#pragma once

#include "ddsolver/compat/BridgePosition.h"
#include "ddsolver/compat/DealCodes.h"

namespace estimate {

// The value reported for a card whose evaluation is still to come.
constexpr int VALUE_TO_COME = 100;
constexpr int NO_CARD = -1;
constexpr int ANY_SUIT = -1;
using ::NO_TRUMP;
constexpr int MAX_HAND = 13;
constexpr int MAX_PREF_HAND = 10;
// Directions of the walk over equivalent cards, in rank positions.
constexpr int TOWARDS_LOWER = 1;
constexpr int TOWARDS_HIGHER = -1;

// Preferans playing order by leader seat * 3 + place in the trick; seat 2
// takes no part and never leads.
constexpr int PREF_ORDER[12] = {0, 1, 3, 1, 3, 0, -1, -1, -1, 3, 0, 1};

// How one game reads a deal array: the rank positions in play (ace down),
// the seats of a trick in playing order and the codes of the trick's cards.
struct Game {
    bool bridge;
    int ranks;      // 13 in bridge; 8 (ace to seven) in preferans
    int trickSize;  // 4 or 3

    bool validSeat(int seat) const {
        return bridge ? seat >= 0 && seat <= 3 : seat == 0 || seat == 1 || seat == 3;
    }
    // The seat that plays `place`-th (0 = the leader) to a trick led by `leader`.
    int seatAt(int leader, int place) const {
        return bridge ? (leader + place) & 3 : PREF_ORDER[leader * 3 + place];
    }
    // True for a trick code of a seat of this game; in preferans seat 2's
    // cards are out of play.
    bool isTrickCode(int code) const {
        return ::isTrickCode(code) && (bridge || code != onTrickCode(2));
    }
    bool isRead(int card) const { return card % 13 < ranks; }
};

constexpr Game BRIDGE{true, 13, 4};
constexpr Game PREFERANS{false, 8, 3};

// The card that `seat` has put on the trick (the lowest index should a
// faulty array hold several), or NO_CARD.
inline int trickCardOf(const int* deal, const Game& game, int seat) {
    for (int card = 0; card < 52; ++card) {
        if (game.isRead(card) && deal[card] == onTrickCode(seat)) return card;
    }
    return NO_CARD;
}

inline int countTrick(const int* deal, const Game& game) {
    int count = 0;
    for (int card = 0; card < 52; ++card)
        count += game.isRead(card) && game.isTrickCode(deal[card]);
    return count;
}

// The trick's cards in playing order from the leader, as far as the seats
// have played without a gap; returns how many.
inline int trickInOrder(const int* deal, const Game& game, int leader, int cards[4]) {
    int n = 0;
    while (n < game.trickSize) {
        const int card = trickCardOf(deal, game, game.seatAt(leader, n));
        if (card == NO_CARD) break;
        cards[n++] = card;
    }
    return n;
}

// True when the trick holds exactly `count` cards, one from each of the
// first `count` seats from the leader; cards[] receives them in order.
inline bool trickIsOrderly(const int* deal, const Game& game, int leader, int count, int cards[4]) {
    return countTrick(deal, game) == count && trickInOrder(deal, game, leader, cards) == count;
}

// Place in the trick of the winning card: a later card takes over when it
// has the winning card's suit and a higher rank, or is a trump played on a
// card that is not (with no trump nothing ever trumps).
inline int winningPlace(const int* cards, int n, int trump) {
    int w = 0;
    for (int k = 1; k < n; ++k) {
        const int suit = cards[k] / 13, winningSuit = cards[w] / 13;
        const bool higher = suit == winningSuit && cards[k] % 13 < cards[w] % 13;
        const bool ruffs = suit == trump && winningSuit != trump;
        if (higher || ruffs) w = k;
    }
    return w;
}

// Hands the values to the host, each card with the cards equivalent to it:
// the cards of its suit reached one rank at a time over cards out of play
// (code 0) that have the same code in the position.
struct Reporter {
    EstimateCallback callback;
    void* context;
    const int* position;
    int ranks;

    void report(int card, int value) const { callback(context, card, value); }

    void equivalents(int card, int value, int step) const {
        const int suitBase = card - card % 13;
        for (int r = card % 13 + step; r >= 0 && r < ranks; r += step) {
            const int code = position[suitBase + r];
            if (code == CODE_OUT_OF_PLAY) continue;
            if (code != position[card]) return;
            report(suitBase + r, value);
        }
    }

    void withEquivalents(int card, int value, int firstStep) const {
        report(card, value);
        equivalents(card, value, firstStep);
        equivalents(card, value, -firstStep);
    }
};

}  // namespace estimate
