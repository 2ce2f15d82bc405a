// Bridge position model: the per-level records, the played-rank masks, the
// card comparison table, the playing orders and the suit list rebuild.
#include "bridge/Internal.h"

namespace bridge {

uint8_t CompareTable[COMPARE_TABLE_SIZE];
uint32_t SSCODE[4];
BridgePosition P[14];

void buildCompareTable(int trump) {
    for (int s1 = 0; s1 < 4; ++s1) {
        for (int r1 = 0; r1 < 13; ++r1) {
            uint8_t* row = &CompareTable[(s1 * 256 + r1) * 1024];
            for (int s2 = 0; s2 < 4; ++s2) {
                for (int r2 = 0; r2 < 13; ++r2) {
                    bool keeps = s1 == s2 ? r1 > r2 : s2 != trump;
                    row[s2 * 256 + r2] = keeps ? 1 : 0;
                }
            }
        }
    }
}

// Chains the items of the suit's cards in play upward from the tail sentinel
// to the head sentinel, in rank order from the two.
static void buildSuitList(const int* deal, int s, int firstmove, Item* trickCards[4]) {
    Item& tail = BridgePosition::D[s];
    Item& head = BridgePosition::Q[s];
    tail.owner = head.owner = SENTINEL_OWNER;
    tail.suit = head.suit = static_cast<uint8_t>(s);
    tail.lower = &tail;
    head.higher = &head;
    Item* below = &tail;
    Item* next = &BridgePosition::T[13 * s];
    for (int r = 0; r < 13; ++r) {
        int code = deal[s * 13 + 12 - r];
        if (code < 1 || code > 8) continue;
        Item* x = next++;
        x->rank = static_cast<uint8_t>(r);
        x->suit = static_cast<uint8_t>(s);
        x->owner = static_cast<uint8_t>(code <= 4 ? code - 1 : code - 5);
        x->lower = below;
        below->higher = x;
        below = x;
        if (code >= 5) trickCards[(code - 5 - firstmove + 4) & 3] = x;
    }
    below->higher = &head;
    head.lower = below;
}

void buildSuitLists(const int* deal, int firstmove, Item* trickCards[4]) {
    for (int i = 0; i < 4; ++i) trickCards[i] = nullptr;
    for (int s = 0; s < 4; ++s) {
        buildSuitList(deal, s, firstmove, trickCards);
        SSCODE[s] = static_cast<uint32_t>(s) << 13;
    }
}

void buildWhoArray(int leader) {
    for (int j = 0; j < 79; ++j) {
        uint32_t first = static_cast<uint32_t>(leader + 1 + j);
        BridgePosition::WhoArray[j] =
            packWho(first & 3, (first + 1) & 3, (first + 2) & 3, (first + 3) & 3);
    }
}

void linkRecords() {
    for (int k = 1; k <= 13; ++k) {
        P[k].tricksLeft = k;
        P[k].child = k > 1 ? &P[k - 1] : nullptr;
    }
}

}  // namespace bridge
