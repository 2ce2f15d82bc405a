// Driver of the hidden-layout solver: narrows the declarer's trick count with
// tests, starting from the caller's guess, by the bound each test answers.
#include "preferans/LayoutCards.h"

#include <algorithm>
#include <cassert>

namespace preferans {

LayoutSolver::LayoutSolver(size_t tableBytes)
    : ownTable_(new LayoutTable(tableBytes)), table_(ownTable_.get()) {}

LayoutSolver::LayoutSolver(LayoutTable& shared, const LayoutGame& game)
    : game_(game), gameSet_(true), partitioned_(false), table_(&shared) {
    assert(game.misere && shared.shareable());
}

void LayoutCounters::add(const LayoutCounters& other) {
    for (int t = 0; t < 11; t++) {
        nodes[t] += other.nodes[t];
        exactCuts[t] += other.exactCuts[t];
        shapeProbes[t] += other.shapeProbes[t];
        shapeCuts[t] += other.shapeCuts[t];
        stores[t] += other.stores[t];
        cardsThatMattered[t] += other.cardsThatMattered[t];
        cardsLeft[t] += other.cardsLeft[t];
    }
    entriesMade += other.entriesMade;
    splitsServed += other.splitsServed;
}

int LayoutSolver::reaches(const LayoutPosition& root, int tricks, int target) {
    CardSet mattered = 0;
    if (root.trickCount == 0) return trickStart(root.leader, tricks, target, 0, mattered);
    Trick trick{root.leader, root.trickCount, {root.trick[0], root.trick[1], 0}, tricks, 0};
    return playNext(trick, target, -1, nullptr, mattered);
}

int LayoutSolver::declarerTricks(const LayoutGame& game, const LayoutPosition& position,
                                 int guess) {
    // Stored bounds hold for one game only. In misere nearly every card
    // matters, so entries for many positions would not pay.
    if (!gameSet_ || !(game == game_)) {
        assert(ownTable_ != nullptr);  // a shared table serves one game
        game_ = game;
        gameSet_ = true;
        partitioned_ = !game.misere;
        table_->reset(partitioned_);
    }
    splits_++;
    for (int p = 0; p < PLAYERS; p++) hands_[p] = position.hands[p];
    // The last player of the trick still holds a card for every trick left.
    const int tricks = cardCount(hands_[(position.leader + 2) % PLAYERS]);
    int low = 0;
    int high = tricks;
    int target = guess;
    while (low < high) {
        if (target <= low) target = low + 1;
        if (target > high) target = high;
        // A test's value may pass its target: it narrows the bounds at once.
        const int value = reaches(position, tricks, target);
        if (value >= target) {
            low = std::min(value, high);
            target = low + 1;
        } else {
            high = std::max(value, low);
            target = high;
        }
    }
    return low;
}

}  // namespace preferans
