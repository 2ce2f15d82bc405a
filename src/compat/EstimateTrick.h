// Pieces of the per-card evaluation that both games share: the current trick
// in playing order, and the host's callback with each card's equivalents.
#pragma once

#include "core/GameRules.h"
#include "ddsolver/compat/BridgePosition.h"

namespace estimate {

using core::GameRules;
using core::NO_CARD;

// The value reported for a card whose evaluation is still to come.
constexpr int VALUE_TO_COME = 100;
constexpr int ANY_SUIT = -1;
// Directions of the walk over equivalent cards, in rank positions.
constexpr int TOWARDS_LOWER = 1;
constexpr int TOWARDS_HIGHER = -1;

// Cards on the trick from the seats of the game.
inline int countTrick(const int* deal, const GameRules& game) {
    const core::SeatCounts counts = core::countSeats(deal, game);
    int count = 0;
    for (int place = 0; place < game.trickSize; ++place) count += counts.played[game.seats[place]];
    return count;
}

// True when the trick holds exactly `count` cards, one from each of the
// first `count` seats from the leader; cards[] receives them in order.
inline bool trickIsOrderly(const int* deal, const GameRules& game, int leader, int count,
                           int cards[4]) {
    return countTrick(deal, game) == count &&
           core::trickInOrder(deal, game, leader, cards) == count;
}

// Hands the values to the host, each card with the cards equivalent to it
// in the position.
struct Reporter {
    EstimateCallback callback;
    void* context;
    const int* position;
    const GameRules& game;

    void report(int card, int value) const { callback(context, card, value); }

    void withEquivalents(int card, int value, int firstStep) const {
        report(card, value);
        core::forEachEquivalent(position, game, card, firstStep,
                                [&](int equal) { report(equal, value); });
    }
};

}  // namespace estimate
