// Bridge move generation: worked candidate orders, and on random deals one
// candidate per run of equivalent legal cards, checked against plain rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "bridge/Internal.h"
#include "support/BridgeTestDeals.h"

using namespace bridge;
using BP = BridgePosition;

namespace {

// Sets up the lists of a deal and a record whose trick is led by `leader` in
// `leadSuit`, and generates the candidates.
BridgePosition& generate(const Deal& deal, int trump, int leader, int leadSuit) {
    Item* trickCards[4];
    BP::trump = static_cast<signed char>(trump);
    buildSuitLists(deal.data(), leader, trickCards);
    buildWhoArray(leader);
    BridgePosition& r = P[13];
    setRootOrder(r);
    r.leadSuit = static_cast<uint8_t>(leadSuit);
    r.find_suitable_cards();
    return r;
}

std::string names(Item* const* list, uint32_t count) {
    std::string out;
    for (uint32_t i = 0; i < count; ++i) {
        if (i > 0) out += ' ';
        out += cardName({list[i]->suit, list[i]->rank});
    }
    return out;
}

struct OrderCase {
    const char* what;
    std::array<std::string, 4> hands;
    int trump, leader, leadSuit;
    const char* moves2;
    const char* moves3;
    const char* moves4;
};

// Expected lists worked out by hand from the hands (cards as suit digit and
// rank letter).
const OrderCase ORDER_CASES[] = {
    // Fourth player void: trump runs {2,3} {5} {8,9}, suit 1 runs {6} {K,Q},
    // suit 2 runs {3} {T}, giving r1 a1 b1 r2 a2 r3 b2.
    {"ruffs and discards interleaved",
     {".J..A", "7...K5", "4..8.Q", "98532.KQ6.T3."},
     0,
     0,
     3,
     "3K 35",
     "3Q",
     "02 16 23 05 1Q 08 2T"},
    {"discards without trumps",
     {".J..A", "7...K5", "4..8.Q", ".KQ6.T3."},
     4,
     0,
     3,
     "3K 35",
     "3Q",
     "16 23 1Q 2T"},
    {"equivalent cards give one entry", {"5", "4", "A", "KQJ"}, 4, 2, 0, "0K", "05", "04"},
    {"the card led separates runs", {"Q", "5", "KJ", "4"}, 4, 0, 0, "05", "0K 0J", "04"},
    {"trump led, void player discards",
     {"A", ".9", "4..8", ".K2.Q3.A"},
     0,
     0,
     0,
     "19",
     "04",
     "12 23 3A 2Q 1K"},
    {"nobody follows, each list its own front",
     {"AK", ".Q5.96.8", ".43..J", "..T2.K"},
     1,
     0,
     0,
     "15 26 38",
     "13 3J",
     "22 3K 2T"},
    {"two trump runs and nothing else", {".A", "9.K", ".Q", "A5"}, 0, 0, 1, "1K", "1Q", "05 0A"},
};

// The runs of equivalent cards of `seat`: maximal sets of its cards in one
// suit with no card in play of another seat between them, highest first.
std::vector<std::vector<TestCard>> runsOf(const Deal& deal, int seat, int suit) {
    std::vector<std::vector<TestCard>> runs;
    bool open = false;
    for (int r = 12; r >= 0; --r) {
        int code = deal[dealIndex(suit, r)];
        if (code == 0) continue;
        if (code - 1 != seat) {
            open = false;
            continue;
        }
        if (!open) runs.emplace_back();
        runs.back().push_back({suit, r});
        open = true;
    }
    return runs;
}

// Checks one seat's candidates against the plain rules: a card of the suit
// led when it has one, any card otherwise; exactly one card per run, the
// highest when following and the lowest when not; following from the top
// down; when void, the lowest ruff first, then the cheapest card of each
// side suit in suit order.
void checkCandidates(const Deal& deal, int seat, int trump, int leadSuit, Item* const* list,
                     uint32_t count) {
    std::vector<TestCard> got;
    for (uint32_t i = 0; i < count; ++i) got.push_back({list[i]->suit, list[i]->rank});
    bool follows = !runsOf(deal, seat, leadSuit).empty();
    std::vector<TestCard> expected, front;
    for (int s = 0; s < 4; ++s) {
        if (follows && s != leadSuit) continue;
        std::vector<std::vector<TestCard>> runs = runsOf(deal, seat, s);
        for (const auto& run : runs) expected.push_back(follows ? run.front() : run.back());
        if (!follows && !runs.empty() && s != trump) front.push_back(runs.back().back());
    }
    if (!follows && trump != 4) {
        std::vector<std::vector<TestCard>> trumps = runsOf(deal, seat, trump);
        if (!trumps.empty()) front.insert(front.begin(), trumps.back().back());
    }
    ASSERT_EQ(got.size(), expected.size()) << "seat " << seat;
    for (const TestCard& c : expected) {
        ASSERT_EQ(std::count(got.begin(), got.end(), c), 1) << cardName(c) << " seat " << seat;
    }
    if (follows) {
        for (size_t i = 1; i < got.size(); ++i) ASSERT_GT(got[i - 1].rank, got[i].rank);
    } else {
        ASSERT_GE(got.size(), front.size());
        for (size_t i = 0; i < front.size(); ++i) ASSERT_EQ(got[i], front[i]) << "place " << i;
    }
}

}  // namespace

TEST(BridgeMoveGen, WorkedCandidateOrders) {
    for (const OrderCase& c : ORDER_CASES) {
        BridgePosition& r = generate(dealFromHands(c.hands), c.trump, c.leader, c.leadSuit);
        EXPECT_EQ(names(r.moves2, r.nmoves2), c.moves2) << c.what;
        EXPECT_EQ(names(r.moves3, r.nmoves3), c.moves3) << c.what;
        EXPECT_EQ(names(r.moves4, r.nmoves4), c.moves4) << c.what;
    }
}

TEST(BridgeMoveGen, OneCandidatePerRunOfEquivalentLegalCards) {
    std::mt19937 rng(67);
    for (int round = 0; round < 3000; ++round) {
        int tricks = 1 + round % 13;
        int trump = round % 5;
        Deal deal = randomDeal(rng, tricks);
        int leader = static_cast<int>(rng() % 4);
        int leadSuit = static_cast<int>(rng() % 4);
        BridgePosition& r = generate(deal, trump, leader, leadSuit);
        Item* const* lists[3] = {r.moves2, r.moves3, r.moves4};
        uint32_t counts[3] = {r.nmoves2, r.nmoves3, r.nmoves4};
        for (int p = 0; p < 3; ++p) {
            checkCandidates(deal, (leader + 1 + p) % 4, trump, leadSuit, lists[p], counts[p]);
            if (HasFatalFailure()) {
                ADD_FAILURE() << "round " << round << " trump " << trump << " leader " << leader
                              << " suit led " << leadSuit;
                return;
            }
        }
    }
}
