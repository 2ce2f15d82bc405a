// Trick values of fixed cards: the last trick of a position and the one- and
// two-trick scores, against the plain trick rule and hand-worked tricks.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "bridge/Internal.h"
#include "support/BridgeTestDeals.h"

using namespace bridge;
using BP = BridgePosition;

namespace {

uint16_t code(const char* name) {
    return cardCode(parseCard(name));
}

int sideScore(int position) {
    return position % 2 == 0 ? 1 : -1;
}

}  // namespace

TEST(BridgeTrickValues, WorkedTricks) {
    struct Case {
        const char* what;
        int trump;
        const char* cards[4];
        int winner;
    };
    // Winners by the rules of play: highest trump, else highest of suit led.
    const Case cases[] = {
        {"one suit, highest wins", 4, {"07", "0A", "0K", "02"}, 1},
        {"one suit, highest wins last", 4, {"07", "0K", "02", "0A"}, 3},
        {"third player's lone trump", 1, {"0A", "0K", "12", "0Q"}, 2},
        {"no trump: other suits never win", 4, {"02", "1A", "2A", "3A"}, 0},
        {"overruff", 2, {"3A", "25", "29", "3K"}, 2},
        {"trump led, higher trump", 0, {"05", "1A", "0T", "09"}, 2},
    };
    for (const Case& c : cases) {
        buildCompareTable(c.trump);
        uint16_t k[4] = {code(c.cards[0]), code(c.cards[1]), code(c.cards[2]), code(c.cards[3])};
        EXPECT_EQ(BP::WhoTake(k[0], k[1], k[2], k[3]), c.winner) << c.what;
        EXPECT_EQ(BP::Est(k[0], k[1], k[2], k[3]), sideScore(c.winner)) << c.what;
    }
}

TEST(BridgeTrickValues, TwoLastTricks) {
    buildCompareTable(4);
    // Position 0 wins with the ace and leads his two; position 1's last card
    // wins the second trick.
    EXPECT_EQ(BP::Est(code("0A"), code("03"), code("04"), code("05"), code("12"), code("1K"),
                      code("17"), code("18")),
              0);
    // Position 3 wins the first trick and leads the second with a winner.
    EXPECT_EQ(BP::Est(code("04"), code("05"), code("06"), code("0K"), code("12"), code("13"),
                      code("14"), code("2A")),
              -2);
    // Position 2 wins both.
    EXPECT_EQ(BP::Est(code("04"), code("05"), code("0Q"), code("06"), code("13"), code("12"),
                      code("1A"), code("14")),
              2);
}

// Eight random cards of two suits, so that following, ruffing and discarding
// all come up: the two-trick score against playing the tricks out by the
// plain rule, for every trump.
TEST(BridgeTrickValues, TwoTrickScoreAgreesWithPlayingThemOut) {
    std::mt19937 rng(79);
    std::vector<TestCard> deck;
    for (int s = 0; s < 2; ++s) {
        for (int r = 0; r < 13; ++r) deck.push_back({s, r});
    }
    for (int trump = 0; trump <= 4; ++trump) {
        buildCompareTable(trump);
        for (int round = 0; round < 1000; ++round) {
            std::shuffle(deck.begin(), deck.end(), rng);
            const TestCard* first = &deck[0];
            const TestCard* last = &deck[4];
            int w = referenceWinner(first, trump);
            TestCard second[4];
            for (int i = 0; i < 4; ++i) second[i] = last[(w + i) % 4];
            int w2 = (w + referenceWinner(second, trump)) % 4;
            uint16_t c[8];
            for (int i = 0; i < 8; ++i) c[i] = cardCode(deck[i]);
            ASSERT_EQ(BP::Est(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]),
                      sideScore(w) + sideScore(w2))
                << "trump " << trump << " round " << round;
            ASSERT_EQ(BP::Est(c[0], c[1], c[2], c[3]), sideScore(w));
        }
    }
}

// Random one-card hands: the last trick's value from the suit lists against
// the plain rule, for each seat on lead; every call counts one node.
TEST(BridgeTrickValues, LastTrickValueFromTheSuitLists) {
    std::mt19937 rng(83);
    linkRecords();
    for (int round = 0; round < 2000; ++round) {
        int trump = round % 5;
        int leader = (round / 5) % 4;
        Deal deal = randomDeal(rng, 1);
        Item* trickCards[4];
        buildCompareTable(trump);
        buildSuitLists(deal.data(), leader, trickCards);
        buildWhoArray(leader);
        BridgePosition& r = P[1];
        setRootOrder(r);
        TestCard trick[4];
        for (int i = 0; i < 52; ++i) {
            if (deal[i] == 0) continue;
            int position = (deal[i] - 1 - leader + 4) % 4;
            trick[position] = {i / 13, 12 - i % 13};
        }
        int before = BP::NodeCount;
        ASSERT_EQ(r.LastTrickValue(), sideScore(referenceWinner(trick, trump)))
            << "trump " << trump << " leader " << leader << " led " << cardName(trick[0]);
        ASSERT_EQ(BP::NodeCount, before + 1);
        ASSERT_EQ(r.leadCard(), cardCode(trick[0]));
    }
}
