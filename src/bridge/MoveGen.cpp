// Bridge move generation: the candidate cards of the second, third and fourth
// players of a trick, one per run of equivalent cards, in the order tried.
#include "bridge/Internal.h"

using namespace bridge;

namespace {

// The three candidate lists of a record, indexed by position in the trick
// minus one, with the seat-to-position map of the record's order. Only cards
// are looked up by owner: the walks stop at the sentinels.
struct MoveLists {
    Item** list[3];
    uint32_t count[3];
    int position[4];  // by seat; -1 for the leader

    explicit MoveLists(BridgePosition& r) : list{r.moves2, r.moves3, r.moves4}, count{0, 0, 0} {
        position[r.who[0]] = -1;
        for (int i = 1; i < 4; ++i) position[r.who[i]] = i - 1;
    }

    void append(int p, Item* x) { list[p][count[p]++] = x; }
};

// Walks one suit from its lowest card up and gives each player whose bit is
// in `players` one entry per run of his cards. firstOfSuit[p] is set to the
// list place of his first entry from this suit (-1 for none).
void walkUpward(MoveLists& moves, int s, unsigned players, int firstOfSuit[3]) {
    for (int p = 0; p < 3; ++p) firstOfSuit[p] = -1;
    Item* top = &BridgePosition::Q[s];
    Item* x = BridgePosition::D[s].higher;
    while (x != top) {
        int p = moves.position[x->owner];
        if (p < 0 || !(players & (1u << p))) {
            x = x->higher;
            continue;
        }
        if (firstOfSuit[p] < 0) firstOfSuit[p] = static_cast<int>(moves.count[p]);
        moves.append(p, x);
        uint8_t owner = x->owner;
        do x = x->higher;
        while (x->owner == owner);
    }
}

}  // namespace

void BridgePosition::find_suitable_cards() {
    MoveLists moves(*this);
    const int s = leadSuit;

    // Following suit, from the top: the highest card of each run.
    unsigned follow = 0;
    Item* x = Q[s].lower;
    while (x != &D[s]) {
        int p = moves.position[x->owner];
        if (p >= 0) {
            moves.append(p, x);
            follow |= 1u << p;
        }
        uint8_t owner = x->owner;
        do x = x->lower;
        while (x->owner == owner);
    }

    const unsigned void_players = ~follow & 7u;
    if (void_players != 0) {
        // Ruffs from the lowest trump up; then one discard per side suit is
        // brought forward, the cheapest of each suit, behind the lowest ruff.
        uint32_t front[3] = {0, 0, 0};
        int firstOfSuit[3];
        if (trump != 4 && trump != s) {
            walkUpward(moves, trump, void_players, firstOfSuit);
            for (int p = 0; p < 3; ++p) {
                if (firstOfSuit[p] >= 0) front[p] = 1;
            }
        }
        for (int u = 0; u < 4; ++u) {
            if (u == s || u == trump) continue;
            walkUpward(moves, u, void_players, firstOfSuit);
            for (int p = 0; p < 3; ++p) {
                if (firstOfSuit[p] < 0) continue;
                Item** list = moves.list[p];
                Item* first = list[firstOfSuit[p]];
                list[firstOfSuit[p]] = list[front[p]];
                list[front[p]] = first;
                ++front[p];
            }
        }
    }
    nmoves2 = moves.count[0];
    nmoves3 = moves.count[1];
    nmoves4 = moves.count[2];
}
