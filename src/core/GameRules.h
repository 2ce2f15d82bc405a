// How each game reads the engines' deal array (52 ints, see DealCodes.h), for
// the cold paths: argument checks, per-card evaluation, conversions. The
// rules of a trick are written here once; the engines' hot paths keep their
// own bit layouts.
#pragma once

#include <initializer_list>

#include "ddsolver/compat/DealCodes.h"

namespace core {

struct GameRules {
    bool bridge;
    int ranks;         // rank positions read in every suit, from the ace down: 13 or 8
    int trickSize;     // 4 or 3
    const int* seats;  // the seats in playing order from seat 0
    int maxHand;       // 13 or 10

    bool isRead(int card) const { return card % CARDS_PER_SUIT < ranks; }
    // Place of a seat in the playing order, or -1 for a seat not in the game.
    int placeOf(int seat) const {
        for (int i = 0; i < trickSize; i++) {
            if (seats[i] == seat) return i;
        }
        return -1;
    }
    bool validSeat(int seat) const { return placeOf(seat) >= 0; }
    // The seat that plays `place`-th (0 = the leader) to a trick led by `leader`.
    int seatAt(int leader, int place) const { return seats[(placeOf(leader) + place) % trickSize]; }
    // A trick code of a seat of this game (preferans takes seat 2's cards as
    // out of play).
    bool isTrickCode(int code) const { return ::isTrickCode(code) && validSeat(seatOfCode(code)); }
};

inline constexpr int BRIDGE_SEAT_ORDER[4] = {0, 1, 2, 3};
inline constexpr GameRules BRIDGE{true, CARDS_PER_SUIT, 4, BRIDGE_SEAT_ORDER, 13};
inline constexpr GameRules PREFERANS{false, PREFERANS_RANKS, 3, PREFERANS_SEATS, 10};

inline const GameRules& rulesOf(bool bridge) {
    return bridge ? BRIDGE : PREFERANS;
}

constexpr int NO_CARD = -1;

// Each seat's read cards in hand and on the trick; a code outside 0 to 8 is
// a card out of play.
struct SeatCounts {
    int held[4] = {};
    int played[4] = {};
    int total(int seat) const { return held[seat] + played[seat]; }
};
SeatCounts countSeats(const int* deal, const GameRules& game);

// The trick's cards (deal indices) in playing order from the leader, as far
// as the seats have played without a gap; returns how many.
int trickInOrder(const int* deal, const GameRules& game, int leader, int cards[4]);

// Place in the trick of the winning card among cards[0..n-1] (deal indices,
// cards[0] led): a later card takes over when it follows the winning card's
// suit higher, or is a trump played on a card that is not.
int winningPlace(const int* cards, int n, int trump);

// The top card (deal index) of each run of the seat's cards in suit s: cards
// with no other card in play between them (cards on the trick count as in
// play) form one run. From the highest run down, or from the lowest up;
// returns how many.
int runTops(const int* deal, const GameRules& game, int s, int seat, bool upward, int* out);

// Calls f(card) for every card equivalent to `card` (a card of its holder
// in its suit with no other card in play between them; cards out of play are
// passed over), walking one rank at a time first in the direction `firstStep`
// (+1 towards the two, -1 towards the ace), then the other way.
template <typename F>
void forEachEquivalent(const int* deal, const GameRules& game, int card, int firstStep, F f) {
    const int suitBase = card - card % CARDS_PER_SUIT;
    for (int step : {firstStep, -firstStep}) {
        for (int r = card % CARDS_PER_SUIT + step; r >= 0 && r < game.ranks; r += step) {
            const int code = deal[suitBase + r];
            if (!isInPlayCode(code)) continue;
            if (code != deal[card]) break;
            f(suitBase + r);
        }
    }
}

}  // namespace core
