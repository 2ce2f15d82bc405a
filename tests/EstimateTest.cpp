// Per-card evaluation checked against the plain-minimax references in
// tests/support: every value reported for random bridge and preferans
// positions, the cards reported at each level, the bridge result fields
// afterwards, who plays next after a card, and the malformed tricks refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ddsolver/compat/BridgePosition.h"
#include "support/BridgeDealText.h"
#include "support/BridgeReference.h"
#include "support/PrefPositions.h"
#include "support/PrefReference.h"
#include "support/RandomBridgePositions.h"
#include "support/TestScale.h"

using BP = BridgePosition;
using namespace bridgeref;
using CardMap = std::map<int, int>;  // card index -> a value or a count

namespace {

constexpr int RANDOM_POSITIONS = sampleSize(1500, 400);
constexpr int TO_COME = 100;  // a value still to come

// What one estimateAll call reported: in order, how often per card, and
// each card's last value.
struct Tally {
    std::vector<std::pair<int, int>> reports;
    CardMap times, last;
};

void collect(void* context, int card, int value) {
    Tally& tally = *static_cast<Tally*>(context);
    tally.reports.push_back({card, value});
    ++tally.times[card];
    tally.last[card] = value;
}

// The arguments of one estimateAll call, the level apart.
struct Request {
    const int* position;
    const int* after;
    int trump, leader, declarer;
    bool bridge, misere;
};

Tally estimate(const Request& r, int level) {
    Tally tally;
    BP::estimateAll(r.position, r.after, static_cast<signed char>(r.trump), r.leader, r.declarer,
                    r.bridge, r.misere, level, collect, &tally);
    return tally;
}

// The cards equivalent to `card`, itself included: the cards of its suit
// with the same code and nothing between them but cards out of play (code 0)
// and cards of that code.
std::set<int> equivalentGroup(const int* deal, int card, int ranks) {
    std::set<int> group;
    const int base = card - card % 13;
    for (int r = 0; r < ranks; ++r) {
        bool apart = deal[base + r] != deal[card];
        for (int q = std::min(r, card % 13) + 1; q < std::max(r, card % 13); ++q) {
            apart = apart || (deal[base + q] != 0 && deal[base + q] != deal[card]);
        }
        if (!apart) group.insert(base + r);
    }
    return group;
}

// A card's entry in a map, or -1 when it has none.
int entryOf(const CardMap& map, int card) {
    auto it = map.find(card);
    return it == map.end() ? -1 : it->second;
}

CardMap onceEach(const std::set<int>& cards) {
    CardMap times;
    for (int card : cards) times[card] = 1;
    return times;
}

// The visible bridge results and the seats to lead and to move.
auto fields() {
    return std::make_tuple(BP::EastWestTricks, BP::NorthSouthTricks, BP::bc, BP::bs, BP::nextmove,
                           BP::firstmove);
}

class EstimateBridge : public ::testing::Test {
   protected:
    static void SetUpTestSuite() { ASSERT_TRUE(BP::allocateTables()); }
    static void TearDownTestSuite() { BP::freeTables(); }
};

// Solves p as a host does, keeping the table from earlier positions of the
// same trump (old_ptr emptied, as the solver's own tests do); returns every
// legal card with the reference's value for its side.
CardMap solveBridge(const Position& p, bool trumpChanged) {
    std::fill(std::begin(BP::old_ptr), std::end(BP::old_ptr), 0);
    EXPECT_TRUE(BP::solve(p.deal.data(), static_cast<char>(p.trump), p.leader, 0, true, false,
                          trumpChanged));
    std::vector<CardValue> values;
    EXPECT_TRUE(evaluateCards(p, &values));
    CardMap want;
    for (const CardValue& v : values) want[v.card] = v.sideTricks;
    return want;
}

// Level 0, then level 3, on one solved position after a random legal card.
void checkBridgePosition(const Position& p, const CardMap& want, TestRandom& random) {
    SCOPED_TRACE(tablePositionString(p) + " leader " + std::to_string(p.leader));
    ASSERT_FALSE(want.empty());
    Position after = p;
    after.deal[std::next(want.begin(), random.below(static_cast<int>(want.size())))->first] += 4;
    const Request request{p.deal.data(), after.deal.data(), p.trump, p.leader, 0, true, false};
    const auto solved = fields();  // firstmove is the leader after the solve
    const std::set<int> group =
        equivalentGroup(p.deal.data(), cardFromSuitAndRank(BP::bs, BP::bc), 13);
    int bestValue = 0;
    for (const auto& entry : want) bestValue = std::max(bestValue, entry.second);

    // The best card and its group, with its value, even when the side to
    // move takes no trick.
    const Tally quick = estimate(request, 0);
    EXPECT_EQ(fields(), solved);
    const bool bestListed = !quick.reports.empty();
    EXPECT_TRUE(bestListed);
    EXPECT_EQ(quick.times, onceEach(group));
    for (const auto& [card, value] : quick.reports) EXPECT_EQ(value, bestValue) << card;

    // Every legal card: the known best group once, every other card first
    // as still to come, and after every card is listed, with its value.
    const Tally all = estimate(request, 3);
    EXPECT_EQ(fields(), solved);
    EXPECT_EQ(all.last, want);
    CardMap times;
    for (const auto& entry : want)
        times[entry.first] = bestListed && group.count(entry.first) ? 1 : 2;
    EXPECT_EQ(all.times, times);
    std::set<int> seen;
    bool secondRound = false;
    for (const auto& [card, value] : all.reports) {
        secondRound = secondRound || !seen.insert(card).second;
        if (secondRound || value != TO_COME) {
            EXPECT_EQ(value, entryOf(want, card)) << card;
        }
    }
}

}  // namespace

