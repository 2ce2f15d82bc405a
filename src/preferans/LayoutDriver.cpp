// Driver of the hidden-layout solver: narrows the declarer's trick count with
// yes/no tests, starting from the caller's guess.
#include "preferans/LayoutCards.h"

namespace preferans {

LayoutSolver::LayoutSolver(uint32_t tableEntries) : table_(tableEntries) {}

bool LayoutSolver::reaches(const LayoutPosition& root, int target) {
    if (root.trickCount == 0) return trickStart(root.leader, target);
    Trick trick{root.leader, root.trickCount, {root.trick[0], root.trick[1], 0}};
    return playNext(trick, target, -1, nullptr);
}

int LayoutSolver::declarerTricks(const LayoutGame& game, const LayoutPosition& position,
                                 int guess) {
    // Stored bounds hold for one game only.
    if (!gameSet_ || !(game == game_)) {
        table_.clear();
        game_ = game;
        gameSet_ = true;
    }
    for (int p = 0; p < PLAYERS; p++) hands_[p] = position.hands[p];
    // The last player of the trick still holds a card for every trick left.
    const int tricks = cardCount(hands_[(position.leader + 2) % PLAYERS]);
    int low = 0;
    int high = tricks;
    int target = guess;
    while (low < high) {
        if (target <= low) target = low + 1;
        if (target > high) target = high;
        if (reaches(position, target)) {
            low = target;
            target++;
        } else {
            high = target - 1;
            target--;
        }
    }
    return low;
}

}  // namespace preferans
