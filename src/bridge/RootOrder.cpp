// The order of the candidate cards at the root of a solve: the reported best
// card is the first card in this order that reaches the optimum, so the order
// depends on the position alone. It takes the play weights the search uses
// but none of the search's later refinements (second hand covering, heavier
// discards, early ruffs of partner's winning card, runs played from their
// lowest card, remembered cards), so tuning those leaves the program's
// output unchanged.
#include "bridge/Internal.h"

namespace bridge {

namespace {

constexpr int ROOT_DISCARD_LENGTH = 2;  // a discard's weight per card of its suit

}  // namespace

void Engine::rootOrder(int seat, Moves& m) const {
    m.count = 0;
    if (trick_.count == 0)
        addLeads(seat, m, false);
    else if (hand_[seat][trick_.suit] != 0)
        addFollows(seat, m, false);
    else
        addVoidPlays(seat, m, ROOT_DISCARD_LENGTH, false);
    sortMoves(m);
}

}  // namespace bridge
