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
#include <vector>

#include "BridgePosition.h"
#include "support/BridgeDealText.h"
#include "support/BridgeReference.h"
#include "support/PrefPositions.h"
#include "support/PrefReference.h"
#include "support/RandomBridgePositions.h"

using BP = BridgePosition;
using namespace bridgeref;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int RANDOM_POSITIONS = 150;
#else
constexpr int RANDOM_POSITIONS = 600;
#endif
constexpr int TO_COME = 100;  // a value still to come

struct Report {
    int card;
    int value;
};
using Reports = std::vector<Report>;

void collect(void* context, int card, int value) {
    static_cast<Reports*>(context)->push_back({card, value});
}

// The arguments of one estimateAll call, the level apart.
struct Request {
    const int* position;
    const int* after;
    int trump;
    int leader;
    int declarer;
    bool bridge;
    bool misere;
};

Reports estimate(const Request& r, int level) {
    Reports reports;
    BP::estimateAll(r.position, r.after, static_cast<signed char>(r.trump), r.leader, r.declarer,
                    r.bridge, r.misere, level, collect, &reports);
    return reports;
}

// The cards equivalent to `card`, itself included: the cards of its suit
// with the same code and nothing between them but cards out of play (code 0)
// and cards of that code.
std::set<int> equivalentGroup(const int* deal, int card, int ranks) {
    std::set<int> group;
    const int base = card - card % 13;
    for (int r = 0; r < ranks; ++r) {
        const int lo = std::min(r, card % 13), hi = std::max(r, card % 13);
        bool apart = deal[base + r] != deal[card];
        for (int q = lo + 1; q < hi; ++q) {
            apart = apart || (deal[base + q] != 0 && deal[base + q] != deal[card]);
        }
        if (!apart) group.insert(base + r);
    }
    return group;
}

std::map<int, int> timesReported(const Reports& reports) {
    std::map<int, int> times;
    for (const Report& r : reports) ++times[r.card];
    return times;
}

std::set<int> cardsOf(const Reports& reports) {
    std::set<int> cards;
    for (const Report& r : reports) cards.insert(r.card);
    return cards;
}

int valueIn(const std::map<int, int>& values, int card) {
    auto it = values.find(card);
    return it == values.end() ? -1 : it->second;
}

// Every reported card is legal and its value is the reference's (or still
// to come where `toCome` allows it); returns each card's last value.
std::map<int, int> checkValues(const Reports& reports, const std::map<int, int>& want,
                               bool toCome) {
    std::map<int, int> last;
    for (const Report& r : reports) {
        EXPECT_NE(valueIn(want, r.card), -1) << "card " << r.card << " is not a legal play";
        if (!(toCome && r.value == TO_COME)) {
            EXPECT_EQ(r.value, valueIn(want, r.card)) << r.card;
        }
        last[r.card] = r.value;
    }
    return last;
}

// The visible bridge results and the seats to lead and to move.
struct Fields {
    short eastWest, northSouth;
    signed char bc, bs;
    int nextmove, firstmove;
    bool operator==(const Fields& o) const {
        return eastWest == o.eastWest && northSouth == o.northSouth && bc == o.bc && bs == o.bs &&
               nextmove == o.nextmove && firstmove == o.firstmove;
    }
};

Fields fields() {
    return {BP::EastWestTricks, BP::NorthSouthTricks, BP::bc, BP::bs, BP::nextmove, BP::firstmove};
}

class EstimateBridge : public ::testing::Test {
   protected:
    static void SetUpTestSuite() { ASSERT_TRUE(BP::allocateTables()); }
    static void TearDownTestSuite() { BP::freeTables(); }
};

// Solves p as a host does, keeping the table from earlier positions of the
// same trump (old_ptr emptied, as the solver's own tests do); returns every
// legal card with the reference's value for its side.
std::map<int, int> solveBridge(const Position& p, bool trumpChanged) {
    std::fill(std::begin(BP::old_ptr), std::end(BP::old_ptr), 0);
    EXPECT_TRUE(BP::solve(p.deal.data(), static_cast<char>(p.trump), p.leader, 0, true, false,
                          trumpChanged));
    std::vector<CardValue> values;
    EXPECT_TRUE(evaluateCards(p, &values));
    std::map<int, int> want;
    for (const CardValue& v : values) want[v.card] = v.sideTricks;
    return want;
}

