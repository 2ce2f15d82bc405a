// Bridge position model: suit lists, playing and taking back cards, playing
// orders and the trick-winner rule, checked on seeded random deals.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "bridge/Internal.h"
#include "support/BridgeTestDeals.h"

using namespace bridge;
using BP = BridgePosition;

namespace {

// Builds the per-deal tables the way the solve driver does (the mask tables
// the suit codes need are built here without the transposition table).
void buildDeal(const Deal& deal, int trump, int firstmove, Item* trickCards[4]) {
    static bool maskTablesBuilt = false;
    if (!maskTablesBuilt) {
        buildLastBitCode();
        buildEnumerationArray();
        maskTablesBuilt = true;
    }
    buildCompareTable(trump);
    buildSuitLists(deal.data(), firstmove, trickCards);
    buildSuitCodes(deal.data());
}

// Everything a played-and-taken-back sequence must leave as it found.
struct ModelSnapshot {
    std::vector<const void*> links;
    std::vector<uint32_t> words;

    static ModelSnapshot take() {
        ModelSnapshot s;
        auto addItem = [&](const Item& x) {
            s.links.push_back(x.higher);
            s.links.push_back(x.lower);
        };
        for (const Item& x : BP::T) addItem(x);
        for (int i = 0; i < 4; ++i) {
            addItem(BP::Q[i]);
            addItem(BP::D[i]);
        }
        BridgePosition record;
        refreshSuitCode(record);
        for (int i = 0; i < 4; ++i) {
            s.words.push_back(SSCODE[i]);
            s.words.push_back(record.suitCode[i]);
        }
        return s;
    }
    bool operator==(const ModelSnapshot& o) const { return links == o.links && words == o.words; }
};

// The cards of suit s still in its list, from the top, read by lower links.
std::vector<Item*> walkDown(int s) {
    std::vector<Item*> out;
    for (Item* x = BP::Q[s].lower; x != &BP::D[s]; x = x->lower) out.push_back(x);
    return out;
}

std::vector<Item*> walkUp(int s) {
    std::vector<Item*> out;
    for (Item* x = BP::D[s].higher; x != &BP::Q[s]; x = x->higher) out.push_back(x);
    return out;
}

// Plays random cards to `depth` levels, taking each back before returning,
// and checks after every take-back that all is as before the play.
void playNested(std::mt19937& rng, int depth) {
    if (depth == 0) return;
    std::vector<Item*> inPlay;
    for (int s = 0; s < 4; ++s) {
        for (Item* x : walkDown(s)) inPlay.push_back(x);
    }
    if (inPlay.empty()) return;
    int tries = 1 + static_cast<int>(rng() % 2);
    for (int t = 0; t < tries; ++t) {
        Item* x = inPlay[rng() % inPlay.size()];
        ModelSnapshot before = ModelSnapshot::take();
        playCard(x);
        std::vector<Item*> down = walkDown(x->suit);
        std::vector<Item*> up = walkUp(x->suit);
        ASSERT_EQ(std::count(down.begin(), down.end(), x), 0);
        ASSERT_EQ(std::vector<Item*>(up.rbegin(), up.rend()), down);
        ASSERT_NE(SSCODE[x->suit] & (1u << x->rank), 0u);
        playNested(rng, depth - 1);
        takeBackCard(x);
        ASSERT_TRUE(ModelSnapshot::take() == before)
            << "after taking back " << int(x->suit) << "/" << int(x->rank);
    }
}

}  // namespace

