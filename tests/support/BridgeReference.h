// Independent reference for bridge double-dummy results: the position type the
// test helpers share, its consistency check, and a plain minimax for small positions.
//
// Companion helpers in this directory:
//   RandomBridgePositions.h  seeded random small positions and full deals
//   BridgeFullDeal.h         exhaustive solver fast enough for full 13-card deals
//   BridgeDealText.h         hands written as text, position strings, table files
//
// None of these share code with the engine under src/: they exist to check it.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace bridgeref {

constexpr int DECK_SIZE = 52;
constexpr int NO_TRUMP = 4;

// A bridge position as the solver's callers describe it.
//   deal[suit * 13 + rankPosition], rankPosition 0 = ace ... 12 = two:
//     0 not in play, 1..4 held by seat 0..3, 5..8 played to the current trick by seat 0..3.
//   trump: 0..3 a suit, 4 no trump.
//   leader: the seat that led the current trick, or leads it when it is empty.
// Seats 0 North, 1 East, 2 South, 3 West play in that order; 0 and 2 are North-South.
struct Position {
    std::array<int, DECK_SIZE> deal{};
    int trump = NO_TRUMP;
    int leader = 0;
};

struct Tricks {
    int northSouth = 0;
    int eastWest = 0;
};

// The value of one playable card: the tricks the mover's side takes (out of the
// tricks that remain, current trick included) when he plays it and all play on perfectly.
struct CardValue {
    int card;        // deal index, suit * 13 + rankPosition
    int sideTricks;  // tricks of the side of the seat to move
};

inline int cardIndex(int suit, int rankPosition) {
    return suit * 13 + rankPosition;
}
inline int suitOf(int card) {
    return card / 13;
}
inline int rankPositionOf(int card) {
    return card % 13;
}
// The engine reports its best card as a suit and a rank counted from the two
// (0 = two ... 12 = ace); this turns that pair into a deal index.
inline int cardFromSuitAndRank(int suit, int rankFromTwo) {
    return suit * 13 + 12 - rankFromTwo;
}
inline bool isNorthSouth(int seat) {
    return seat % 2 == 0;
}

// True when the position is one the references accept: codes 0..8, trump 0..4,
// leader 0..3; the trick cards belong to the leader and the seats after him with
// no gap (at most four); every seat holds the same number of cards once the
// trick cards are counted back into their hands; and no seat that followed to
// the trick revoked (played another suit while still holding the suit led).
// On refusal *reason (when given) says why.
bool checkPosition(const Position& position, std::string* reason = nullptr);

// Cards on the current trick (0..4) and tricks that remain, the current one
// included. Both assume a position that passes checkPosition.
int cardsOnTrick(const Position& position);
int tricksLeft(const Position& position);

// The seat to play next: the seat after the last trick card, or, when four cards
// lie on the trick, the seat that won it (he leads the next trick).
int seatToMove(const Position& position);

// Plain minimax (alpha-beta inside each trick, exact values remembered per trick
// boundary). Meant for positions of up to about five tricks. Gives the tricks
// each side takes among the tricks that remain, current trick included; a
// completed trick on the table counts for the side that won it. Returns false
// (and leaves *result alone) when checkPosition refuses the position.
bool solveSmall(const Position& position, Tricks* result);

// Every legal card of the seat to move, in deal-index order, with the tricks his
// side then takes. The largest value equals his side's count from solveSmall.
// With four cards on the trick the seat to move is its winner, leading the next
// trick, and the completed trick counts in every value. Returns false (and leaves
// *values alone) for a refused position; an empty list when no card is left.
bool evaluateCards(const Position& position, std::vector<CardValue>* values);

// The largest sideTricks of a list from evaluateCards (-1 when it is empty).
int bestValue(const std::vector<CardValue>& values);

// The value of one card in a list from evaluateCards, or -1 when the card is not
// in it (not a legal play). For checking that a solver's chosen card is optimal:
//   valueOfCard(values, cardFromSuitAndRank(bs, bc)) == bestValue(values)
int valueOfCard(const std::vector<CardValue>& values, int card);

}  // namespace bridgeref