// Level 0, then level 3, on one solved position after a random legal card.
void checkBridgePosition(const Position& p, const std::map<int, int>& want, TestRandom& random) {
    SCOPED_TRACE(tablePositionString(p) + " leader " + std::to_string(p.leader));
    ASSERT_FALSE(want.empty());
    Position after = p;
    auto played = want.begin();
    std::advance(played, random.below(static_cast<int>(want.size())));
    after.deal[played->first] += 4;
    const Request request{p.deal.data(), after.deal.data(), p.trump, p.leader, 0, true, false};
    Fields solved = fields();
    solved.firstmove = p.leader;
    const int best = cardFromSuitAndRank(BP::bs, BP::bc);
    const std::set<int> group = equivalentGroup(p.deal.data(), best, 13);
    int bestValue = 0;
    for (const auto& entry : want) bestValue = std::max(bestValue, entry.second);

    // The best card is a candidate unless a leader's side takes no trick:
    // the solve then names a default card, maybe not the top of its run.
    const Reports quick = estimate(request, 0);
    EXPECT_EQ(fields(), solved);
    const bool bestListed = !quick.empty();
    if (cardsOnTrick(p) > 0 || bestValue > 0) {
        EXPECT_TRUE(bestListed);
    }
    if (bestListed) {
        EXPECT_EQ(cardsOf(quick), group);
    }
    EXPECT_EQ(timesReported(quick).size(), quick.size()) << "a card reported twice";
    for (const Report& r : quick) EXPECT_EQ(r.value, bestValue);

    const Reports all = estimate(request, 3);
    EXPECT_EQ(fields(), solved);
    const std::map<int, int> last = checkValues(all, want, true);
    const std::map<int, int> times = timesReported(all);
    bool secondRound = false;  // every candidate is listed before any re-solve
    std::set<int> seen;
    for (const Report& r : all) {
        secondRound = secondRound || !seen.insert(r.card).second;
        if (secondRound) {
            EXPECT_NE(r.value, TO_COME);
        }
    }
    for (const auto& [card, value] : want) {
        EXPECT_EQ(valueIn(last, card), value) << "final value of " << card;
        EXPECT_EQ(valueIn(times, card), bestListed && group.count(card) ? 1 : 2) << card;
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
        const std::map<int, int> want = solveBridge(p, first);
        first = false;
        checkBridgePosition(p, want, random);
    }
}

// Without the bridge tables no candidate can be solved again: only the first
// pass is reported, and no stale count passes for a card's value.
TEST_F(EstimateBridge, ReportsNoStaleValuesWithoutTables) {
    TestRandom random(99);
    PositionShape shape;
    shape.tricksLeft = 3;
    shape.trump = 1;
    shape.leader = 2;
    shape.trickCards = 1;
    const Position p = randomPosition(random, shape);
    const std::map<int, int> want = solveBridge(p, true);
    Position after = p;
    after.deal[want.begin()->first] += 4;
    const int best = cardFromSuitAndRank(BP::bs, BP::bc);
    const std::set<int> group = equivalentGroup(p.deal.data(), best, 13);
    BP::freeTables();
    const Reports reports =
        estimate({p.deal.data(), after.deal.data(), p.trump, p.leader, 0, true, false}, 3);
    ASSERT_TRUE(BP::allocateTables());
    EXPECT_EQ(cardsOf(reports).size(), want.size());
    for (const Report& r : reports) {
        if (r.value != TO_COME) {
            EXPECT_EQ(group.count(r.card), 1u) << r.card;
        }
    }
    checkValues(reports, want, true);
}

