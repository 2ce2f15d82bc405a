// The play of a trick after its first card, shared by the trick search and
// the root search: the later seats' candidate loops with their cut-offs, the
// fourth seat's two passes and the hand-over of each trick to the child.
#pragma once

#include "bridge/Internal.h"

namespace bridge {

// gP's answer when none of its cheap tests decides.
constexpr int UNDECIDED = 100;

// The answer to "is the score above a?" for the side of trick position Side
// (0: the leader's side, 1: the other side), after the player at position w
// of the trick has won it and leads the child. A child answer of 100 comes
// out as +101 or -101.
template <bool Probe>
inline int childAnswer(BridgePosition& r, int w, int side, int a) {
    setChildOrder(r, w);
    BridgePosition& c = *r.child;
    if (((w ^ side) & 1) == 0) return (Probe ? c.gP(a - 1) : c.g(a - 1)) + 1;
    return ~(Probe ? c.gP(-a - 3) : c.g(-a - 3));  // -answer - 1
}

// The seats of one trick from the second on, searched for the side of trick
// position Side. A seat on that side needs one card that succeeds (answer
// a + 2); an opponent needs every card to succeed. An empty candidate list
// fails for the side and succeeds against it. `chosen` receives the list
// place of the card that settled the seat. Root counts every trick probed in
// the first pass as a node of its own.
template <int Side, bool Root>
struct TrickPlay {
    static constexpr bool onSide(int position) { return ((position ^ Side) & 1) == 0; }

    // One reply c4 of the fourth seat, with the card winning after three
    // cards and its position: the answer with the trick handed to the child.
    template <bool Probe>
    static int reply(BridgePosition& r, Item* c4, uint32_t winning, int ahead, int a) {
        playCard(c4);
        r.card4 = c4;
        int w = beats(winning, c4->code()) ? ahead : 3;
        if (Root && Probe) ++BridgePosition::NodeCount;
        int v = childAnswer<Probe>(r, w, Side, a);
        takeBackCard(c4);
        return v;
    }

    // Fourth seat: every reply is probed with gP first; full searches run only
    // on the undecided replies, after every cheap refutation was looked for.
    static int fourth(BridgePosition& r, int a, int& chosen) {
        constexpr bool ours = onSide(3);
        int ahead = 0;
        uint32_t winning = r.leadCard();
        if (!beats(winning, r.card2->code())) {
            ahead = 1;
            winning = r.card2->code();
        }
        if (!beats(winning, r.card3->code())) {
            ahead = 2;
            winning = r.card3->code();
        }
        uint32_t undecided = 0;
        const uint32_t n = r.nmoves4;
        for (uint32_t i = 0; i < n; ++i) {
            int v = reply<true>(r, r.moves4[i], winning, ahead, a);
            if (v == UNDECIDED + 1 || v == -UNDECIDED - 1) {
                undecided |= 1u << i;
            } else if ((v > a) == ours) {
                chosen = static_cast<int>(i);
                return v;
            }
        }
        // gP decides every last trick, so undecided replies have a deeper child.
        for (; undecided != 0; undecided &= undecided - 1) {
            int i = __builtin_ctz(undecided);
            int v = reply<false>(r, r.moves4[i], winning, ahead, a);
            if ((v > a) == ours) {
                chosen = i;
                return v;
            }
        }
        return ours ? a : a + 2;
    }

    // Second (Position 1) or third (Position 2) seat, candidates from `from`.
    template <int Position>
    static int outer(BridgePosition& r, int a, uint32_t from, int& chosen) {
        static_assert(Position == 1 || Position == 2, "the fourth seat has its own loop");
        constexpr bool ours = onSide(Position);
        Item* const* list = Position == 1 ? r.moves2 : r.moves3;
        const uint32_t n = Position == 1 ? r.nmoves2 : r.nmoves3;
        for (uint32_t i = from; i < n; ++i) {
            Item* x = list[i];
            playCard(x);
            int later;
            int v;
            if constexpr (Position == 1) {
                r.card2 = x;
                v = outer<2>(r, a, 0, later);
            } else {
                r.card3 = x;
                v = fourth(r, a, later);
            }
            takeBackCard(x);
            if ((v > a) == ours) {
                chosen = static_cast<int>(i);
                return v;
            }
        }
        return ours ? a : a + 2;
    }
};

}  // namespace bridge