// Endings of 1 to 4 tricks, any strain and leader, 0 to 3 cards on the trick
// before the move.
TEST_F(EstimateBridge, ValuesMatchReferenceOnRandomEndings) {
    TestRandom random(20260315);
    std::vector<Position> positions;
    for (int i = 0; i < RANDOM_POSITIONS; ++i) positions.push_back(randomPosition(random, 4));
    std::stable_sort(positions.begin(), positions.end(),
                     [](const Position& x, const Position& y) { return x.trump < y.trump; });
    bool first = true;
    for (const Position& p : positions) {
        const CardMap want = solveBridge(p, first);
        first = false;
        checkBridgePosition(p, want, random);
    }
}

// North leads the three and two of spades into East's ace and king, South
// holds the three and two of hearts under West's ace and king: by hand,
// North-South take nothing. Level 0 still names North's spade group, its top
// card first, with that value.
TEST_F(EstimateBridge, LevelZeroReportsALeadThatTakesNothing) {
    Position p;
    p.trump = NO_TRUMP;
    p.deal[11] = p.deal[12] = 1;  // spade three and two: North
    p.deal[0] = p.deal[1] = 2;    // spade ace and king: East
    p.deal[24] = p.deal[25] = 3;  // heart three and two: South
    p.deal[13] = p.deal[14] = 4;  // heart ace and king: West
    ASSERT_TRUE(BP::solve(p.deal.data(), NO_TRUMP, 0, 0, true, false, true));
    ASSERT_EQ(BP::NorthSouthTricks, 0);
    Position after = p;
    after.deal[12] = 5;
    const Tally quick =
        estimate({p.deal.data(), after.deal.data(), p.trump, p.leader, 0, true, false}, 0);
    const std::vector<std::pair<int, int>> expected = {{11, 0}, {12, 0}};
    EXPECT_EQ(quick.reports, expected);
}

// Without the bridge tables no candidate can be solved again: only the first
// pass is reported, and no stale count passes for a card's value.
TEST_F(EstimateBridge, ReportsNoStaleValuesWithoutTables) {
    TestRandom random(99);
    const Position p = randomPosition(random, PositionShape{3, 1, 2, 1});
    const CardMap want = solveBridge(p, true);
    Position after = p;
    after.deal[want.begin()->first] += 4;
    const std::set<int> group =
        equivalentGroup(p.deal.data(), cardFromSuitAndRank(BP::bs, BP::bc), 13);
    BP::freeTables();
    const Tally all =
        estimate({p.deal.data(), after.deal.data(), p.trump, p.leader, 0, true, false}, 3);
    ASSERT_TRUE(BP::allocateTables());
    EXPECT_EQ(all.times.size(), want.size());
    for (const auto& [card, value] : all.reports) {
        EXPECT_EQ(value, group.count(card) ? entryOf(want, card) : TO_COME) << card;
    }
}