// Arrays a host may pass by mistake: nothing is reported and no result
// field or seat changes.
TEST_F(EstimateBridge, RefusesMalformedTricks) {
    TestRandom random(7);
    PositionShape shape;
    shape.tricksLeft = 3;
    shape.leader = 1;
    shape.trickCards = 1;
    const Position p = randomPosition(random, shape);
    const std::map<int, int> want = solveBridge(p, true);
    const int seat3 = 1 + 3;  // West's hand code
    auto heldBy = [&p](int code) {
        return static_cast<int>(std::find(p.deal.begin(), p.deal.end(), code) - p.deal.begin());
    };
    struct Case {
        const char* name;
        std::function<void(Position&)> spoil;  // turns the position after the move bad
    };
    const Case cases[] = {
        {"Sound", [](Position&) {}},
        {"NoCardOnTrick", [](Position& a) { a.deal.fill(0); }},
        {"TooManyTrickCards",
         [](Position& a) {
             for (int& code : a.deal) code += code == 1 || code == 4 ? 4 : 0;
         }},
        {"SeatSkipped",
         [&](Position& a) {
             a.deal = p.deal;
             a.deal[heldBy(seat3)] = seat3 + 4;
         }},
        {"LeaderCardMissing",
         [](Position& a) {
             for (int& code : a.deal) code = code == 6 ? 2 : code;
         }},
        {"LeaderOutOfRange", [](Position& a) { a.leader = 9; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Position after = p;
        after.deal[want.begin()->first] += 4;
        c.spoil(after);
        BP::firstmove = 2;
        const Fields before = fields();
        const Reports reports =
            estimate({p.deal.data(), after.deal.data(), p.trump, after.leader, 0, true, false}, 0);
        const bool sound = std::string(c.name) == "Sound";
        EXPECT_EQ(reports.empty(), !sound);
        if (!sound) {
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
    std::map<int, int> want;
    for (int card : reference.legalCards()) {
        const int declarerTricks = reference.declarerTricksAfter(card);
        want[card] = declares ? declarerTricks : reference.tricksLeft() - declarerTricks;
    }
    const std::vector<int> legal = reference.legalCards();
    const int played = legal[rng() % legal.size()];
    int after[52];
    std::copy(std::begin(p.deal), std::end(p.deal), after);
    after[played] += 4;
    const Request request{p.deal, after, p.trump, p.leaderSeat, p.declarerSeat, false, p.misere};
    const int best = cardFromSuitAndRank(BP::bs, BP::bc);
    const std::set<int> group = equivalentGroup(p.deal, best, 8);

    const Reports quick = estimate(request, 0);
    checkValues(quick, want, false);
    EXPECT_EQ(cardsOf(quick), group);
    EXPECT_EQ(quick.size(), group.size()) << "a card reported twice";

    // The best card and its equivalents come first; then every card the
    // mover still holds after the move, which leaves out the card played.
    const Reports all = estimate(request, 3);
    checkValues(all, want, false);
    const std::map<int, int> times = timesReported(all);
    for (int card : legal) {
        const int expected = static_cast<int>(group.count(card)) + (card != played ? 1 : 0);
        EXPECT_EQ(valueIn(times, card), expected == 0 ? -1 : expected) << card;
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

// Arrays a host may pass by mistake, and a best card that names no card
// of the mover: nothing is reported.
TEST(EstimatePreferans, RefusesMalformedTricks) {
    std::mt19937 rng(5);
    PrefTestPosition p = randomPrefPosition(rng, 3, 0);
    auto heldBy = [&p](int code) {
        for (int card = 0; card < 52; ++card) {
            if (card % 13 < 8 && p.deal[card] == code) return card;
        }
        return -1;
    };
    const int led = heldBy(1);
    p.deal[led] = 5;  // seat 0 has led; seat 1 plays next
    BP::solve(p.deal, static_cast<char>(p.trump), 0, p.declarerSeat, false, p.misere, true);
    const int second = heldBy(2);
    struct Case {
        const char* name;
        std::function<void(int* after, Request& request)> spoil;
    };
    const Case cases[] = {
        {"Sound", [](int*, Request&) {}},
        {"NoCardOnTrick",
         [&](int* a, Request&) {
             a[led] = 1;
             a[second] = 2;
         }},
        {"FourTrickCards",
         [&](int* a, Request&) {
             a[heldBy(4)] = 8;
             a[heldBy(1)] = 5;
         }},
        {"UnexpectedSeat",
         [&](int* a, Request&) {
             a[second] = 2;
             a[heldBy(4)] = 8;
         }},
        {"SeatTwoLeads", [](int*, Request& r) { r.leader = 2; }},
        {"SeatTwoDeclares", [](int*, Request& r) { r.declarer = 2; }},
        {"BestCardOutOfRange", [](int*, Request&) { BP::bs = 9; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int after[52];
        std::copy(std::begin(p.deal), std::end(p.deal), after);
        after[second] = 6;
        Request request{p.deal, after, p.trump, 0, p.declarerSeat, false, p.misere};
        const signed char bestSuit = BP::bs;
        c.spoil(after, request);
        EXPECT_EQ(estimate(request, 0).empty(), std::string(c.name) != "Sound");
        BP::bs = bestSuit;
    }
}

namespace {

int nextPrefSeat(int seat) {
    return seat == 0 ? 1 : seat == 1 ? 3 : 0;
}

}  // namespace

// Who plays next after a card, and who leads when the trick is full; the
// trick winners worked out by hand.
TEST(SwitchMove, NextSeatAndTrickWinner) {
    struct Case {
        bool bridge;
        int trump;
        int leader;
        std::vector<std::string> trick;  // in playing order, "Q1": queen of suit 1
        int nextmove;
        int firstmove;
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
            seat = c.bridge ? (seat + 1) % 4 : nextPrefSeat(seat);
        }
        BP::firstmove = c.leader;
        BP::nextmove = 7;
        BP::trump = static_cast<signed char>(c.trump);
        BP::switchMove(deal, c.bridge);
        EXPECT_EQ(BP::nextmove, c.nextmove);
        EXPECT_EQ(BP::firstmove, c.firstmove);
    }
}
