// Internals of the bridge solver shared by its source files: the file-level
// tables, the per-level records and the cheap inline operations of the search.
#pragma once

#include <cstdint>

#include "BridgePosition.h"
#include "CardList.h"

namespace bridge {

using Item = BridgePosition::ListItem;

// ---- sizes ----
constexpr int COMPARE_TABLE_SIZE = 781 * 1024 + 781;  // card code x * 1024 + card code y
constexpr int SUIT_CODE_ENTRIES = 4 * 8192;           // suit * 8192 + played mask
constexpr uint32_t FULL_MASK = 0x1FFF;                // all thirteen ranks
constexpr uint32_t TABLE_BUCKETS = 1u << 22;          // transposition table buckets
constexpr uint32_t BUCKET_MASK = 0x3FFFFF;
constexpr uint32_t EMPTY_KEY = 0xFFFFFFFF;  // no suit code reaches 32 bits
constexpr int MAX_ST_CARDS = 10;            // ST[1] to ST[10]
constexpr int ROOT_WHO_INDEX = 39;
constexpr uint8_t SENTINEL_OWNER = 0xFF;

static_assert(sizeof(HashSlot) == 16, "a slot is 16 bytes");
static_assert(sizeof(HashBucket) == 68, "a bucket is four slots and a counter");
static_assert(BUCKET_MASK == TABLE_BUCKETS - 1, "index mask fits the table");

// ---- per-deal and fixed tables ----
// CompareTable[x * 1024 + y]: 1 when card x, winning so far, stays ahead of y.
extern uint8_t CompareTable[COMPARE_TABLE_SIZE];
// Per suit: suit * 8192 XOR the mask of its ranks played since the root.
extern uint32_t SSCODE[4];
// Indexed by SSCODE[s]: key word (owner pattern with length marker), owner
// pattern alone, and twice the number of the suit's cards still in hands.
extern uint32_t _CodeArray[SUIT_CODE_ENTRIES];
extern uint32_t CodeArrayST[SUIT_CODE_ENTRIES];
extern uint32_t nofbits[SUIT_CODE_ENTRIES];
// Position of the lowest 0 bit of a 13-bit mask (20 for the full mask).
extern uint32_t LAST_BIT_CODE[8192];
// The 13-bit masks with at most six 0 bits, fewer 0 bits first.
extern uint32_t ENUMERATION_ARRAY[4096];
// Per-level records: P[k] holds a position with k tricks left (P[0] unused).
extern BridgePosition P[14];
// True from allocateTables until the first clear: the buckets then hold
// whatever the allocator left, so the driver must clear before any probe.
extern bool tableUncleared;

// ---- per-deal builds (the solve driver calls them before each search) ----
void buildCompareTable(int trump);
// Suit codes of the four suits from the cards in hands (deal codes 1 to 4).
// Needs LAST_BIT_CODE and ENUMERATION_ARRAY (built by allocateTables).
void buildSuitCodes(const int* deal);
// Rebuilds the suit lists from the cards in hands and on the trick (codes 1
// to 8; anything else is out of play) and resets SSCODE to the bare suit
// bases. trickCards[i] receives the item of the trick's card at position i
// from firstmove (null where the trick has no such card).
void buildSuitLists(const int* deal, int firstmove, Item* trickCards[4]);
// WhoArray[j] = playing order starting with seat (leader + 1 + j) mod 4.
void buildWhoArray(int leader);
// tricksLeft and child of P[1] to P[13].
void linkRecords();
// Empties every bucket of the transposition table.
void clearHashTable();

// ---- fixed tables (allocateTables builds them; callable on their own) ----
void buildLastBitCode();
void buildEnumerationArray();
// Fills ST[1] to ST[10], which must already point to 4^k entries each.
void buildStTables();
// One ST entry: the summary of playing a k-card owner pattern from the top.
uint16_t stEntry(uint32_t pattern, int k);

// ---- playing orders ----
inline uint32_t packWho(uint32_t first, uint32_t second, uint32_t third, uint32_t fourth) {
    return first | (second << 8) | (third << 16) | (fourth << 24);
}

inline uint32_t whoWord(const BridgePosition& r) {
    return packWho(r.who[0], r.who[1], r.who[2], r.who[3]);
}

inline void setWho(BridgePosition& r, uint32_t word) {
    r.who[0] = static_cast<uint8_t>(word);
    r.who[1] = static_cast<uint8_t>(word >> 8);
    r.who[2] = static_cast<uint8_t>(word >> 16);
    r.who[3] = static_cast<uint8_t>(word >> 24);
}

// The root record starts the order at the leader given to buildWhoArray.
inline void setRootOrder(BridgePosition& root) {
    root.whoIndex = ROOT_WHO_INDEX;
    setWho(root, BridgePosition::WhoArray[ROOT_WHO_INDEX]);
}

// The child's order after the player at position w of the trick wins it.
inline void setChildOrder(BridgePosition& r, int w) {
    BridgePosition& c = *r.child;
    c.whoIndex = r.whoIndex + w;
    setWho(c, BridgePosition::WhoArray[c.whoIndex]);
}

// ---- playing cards ----
// Playing a card also toggles its rank in SSCODE; the cards already on the
// trick at the root belong to no suit code and are only unlinked and relinked.
inline void playCard(Item* x) {
    unlinkCard(x);
    SSCODE[x->suit] ^= 1u << x->rank;
}

inline void takeBackCard(Item* x) {
    relinkCard(x);
    SSCODE[x->suit] ^= 1u << x->rank;
}

inline void refreshSuitCode(BridgePosition& r) {
    for (int s = 0; s < 4; ++s) r.suitCode[s] = _CodeArray[SSCODE[s]];
}

// ---- who wins a trick ----
inline bool beats(uint32_t x, uint32_t y) {
    return CompareTable[x * 1024 + y] != 0;
}

// Position 0 to 3 of the winning card; c1 is the card led.
inline int trickWinner(uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4) {
    if (beats(c1, c2)) {
        if (beats(c1, c3)) return beats(c1, c4) ? 0 : 3;
        return beats(c3, c4) ? 2 : 3;
    }
    if (beats(c2, c3)) return beats(c2, c4) ? 1 : 3;
    return beats(c3, c4) ? 2 : 3;
}

// Score of the last trick for the side on lead (+1 or -1). Every player holds
// one card; the record's leadCard and card2..card4 are set to the four cards.
inline int lastTrickScore(BridgePosition& r) {
    for (int s = 0; s < 4; ++s) {
        for (Item* x = BridgePosition::Q[s].lower; x != &BridgePosition::D[s]; x = x->lower) {
            if (x->owner == r.who[0]) {
                r.leadRank = x->rank;
                r.leadSuit = x->suit;
            } else if (x->owner == r.who[1]) {
                r.card2 = x;
            } else if (x->owner == r.who[2]) {
                r.card3 = x;
            } else {
                r.card4 = x;
            }
        }
    }
    int w = trickWinner(r.leadCard(), r.card2->code(), r.card3->code(), r.card4->code());
    return (w & 1) == 0 ? 1 : -1;
}

// ---- transposition table ----
inline uint32_t hashIndex(const uint32_t* suitCode, uint32_t leader) {
    return ((suitCode[0] * suitCode[1] + suitCode[2]) ^ (suitCode[3] & 0xFFFF) ^ (leader << 20)) &
           BUCKET_MASK;
}

// Inside one bucket the three full words and the high half of the fourth make
// an exact match: the index fixes the low half and the seat on lead.
inline bool slotMatches(const HashSlot& slot, const uint32_t* suitCode) {
    return slot.key[0] == suitCode[0] && slot.key[1] == suitCode[1] && slot.key[2] == suitCode[2] &&
           slot.keyHigh == (suitCode[3] >> 16);
}

// Looks the position up for the question "is the score above a?". Returns
// true with answer a (no) or a + 2 (yes) when a remembered bound settles it.
inline bool probeTable(const uint32_t* suitCode, uint32_t leader, int a, int& answer) {
    const HashBucket& bucket = BridgePosition::hashtable[hashIndex(suitCode, leader)];
    for (const HashSlot& slot : bucket.slot) {
        if (!slotMatches(slot, suitCode)) continue;
        if (slot.bound == 1 && a < slot.value) {
            answer = a + 2;
            return true;
        }
        if (slot.bound == 0 && a >= slot.value) {
            answer = a;
            return true;
        }
    }
    return false;
}

// Remembers the search's answer (a or a + 2) to "is the score above a?" in
// the bucket's oldest slot. The slot number is masked so that even a bucket
// the allocator left as it was cannot send the write outside the bucket.
inline void storeTable(const uint32_t* suitCode, uint32_t leader, int a, int answer) {
    HashBucket& bucket = BridgePosition::hashtable[hashIndex(suitCode, leader)];
    HashSlot& slot = bucket.slot[bucket.nextSlot & 3];
    slot.keyHigh = static_cast<uint16_t>(suitCode[3] >> 16);
    slot.value = static_cast<int8_t>(answer);
    slot.bound = answer > a ? 1 : 0;
    slot.key[0] = suitCode[0];
    slot.key[1] = suitCode[1];
    slot.key[2] = suitCode[2];
    bucket.nextSlot = (bucket.nextSlot + 1) & 3;
}

}  // namespace bridge
