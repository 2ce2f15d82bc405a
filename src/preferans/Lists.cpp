// Suit lists of the single-position preferans solver, and the table slot of a
// position.
#include "preferans/SolverInternal.h"

namespace preferans {

int Solver::buildLists(const int* deal32, bool withKey) {
    uint32_t cardsOut = 0;
    int tricks = 0;
    for (int s = 0; s < 4; s++) {
        ListItem* last = &S[s];
        ListItem* next = &T[8 * s];
        last->lower = nullptr;
        for (int r = 0; r < 8; r++) {
            int holder = deal32[8 * s + r];
            if (holder < 0 || holder > 2) {
                if (withKey) cardsOut ^= cardBit(s, r);
                continue;
            }
            if (withKey) {
                index[r * 4 + s] = cardBit(s, r);
                tricks += holder == 0;
            }
            next->rank = static_cast<uint8_t>(r);
            next->suit = static_cast<uint8_t>(s);
            next->owner = static_cast<uint8_t>(holder);
            next->lower = last;
            last->higher = next;
            last = next;
            next++;
        }
        last->higher = &Q[s];
        Q[s].lower = last;
    }
    if (withKey) key = cardsOut;
    return tricks;
}

void Solver::InitList(const int* deal32) {
    buildLists(deal32, false);
}

void Solver::RemoveItem(int16_t suit, int16_t rank) {
    for (ListItem* c = S[suit].higher; c != &Q[suit]; c = c->higher) {
        if (c->rank == rank) {
            unlinkCard(c);
            return;
        }
    }
}

uint32_t Record::slotOf(uint32_t key, int8_t leader) {
    return ((key >> 17) ^ key ^ static_cast<uint32_t>(leader)) % TABLE_SIZE;
}

}  // namespace preferans
