// Suit pattern tables: the mask enumeration, the lowest-zero table, the
// no-trump suit summaries and the suit codes that key the transposition table.
#include <gtest/gtest.h>

#include <bitset>
#include <unordered_map>

#include "bridge/Internal.h"
#include "support/BridgeTestDeals.h"

using namespace bridge;

namespace {

int zeroBits(uint32_t mask) {
    return 13 - static_cast<int>(std::bitset<13>(mask).count());
}

// Owner pattern of the given owners from the highest card down.
uint32_t pattern(std::initializer_list<uint32_t> owners) {
    uint32_t u = 0, shift = 0;
    for (uint32_t o : owners) {
        u |= o << shift;
        shift += 2;
    }
    return u;
}

void buildMaskTables() {
    buildLastBitCode();
    buildEnumerationArray();
}

}  // namespace

TEST(BridgePatternTables, EnumerationArrayListsEveryMaskAfterItsLowestZeroSet) {
    buildMaskTables();
    std::unordered_map<uint32_t, int> place;
    for (int v = 0; v < 4096; ++v) {
        uint32_t m = ENUMERATION_ARRAY[v];
        ASSERT_LE(m, FULL_MASK);
        ASSERT_LE(zeroBits(m), 6) << v;
        ASSERT_TRUE(place.emplace(m, v).second) << "mask listed twice: " << m;
    }
    // 4096 distinct masks with at most six 0 bits: that is all of them.
    EXPECT_EQ(place.size(), 4096u);
    EXPECT_EQ(ENUMERATION_ARRAY[0], FULL_MASK);
    for (int bit = 0; bit < 13; ++bit)
        EXPECT_EQ(ENUMERATION_ARRAY[1 + bit], FULL_MASK ^ (1u << bit));
    // Two 0 bits: the higher one slowest, from bit 1; the lower from bit 0.
    EXPECT_EQ(ENUMERATION_ARRAY[14], FULL_MASK ^ 0x3);
    EXPECT_EQ(ENUMERATION_ARRAY[15], FULL_MASK ^ 0x5);
    EXPECT_EQ(ENUMERATION_ARRAY[16], FULL_MASK ^ 0x6);
    for (int v = 1; v < 4096; ++v) {
        uint32_t m = ENUMERATION_ARRAY[v];
        uint32_t lowestZero = ~m & (m + 1);
        ASSERT_LT(place.at(m | lowestZero), v) << "mask " << m;
        ASSERT_GE(zeroBits(m), zeroBits(ENUMERATION_ARRAY[v - 1]));
    }
}

TEST(BridgePatternTables, LastBitCodeIsTheLowestZeroBit) {
    buildMaskTables();
    EXPECT_EQ(LAST_BIT_CODE[FULL_MASK], 20u);
    for (uint32_t m = 0; m < FULL_MASK; ++m) {
        uint32_t expected = 0;
        while (m & (1u << expected)) ++expected;
        ASSERT_EQ(LAST_BIT_CODE[m], expected) << m;
    }
}

// Expected entries worked out by hand: owners are listed from the top card,
// owners 0 and 2 being the side that plays the suit from the top.
TEST(BridgePatternTables, NoTrumpSuitSummariesOfWorkedPatterns) {
    struct Case {
        std::initializer_list<uint32_t> owners;
        uint16_t entry;
    };
    const Case cases[] = {
        {{0}, 0x100},           // a single card of the leader: one trick alone
        {{1}, 0x000},           // a single card of an opponent
        {{0, 2, 1, 3}, 0x11},   // leader's top card, partner follows
        {{0, 1, 0, 2}, 0x111},  // then the leader's remaining card alone
        {{0, 0, 0}, 0x300},     // three top cards, partner void
        {{2, 0, 1}, 0x21},      // partner's top card, leader follows
        {{1, 0, 0}, 0x000},     // the opponent's top card stops everything
        // The opponent's card drops under the leader's top card, so when
        // partner cashes next, the leader's flag is withdrawn.
        {{0, 1, 2, 0, 2}, 0x22},
    };
    for (const Case& c : cases) {
        int k = static_cast<int>(c.owners.size());
        EXPECT_EQ(stEntry(pattern(c.owners), k), c.entry) << "pattern of " << k << " cards";
    }
}

// The codes of one suit over every played mask, against the owners of the
// suit's remaining hand cards read straight from the deal.
TEST(BridgePatternTables, SuitCodesIdentifyTheOwnerSequenceOfRemainingHandCards) {
    buildMaskTables();
    std::mt19937 rng(53);
    for (int round = 0; round < 12; ++round) {
        Deal deal = randomDeal(rng, 6 + round % 8, round % 4, round % 4);
        buildSuitCodes(deal.data());
        for (int s = 0; s < 4; ++s) {
            std::unordered_map<uint64_t, uint32_t> codeOfSequence;
            std::unordered_map<uint32_t, uint64_t> sequenceOfCode;
            for (uint32_t m = 0; m <= FULL_MASK; ++m) {
                uint32_t packed = 0, count = 0;
                for (int r = 12; r >= 0; --r) {
                    int code = deal[dealIndex(s, r)];
                    if (code < 1 || code > 4 || (m & (1u << r))) continue;
                    packed |= uint32_t(code - 1) << (2 * count++);
                }
                uint32_t index = uint32_t(s) * 8192 + m;
                ASSERT_EQ(nofbits[index], 2 * count);
                ASSERT_EQ(CodeArrayST[index], packed);
                uint32_t key = _CodeArray[index];
                ASSERT_LT(key, 1u << 26);
                uint64_t sequence = (uint64_t(count) << 32) | packed;
                auto known = codeOfSequence.emplace(sequence, key);
                ASSERT_EQ(known.first->second, key) << "same owners, other code; mask " << m;
                auto seen = sequenceOfCode.emplace(key, sequence);
                ASSERT_EQ(seen.first->second, sequence) << "other owners, same code; mask " << m;
            }
        }
    }
}

TEST(BridgePatternTables, VoidAndCompleteSuitCodes) {
    buildMaskTables();
    // Suit 0 entirely in hands, suit 1 void in every hand.
    Deal deal = dealFromHands({"AKQJ.", "T987.", "6543..A", "2...K"});
    buildSuitCodes(deal.data());
    for (uint32_t m = 0; m <= FULL_MASK; ++m) {
        ASSERT_EQ(_CodeArray[8192 + m], 13u);
        ASSERT_EQ(CodeArrayST[8192 + m], 0u);
        ASSERT_EQ(nofbits[8192 + m], 0u);
    }
    EXPECT_EQ(_CodeArray[0], CodeArrayST[0]);
    EXPECT_EQ(nofbits[0], 26u);
    // The lone ace of suit 2 (seat 2), king of suit 3 (seat 3).
    EXPECT_EQ(_CodeArray[2 * 8192], 2u | (12u << 2));
    EXPECT_EQ(_CodeArray[3 * 8192], 3u | (12u << 2));
}