// Arrays a host may pass by mistake: nothing is reported and no result
// field or seat changes. The first, sound case shows the others' baseline.
TEST_F(EstimateBridge, RefusesMalformedTricks) {
    TestRandom random(7);
    const Position p = randomPosition(random, PositionShape{3, 4, 1, 1});  // East has led
    const CardMap want = solveBridge(p, true);
    const int westCard =
        static_cast<int>(std::find(p.deal.begin(), p.deal.end(), 4) - p.deal.begin());
    const std::vector<std::function<void(Position&)>> spoilers = {
        [](Position&) {},
        [](Position& a) { a.deal.fill(0); },  // no card on the trick
        [](Position& a) {                     // eight cards on the trick
            for (int& code : a.deal) code += code == 1 || code == 4 ? 4 : 0;
        },
        [&](Position& a) {  // West plays instead of South
            a.deal = p.deal;
            a.deal[westCard] = 8;
        },
        [](Position& a) {  // the leader's card is missing
            for (int& code : a.deal) code = code == 6 ? 2 : code;
        },
        [](Position& a) { a.leader = 9; },
    };
    for (size_t i = 0; i < spoilers.size(); ++i) {
        SCOPED_TRACE(i);
        Position after = p;
        after.deal[want.begin()->first] += 4;  // South plays
        spoilers[i](after);
        BP::firstmove = 2;
        const auto before = fields();
        const Tally all =
            estimate({p.deal.data(), after.deal.data(), p.trump, after.leader, 0, true, false}, 0);
        EXPECT_EQ(all.reports.empty(), i > 0);
        if (i > 0) {
            EXPECT_EQ(fields(), before);
        }
    }
}

namespace {

// One preferans position: level 0, then level 3 after a random legal card.
// Returns whether the card played was the solve's best card.
bool checkPrefPosition(const PrefTestPosition& p, std::mt19937& rng) {
    SCOPED_TRACE(prefPositionString(p));
    BP::solve(p.deal, static_cast<char>(p.trump), p.leaderSeat, p.declarerSeat, false, p.misere,
              true);
    PrefReference reference(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere);
    const bool declares = reference.seatToMove() == p.declarerSeat;
    const std::vector<int> legal = reference.legalCards();
    CardMap want;
    for (int card : legal) {
        const int declarerTricks = reference.declarerTricksAfter(card);
        want[card] = declares ? declarerTricks : reference.tricksLeft() - declarerTricks;
    }
    const int played = legal[rng() % legal.size()];
    int after[52];
    std::copy(std::begin(p.deal), std::end(p.deal), after);
    after[played] += 4;
    const Request request{p.deal, after, p.trump, p.leaderSeat, p.declarerSeat, false, p.misere};
    const int best = cardFromSuitAndRank(BP::bs, BP::bc);
    const std::set<int> group = equivalentGroup(p.deal, best, 8);

    const Tally quick = estimate(request, 0);
    EXPECT_EQ(quick.times, onceEach(group));
    // The best card and its equivalents come first; then every card the
    // mover still holds after the move, which leaves out the card played.
    const Tally all = estimate(request, 3);
    CardMap times;
    for (int card : legal) {
        const int expected = static_cast<int>(group.count(card)) + (card != played ? 1 : 0);
        if (expected > 0) times[card] = expected;
    }
    EXPECT_EQ(all.times, times);
    for (const Tally* tally : {&quick, &all}) {
        for (const auto& [card, value] : tally->reports)
            EXPECT_EQ(value, entryOf(want, card)) << card;
    }
    return played == best;
}

}  // namespace

// Positions of 1 to 4 tricks with 0 to 2 cards on the trick before the move,
// trump, no trump and misere, any leader and declarer.
TEST(EstimatePreferans, ValuesMatchReferenceOnRandomPositions) {
    std::mt19937 rng(20260316);
    int bestPlayed = 0;
    for (int i = 0; i < RANDOM_POSITIONS; ++i) {
        const int tricks = 1 + static_cast<int>(rng() % 4);
        const PrefTestPosition p = randomPrefPosition(rng, tricks, static_cast<int>(rng() % 3));
        bestPlayed += checkPrefPosition(p, rng);
    }
    // Both ways of treating the card played occur often.
    EXPECT_GT(bestPlayed, RANDOM_POSITIONS / 10);
    EXPECT_LT(bestPlayed, RANDOM_POSITIONS * 9 / 10);
}