TEST(BridgeModel, SuitListsHoldTheCardsInPlayInRankOrder) {
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        int tricks = 1 + round % 13;
        int onTrick = round % 4;
        int firstmove = (round / 4) % 4;
        Deal deal = randomDeal(rng, tricks, onTrick, firstmove);
        Item* trickCards[4];
        buildDeal(deal, 4, firstmove, trickCards);
        for (int s = 0; s < 4; ++s) {
            std::vector<Item*> down = walkDown(s);
            std::vector<Item*> expected;
            for (int r = 12; r >= 0; --r) {
                int code = deal[dealIndex(s, r)];
                if (code == 0) continue;
                ASSERT_LT(expected.size(), down.size());
                Item* x = down[expected.size()];
                EXPECT_EQ(x->rank, r);
                EXPECT_EQ(x->suit, s);
                EXPECT_EQ(x->owner, (code - 1) % 4);
                expected.push_back(x);
            }
            EXPECT_EQ(down.size(), expected.size());
            EXPECT_EQ(walkUp(s), std::vector<Item*>(down.rbegin(), down.rend()));
            // Stepping on from either end stays on the sentinel (one-trick
            // deals leave suits empty, where the head links to the tail).
            EXPECT_EQ(BP::D[s].lower, &BP::D[s]);
            EXPECT_EQ(BP::Q[s].higher, &BP::Q[s]);
            EXPECT_EQ(BP::Q[s].owner, SENTINEL_OWNER);
            EXPECT_EQ(BP::D[s].owner, SENTINEL_OWNER);
            EXPECT_EQ(SSCODE[s], uint32_t(s) * 8192);
        }
        for (int i = 0; i < 4; ++i) {
            if (i >= onTrick) {
                EXPECT_EQ(trickCards[i], nullptr);
                continue;
            }
            ASSERT_NE(trickCards[i], nullptr);
            int seat = (firstmove + i) % 4;
            EXPECT_EQ(trickCards[i]->owner, seat);
            EXPECT_EQ(deal[dealIndex(trickCards[i]->suit, trickCards[i]->rank)], seat + 5);
        }
    }
}

TEST(BridgeModel, PlayingAndTakingBackNestedSequencesRestoresEverything) {
    std::mt19937 rng(23);
    for (int round = 0; round < 40; ++round) {
        Deal deal = randomDeal(rng, 4 + round % 10);
        Item* trickCards[4];
        buildDeal(deal, round % 5, 0, trickCards);
        ModelSnapshot start = ModelSnapshot::take();
        playNested(rng, 6);
        ASSERT_TRUE(ModelSnapshot::take() == start);
    }
}

TEST(BridgeModel, TrickWinnerAgreesWithPlainRuleForEveryTrump) {
    std::mt19937 rng(37);
    for (int trump = 0; trump <= 4; ++trump) {
        buildCompareTable(trump);
        for (int round = 0; round < 4000; ++round) {
            TestCard trick[4];
            // Draw distinct cards; bias towards few suits so that following,
            // ruffing and overruffing all come up often.
            int suits = 1 + round % 4;
            for (int i = 0; i < 4; ++i) {
                bool fresh;
                do {
                    trick[i] = {static_cast<int>(rng() % suits), static_cast<int>(rng() % 13)};
                    fresh = std::find(trick, trick + i, trick[i]) == trick + i;
                } while (!fresh);
            }
            int expected = referenceWinner(trick, trump);
            uint16_t c[4];
            for (int i = 0; i < 4; ++i) c[i] = cardCode(trick[i]);
            ASSERT_EQ(trickWinner(c[0], c[1], c[2], c[3]), expected)
                << "trump " << trump << ": " << cardName(trick[0]) << " " << cardName(trick[1])
                << " " << cardName(trick[2]) << " " << cardName(trick[3]);
            ASSERT_EQ(BP::WhoTake(c[0], c[1], c[2], c[3]), expected);
        }
    }
}

// Following the orders down the records: whoever wins a trick leads the
// next, for any sequence of winners, and the index stays inside WhoArray.
TEST(BridgeModel, ChildOrderStartsWithTheTrickWinner) {
    std::mt19937 rng(41);
    linkRecords();
    for (int leader = 0; leader < 4; ++leader) {
        buildWhoArray(leader);
        for (int round = 0; round < 50; ++round) {
            BridgePosition* r = &P[13];
            setRootOrder(*r);
            ASSERT_EQ(r->who[0], leader);
            while (r->child != nullptr) {
                for (int i = 0; i < 4; ++i) ASSERT_EQ(r->who[i], (r->who[0] + i) % 4);
                ASSERT_EQ(whoWord(*r), BP::WhoArray[r->whoIndex]);
                int w = static_cast<int>(rng() % 4);
                setChildOrder(*r, w);
                ASSERT_EQ(r->child->who[0], r->who[w]);
                ASSERT_GE(r->child->whoIndex, ROOT_WHO_INDEX);
                ASSERT_LE(r->child->whoIndex, 78);
                ASSERT_EQ(r->child->tricksLeft, r->tricksLeft - 1);
                r = r->child;
            }
            EXPECT_EQ(r, &P[1]);
        }
    }
}
