// Bridge trick search g: decides "is the score above a?" for a position at
// the start of a trick by playing whole tricks, and remembers the answer.
#include "bridge/TrickPlay.h"

using namespace bridge;

namespace {

// Leads x and lets the other three seats answer; a or a + 2 for the leader.
inline int tryLead(BridgePosition& r, Item* x, int a) {
    playCard(x);
    int chosen;
    int v = TrickPlay<0, false>::outer<1>(r, a, 0, chosen);
    takeBackCard(x);
    return v;
}

inline int remember(const BridgePosition& r, int a, int answer) {
    storeTable(r.suitCode, r.who[0], a, answer);
    return answer;
}

}  // namespace

// The leader tries one card per run of his equivalent cards, the highest of
// the run: first the top run of each suit, then the lower runs suit by suit.
// The other seats' lists are built once per suit in each pass.
int BridgePosition::g(int a) {
    ++NodeCount;
    refreshSuitCode(*this);
    const uint8_t leader = who[0];
    Item* resume[4];
    for (int s = 0; s < 4; ++s) {
        leadSuit = static_cast<uint8_t>(s);
        Item* const tail = &D[s];
        Item* x = Q[s].lower;
        while (x != tail && x->owner != leader) x = x->lower;
        if (x == tail) {
            resume[s] = tail;
            continue;
        }
        leadRank = x->rank;
        find_suitable_cards();
        if (tryLead(*this, x, a) > a) return remember(*this, a, a + 2);
        Item* y = x->lower;
        while (y->owner == leader) y = y->lower;
        resume[s] = y->lower;  // y is not the leader's; the tail stays on itself
    }
    for (int s = 0; s < 4; ++s) {
        leadSuit = static_cast<uint8_t>(s);
        Item* const tail = &D[s];
        bool listed = false;
        Item* x = resume[s];
        while (x != tail) {
            if (x->owner != leader) {
                x = x->lower;
                continue;
            }
            leadRank = x->rank;
            if (!listed) {
                find_suitable_cards();
                listed = true;
            }
            if (tryLead(*this, x, a) > a) return remember(*this, a, a + 2);
            do x = x->lower;
            while (x->owner == leader);
        }
    }
    return remember(*this, a, a);
}