// Arrays a host may pass by mistake, and a best card that names no card or
// another seat's card:
// nothing is reported. The first, sound case shows the others' baseline.
TEST(EstimatePreferans, RefusesMalformedTricks) {
    std::mt19937 rng(5);
    PrefTestPosition p = randomPrefPosition(rng, 3, 0);
    auto heldBy = [&p](int code) {
        int card = 0;
        while (card % 13 >= 8 || p.deal[card] != code) ++card;
        return card;
    };
    const int led = heldBy(1), second = heldBy(2);
    p.deal[led] = 5;  // seat 0 has led; seat 1 plays next
    BP::solve(p.deal, static_cast<char>(p.trump), 0, p.declarerSeat, false, p.misere, true);
    const std::vector<std::function<void(int*, Request&)>> spoilers = {
        [](int*, Request&) {},
        [&](int* a, Request&) {
            a[led] = 1;
            a[second] = 2;
        },  // no card on the trick
        [&](int* a, Request&) {
            a[heldBy(4)] = 8;
            a[heldBy(1)] = 5;
        },  // four cards
        [&](int* a, Request&) {
            a[second] = 2;
            a[heldBy(4)] = 8;
        },  // seat 3 before seat 1
        [](int*, Request& r) { r.leader = 2; },
        [](int*, Request& r) { r.declarer = 2; },
        [](int*, Request&) { BP::bs = 9; },
        [&](int*, Request&) {  // the card led
            BP::bs = static_cast<signed char>(led / 13);
            BP::bc = static_cast<signed char>(12 - led % 13);
        },
    };
    const signed char bestSuit = BP::bs, bestRank = BP::bc;
    for (size_t i = 0; i < spoilers.size(); ++i) {
        SCOPED_TRACE(i);
        int after[52];
        std::copy(std::begin(p.deal), std::end(p.deal), after);
        after[second] = 6;
        Request request{p.deal, after, p.trump, 0, p.declarerSeat, false, p.misere};
        spoilers[i](after, request);
        EXPECT_EQ(estimate(request, 0).reports.empty(), i > 0);
        BP::bs = bestSuit;
        BP::bc = bestRank;
    }
}

// Who plays next after a card, and who leads when the trick is full; the
// trick winners worked out by hand.
TEST(SwitchMove, NextSeatAndTrickWinner) {
    struct Case {
        bool bridge;
        int trump, leader;
        std::vector<std::string> trick;  // in playing order, "Q1": queen of suit 1
        int nextmove, firstmove;
    };
    const Case cases[] = {
        {true, 4, 2, {}, 7, 2},                        // empty trick: nothing changes
        {true, 4, 3, {"50"}, 0, 3},                    // West led, North next
        {true, 0, 1, {"K2", "A2", "32"}, 0, 1},        // three cards: the fourth seat next
        {true, 4, 2, {"K0", "A0", "20", "Q0"}, 3, 3},  // the ace of the suit led
        {true, 1, 0, {"A0", "21", "31", "K0"}, 2, 2},  // overruff
        {true, 3, 1, {"50", "A2", "60", "K1"}, 3, 3},  // discards never win
        {false, 4, 3, {"70"}, 0, 3},                   // seat 3 led, seat 0 next
        {false, 2, 1, {"T1", "91"}, 0, 1},             // seats 1 and 3 played, seat 0 next
        {false, 1, 0, {"T0", "90", "71"}, 3, 3},       // the seven of trumps
        {false, 4, 1, {"Q2", "A3", "K2"}, 0, 0},       // no trump: the king of the suit led
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.bridge ? "bridge" : "preferans") << " leader "
                                          << c.leader << " cards " << c.trick.size());
        int deal[52] = {0};
        // Preferans never reads the six to the two: stray trick codes there.
        for (int card = 0; card < 52 && !c.bridge; ++card) {
            if (card % 13 >= 8) deal[card] = 5 + card % 4;
        }
        int seat = c.leader;
        for (const std::string& name : c.trick) {
            deal[parseCard(name)] = seat + 5;
            seat = c.bridge ? (seat + 1) % 4 : seat == 0 ? 1 : seat == 1 ? 3 : 0;
        }
        BP::firstmove = c.leader;
        BP::nextmove = 7;
        BP::trump = static_cast<signed char>(c.trump);
        BP::switchMove(deal, c.bridge);
        EXPECT_EQ(BP::nextmove, c.nextmove);
        EXPECT_EQ(BP::firstmove, c.firstmove);
    }
}
