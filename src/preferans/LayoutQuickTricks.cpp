// Sure tricks of the hidden-layout solver: the winners a player on lead can
// cash one after the other before anyone can stop him.
#include "preferans/LayoutCards.h"

namespace preferans {

int LayoutSolver::quickTricks(int leader) const {
    const int left = (leader + 1) % PLAYERS;
    const int right = (leader + 2) % PLAYERS;
    const CardSet others = hands_[left] | hands_[right];
    // Players that must ruff a side-suit winner once void in its suit: an
    // opponent takes the trick, a partner takes the lead away.
    CardSet ruffers[2] = {0, 0};
    int nRuffers = 0;
    if (game_.trump != NO_TRUMP) {
        for (int p : {left, right}) {
            if ((hands_[p] & suitCards(game_.trump)) != 0) ruffers[nRuffers++] = hands_[p];
        }
    }
    int total = 0;
    for (int s = 0; s < 4; s++) {
        const CardSet mine = hands_[leader] & suitCards(s);
        if (mine == 0) continue;
        const CardSet theirs = others & suitCards(s);
        // His cards above every other card of the suit win in turn.
        int winners =
            cardCount(theirs == 0 ? mine : mine & ~((cardBit(highestCard(theirs)) << 1) - 1));
        if (s != game_.trump) {
            for (int i = 0; i < nRuffers; i++) {
                const int length = cardCount(ruffers[i] & suitCards(s));
                if (length < winners) winners = length;
            }
        }
        total += winners;
    }
    return total;
}

}  // namespace preferans
