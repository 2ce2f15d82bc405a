// Bridge transposition table: probe and store bounds, slot rotation, the seat
// on lead in the key, the clear, and the pairing of allocation and release.
#include <gtest/gtest.h>

#include "bridge/Internal.h"

using namespace bridge;
using BP = BridgePosition;

namespace {

struct Key {
    uint32_t words[4];
};

// Suit codes of the shape the solver makes (below 2 to the 26th).
const Key K1 = {{0x0123456, 0x0234567, 0x0345678, 0x1456789}};

bool probe(const Key& k, int leader, int a, int& answer) {
    return probeTable(k.words, uint32_t(leader), a, answer);
}

// The table is allocated once for the whole suite: it is 272 MiB.
class BridgeTransTable : public ::testing::Test {
   protected:
    static void SetUpTestSuite() { BP::allocateTables(); }
    static void TearDownTestSuite() { BP::freeTables(); }
    void SetUp() override {
        ASSERT_NE(BP::hashtable, nullptr);
        clearHashTable();
    }
};

}  // namespace

TEST_F(BridgeTransTable, UpperBoundSettlesTargetsAtOrAboveIt) {
    storeTable(K1.words, 0, 1, 1);  // "is the score above 1?" no: score <= 1
    int answer = 0;
    for (int a : {1, 3, 5}) {
        ASSERT_TRUE(probe(K1, 0, a, answer)) << a;
        EXPECT_EQ(answer, a);
    }
    EXPECT_FALSE(probe(K1, 0, -1, answer));
    EXPECT_FALSE(probe(K1, 0, -3, answer));
}

TEST_F(BridgeTransTable, LowerBoundSettlesTargetsBelowIt) {
    storeTable(K1.words, 0, 1, 3);  // "is the score above 1?" yes: score >= 3
    int answer = 0;
    for (int a : {1, -1, -5}) {
        ASSERT_TRUE(probe(K1, 0, a, answer)) << a;
        EXPECT_EQ(answer, a + 2);
    }
    EXPECT_FALSE(probe(K1, 0, 3, answer));
    EXPECT_FALSE(probe(K1, 0, 5, answer));
    const HashBucket& bucket = BP::hashtable[hashIndex(K1.words, 0)];
    EXPECT_EQ(bucket.slot[0].value, 3);
    EXPECT_EQ(bucket.slot[0].bound, 1);
}

// Both bounds of one position, in two slots, answer from either side.
TEST_F(BridgeTransTable, TwoBoundsOfOnePositionBothAnswer) {
    storeTable(K1.words, 2, -3, -1);  // score >= -1
    storeTable(K1.words, 2, 3, 3);    // score <= 3
    int answer = 0;
    EXPECT_TRUE(probe(K1, 2, -3, answer));
    EXPECT_EQ(answer, -1);
    EXPECT_TRUE(probe(K1, 2, 3, answer));
    EXPECT_EQ(answer, 3);
    EXPECT_FALSE(probe(K1, 2, 1, answer));
}

// Positions that differ only in the high half of the fourth suit code share
// a bucket; the fifth and sixth stores overwrite slots 0 and 1.
TEST_F(BridgeTransTable, FifthAndSixthStoresOverwriteTheOldestSlots) {
    Key keys[6];
    for (int i = 0; i < 6; ++i) {
        keys[i] = K1;
        keys[i].words[3] = (K1.words[3] & 0xFFFF) | (uint32_t(i + 1) << 16);
        ASSERT_EQ(hashIndex(keys[i].words, 1), hashIndex(K1.words, 1));
    }
    const HashBucket& bucket = BP::hashtable[hashIndex(K1.words, 1)];
    int answer = 0;
    for (int i = 0; i < 5; ++i) storeTable(keys[i].words, 1, 1, 3);
    EXPECT_TRUE(slotMatches(bucket.slot[0], keys[4].words));
    EXPECT_FALSE(probe(keys[0], 1, 1, answer));
    for (int i = 1; i < 5; ++i) EXPECT_TRUE(probe(keys[i], 1, 1, answer)) << i;
    storeTable(keys[5].words, 1, 1, 3);
    EXPECT_TRUE(slotMatches(bucket.slot[1], keys[5].words));
    EXPECT_FALSE(probe(keys[1], 1, 1, answer));
    for (int i = 2; i < 6; ++i) EXPECT_TRUE(probe(keys[i], 1, 1, answer)) << i;
    EXPECT_EQ(bucket.nextSlot, 2u);
}

TEST_F(BridgeTransTable, DifferentLeadersNeverMatch) {
    for (int leader = 0; leader < 4; ++leader) {
        for (int other = 0; other < 4; ++other) {
            if (other != leader) {
                EXPECT_NE(hashIndex(K1.words, leader), hashIndex(K1.words, other));
            }
        }
    }
    storeTable(K1.words, 0, 1, 3);  // seat 0 on lead: score >= 3
    storeTable(K1.words, 1, 1, 1);  // seat 1 on lead: score <= 1
    int answer = 0;
    EXPECT_TRUE(probe(K1, 0, 1, answer));
    EXPECT_EQ(answer, 3);
    EXPECT_TRUE(probe(K1, 1, 1, answer));
    EXPECT_EQ(answer, 1);
    EXPECT_FALSE(probe(K1, 2, 1, answer));
    EXPECT_FALSE(probe(K1, 3, 1, answer));
}

TEST_F(BridgeTransTable, ClearForgetsEveryPosition) {
    Key keys[64];
    for (int i = 0; i < 64; ++i) {
        keys[i] = K1;
        keys[i].words[i % 4] += uint32_t(i) * 977;
        storeTable(keys[i].words, i % 4, -1, 1);
    }
    EXPECT_FALSE(tableUncleared);
    clearHashTable();
    int answer = 0;
    for (int i = 0; i < 64; ++i) {
        EXPECT_FALSE(probe(keys[i], i % 4, -1, answer)) << i;
        EXPECT_EQ(BP::hashtable[hashIndex(keys[i].words, i % 4)].nextSlot, 0u);
    }
}

// A second allocation releases the first (the leak check of the sanitizer
// build would report it otherwise), and a second release does nothing.
TEST(BridgeTableLifecycle, AllocateTwiceAndFreeTwice) {
    BP::trump = 0;
    ASSERT_TRUE(BP::allocateTables());
    EXPECT_EQ(BP::trump, 4);
    EXPECT_TRUE(tableUncleared);
    ASSERT_TRUE(BP::allocateTables());
    EXPECT_NE(BP::hashtable, nullptr);
    EXPECT_EQ(BP::TableSize, 4194304u);
    for (int k = 1; k <= 10; ++k) ASSERT_NE(BP::ST[k], nullptr) << k;
    // A lone card of the side on lead (owner 0) is one trick alone; owners
    // 0, 2, 1, 3 from the top give one trick with the leader's flag.
    EXPECT_EQ(BP::ST[1][0], 0x100);
    EXPECT_EQ(BP::ST[1][1], 0);
    EXPECT_EQ(BP::ST[4][0 | 2 << 2 | 1 << 4 | 3 << 6], 0x11);
    EXPECT_EQ(LAST_BIT_CODE[FULL_MASK], 20u);
    EXPECT_EQ(ENUMERATION_ARRAY[0], FULL_MASK);
    BP::freeTables();
    EXPECT_EQ(BP::hashtable, nullptr);
    for (int k = 1; k <= 10; ++k) EXPECT_EQ(BP::ST[k], nullptr) << k;
    BP::freeTables();
    EXPECT_EQ(BP::hashtable, nullptr);
}
