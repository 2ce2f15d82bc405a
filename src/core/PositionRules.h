// A position of the public vocabulary against the rules of its game: turned
// into the engines' deal array (checked), the seat to move, a card played,
// and every legal card valued through a solve of the position after it.
// Cold paths only: the engines search their own layouts.
#pragma once

#include <algorithm>
#include <vector>

#include "core/GameRules.h"
#include "ddsolver/Deal.h"

namespace core {

using ddsolver::Card;
using ddsolver::CardValue;
using ddsolver::Position;
using ddsolver::Status;

// The position as a deal array (hand codes for the cards held, trick codes
// for the trick's cards by the seats in playing order from the leader),
// checked as far as the position itself goes: the leader a seat of the game,
// at most trickSize - 1 cards on the trick, every card one the game plays and
// in one place only, no cards with a seat outside the game, hands of equal
// size once the trick's cards are counted. Strain and contract are the
// caller's to check.
Status toDealArray(const GameRules& game, const Position& position, int deal[DEAL_CARDS]);

inline int seatToMove(const GameRules& game, const Position& position) {
    return game.seatAt(static_cast<int>(position.leader), position.trickCount);
}

// The position after the seat to move plays `card` (which he holds). When
// the card completes the trick, the trick is cleared, its winner leads and
// `winner` receives him; otherwise `winner` is -1.
Position afterPlaying(const GameRules& game, const Position& position, Card card, int trump,
                      int& winner);

// Best first; equal values in suit order, high cards first.
void sortValues(std::vector<CardValue>& values);

// The top card (deal index) of each run of equal cards the seat to move may
// play (following suit; in preferans, trumping when void in the suit led),
// in a position whose deal array toDealArray gave as `deal`; returns how many.
int legalRunTops(const GameRules& game, const Position& position, int trump,
                 const int deal[DEAL_CARDS], int tops[CARDS_PER_SUIT]);

// Every legal card of the seat to move in a position that toDealArray
// accepts, valued by `childValue(after, card, mover, winner, value)`: it sets
// `value` to the tricks of the mover's side from the current trick on, this
// trick included, given the position after the card (and the trick's winner
// as afterPlaying gives it), and returns the status of that solve. Cards
// equivalent to one another are valued once. A position toDealArray refuses
// gets its status and no values.
template <typename ChildValue>
Status valueEveryCard(const GameRules& game, const Position& position, int trump,
                      ChildValue childValue, std::vector<CardValue>& values) {
    values.clear();
    int deal[DEAL_CARDS];
    const Status status = toDealArray(game, position, deal);
    if (status != Status::Ok) return status;
    const int mover = seatToMove(game, position);
    int tops[CARDS_PER_SUIT];
    const int n = legalRunTops(game, position, trump, deal, tops);
    for (int k = 0; k < n; ++k) {
        int winner = -1;
        const Card card = Card::fromIndex(tops[k]);
        const Position after = afterPlaying(game, position, card, trump, winner);
        int value = 0;
        const Status solved = childValue(after, card, mover, winner, value);
        if (solved != Status::Ok) return solved;
        values.push_back({card, value});
        forEachEquivalent(deal, game, tops[k], 1, [&](int equal) {
            values.push_back({Card::fromIndex(equal), value});
        });
    }
    sortValues(values);
    return Status::Ok;
}

}  // namespace core
