// Play review: the double-dummy result after every card of a played deal,
// what each card cost its side and which cards would have kept the optimum.
// The review uses the solver it is given (one call per solver at a time);
// PlayReview and PlayedCardReview are plain values.
#pragma once

#include <vector>

#include "BridgeSolver.h"
#include "Deal.h"
#include "Status.h"

namespace ddsolver {

struct PlayedCardReview {
    Seat seat = Seat::North;  // who played it
    Card card;
    // The declaring side's tricks after the card: those it has won in
    // completed tricks, plus the most it can take from there on (the
    // current trick included), both sides playing double dummy.
    int tricks = 0;
    int cost = 0;                   // tricks the card gave away for its own side: 0 or more
    std::vector<Card> optimal;      // the cards that kept the optimum there (not with Tricks)
    std::vector<CardValue> values;  // with EveryCard: every legal card there, valued as `tricks` is
};

// How much a review finds out at each card.
enum class ReviewDetail {
    Tricks,     // the value after each card and its cost: one solve a card
    Optimal,    // also the cards that kept the optimum: one test for each other legal card
    EveryCard,  // also every legal card's value: one solve for each
};

struct PlayReview {
    int start = 0;  // the declaring side's double-dummy tricks before the first card
    std::vector<PlayedCardReview> cards;
    int declarerTricksTaken = 0;  // tricks the declaring side won in the completed tricks
    int refusedCard = -1;         // the place (from 0) of the card refused, or -1
};

// Reviews the play of a full deal (13 cards each) in `strain`, `leader`
// leading to the first trick (the declaring side is the other one). `cards`
// holds 0 to 52 cards in playing order and may end in the middle of a trick.
// A card that is not its player's, a revoke or a card after the last trick
// is refused: `refusedCard` names its place and `cards` holds the review of
// the cards before it. The solver's memory is kept from card to card, so
// each solve after the first costs little.
[[nodiscard]] Status reviewPlay(BridgeSolver& solver, const Deal& deal, Strain strain, Seat leader,
                                const std::vector<Card>& cards, PlayReview& review,
                                ReviewDetail detail = ReviewDetail::Optimal);

}  // namespace ddsolver
