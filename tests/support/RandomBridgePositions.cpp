// Seeded random bridge positions: a shuffled deck dealt into equal hands, with an
// optional trick in progress played legally from those hands.
#include "support/RandomBridgePositions.h"

#include <utility>

namespace bridgeref {
namespace {

// A deck in random order (Fisher-Yates with TestRandom).
std::array<int, DECK_SIZE> shuffledDeck(TestRandom& random) {
    std::array<int, DECK_SIZE> deck{};
    for (int card = 0; card < DECK_SIZE; ++card) deck[card] = card;
    for (int last = DECK_SIZE - 1; last > 0; --last)
        std::swap(deck[last], deck[random.below(last + 1)]);
    return deck;
}

// A random legal card of `seat` for a trick whose led suit is ledSuit (-1: he leads).
int pickLegalCard(TestRandom& random, const Position& position, int seat, int ledSuit) {
    int candidates[13];
    int count = 0;
    bool holdsLedSuit = false;
    for (int card = 0; card < DECK_SIZE; ++card) {
        if (position.deal[card] == seat + 1 && suitOf(card) == ledSuit) holdsLedSuit = true;
    }
    for (int card = 0; card < DECK_SIZE; ++card) {
        if (position.deal[card] != seat + 1) continue;
        if (holdsLedSuit && suitOf(card) != ledSuit) continue;
        candidates[count++] = card;
    }
    return candidates[random.below(count)];
}

}  // namespace

uint64_t TestRandom::next() {
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

PositionShape randomShape(TestRandom& random, int maxTricks) {
    PositionShape shape;
    shape.tricksLeft = 1 + random.below(maxTricks);
    shape.trump = random.below(5);
    shape.leader = random.below(4);
    shape.trickCards = random.below(4);
    return shape;
}

Position randomPosition(TestRandom& random, const PositionShape& shape) {
    Position position;
    position.trump = shape.trump;
    position.leader = shape.leader;
    std::array<int, DECK_SIZE> deck = shuffledDeck(random);
    for (int i = 0; i < 4 * shape.tricksLeft; ++i)
        position.deal[deck[i]] = i / shape.tricksLeft + 1;
    int ledSuit = -1;
    for (int i = 0; i < shape.trickCards; ++i) {
        int seat = (shape.leader + i) % 4;
        int card = pickLegalCard(random, position, seat, ledSuit);
        if (i == 0) ledSuit = suitOf(card);
        position.deal[card] = seat + 5;
    }
    return position;
}

Position randomPosition(TestRandom& random, int maxTricks) {
    PositionShape shape = randomShape(random, maxTricks);
    return randomPosition(random, shape);
}

Position randomFullDeal(TestRandom& random, int trump, int leader) {
    PositionShape shape;
    shape.tricksLeft = 13;
    shape.trump = trump;
    shape.leader = leader;
    return randomPosition(random, shape);
}

}  // namespace bridgeref
