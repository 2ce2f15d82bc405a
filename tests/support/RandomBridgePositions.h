// Seeded random bridge positions for tests: small endings with a trick possibly
// in progress, and full deals. The same seed gives the same positions everywhere.
#pragma once

#include <cstdint>

#include "support/BridgeReference.h"

namespace bridgeref {

// A small, fully specified random number source (splitmix64), so that a seed
// names the same positions with any compiler or standard library.
class TestRandom {
   public:
    explicit TestRandom(uint64_t seed) : state_(seed) {}
    uint64_t next();
    // A number in 0..bound-1 (bound > 0).
    int below(int bound) { return static_cast<int>(next() % static_cast<uint64_t>(bound)); }

   private:
    uint64_t state_;
};

// What a random position looks like; the cards themselves are drawn at random.
struct PositionShape {
    int tricksLeft = 1;    // 1..13, the current trick included
    int trump = NO_TRUMP;  // 0..3 a suit, 4 no trump
    int leader = 0;        // seat that led (or leads) the current trick
    int trickCards = 0;    // 0..4 cards already on the current trick
};

// A shape with 1..maxTricks tricks left, any trump or no trump, any leader and
// 0..3 cards on the trick, each drawn uniformly.
PositionShape randomShape(TestRandom& random, int maxTricks = 5);

// A position of the given shape: 4 * tricksLeft cards drawn from the deck and
// dealt tricksLeft to each seat (the others are out of play), then the leader and
// the seats after him each put a legal card from their hand on the trick
// (following the suit led when they hold it).
Position randomPosition(TestRandom& random, const PositionShape& shape);

// randomPosition(random, randomShape(random, maxTricks)).
Position randomPosition(TestRandom& random, int maxTricks = 5);

// All 52 cards dealt thirteen to each seat; no card on the trick.
Position randomFullDeal(TestRandom& random, int trump, int leader);

}  // namespace bridgeref
