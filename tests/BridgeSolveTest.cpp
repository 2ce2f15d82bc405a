// Bridge solves checked against the independent plain-minimax reference
// (tests/support/BridgeReference.h): trick counts and best cards of random
// endings, completed tricks, the table kept or cleared between solves, the
// trump in force, and the positions the driver refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "bridge/Engine.h"
#include "compat/DefaultEngine.h"
#include "ddsolver/compat/BridgePosition.h"
#include "support/BridgeDealText.h"
#include "support/BridgeReference.h"
#include "support/BridgeSolveSupport.h"
#include "support/RandomBridgePositions.h"
#include "support/TestScale.h"

using BP = BridgePosition;
using namespace bridgeref;

namespace {

constexpr int RANDOM_POSITIONS = sampleSize(4000, 1000);

// A bridge solve as the front end requests it for one leader.
bool solveDeal(const int* deal, int trump, int leader, bool trumpChanged) {
    return BP::solve(deal, static_cast<char>(trump), leader, 0, true, false, trumpChanged);
}

bool solveFor(const Position& p, bool trumpChanged) {
    return solveDeal(p.deal.data(), p.trump, p.leader, trumpChanged);
}

struct Outcome {
    int northSouth;
    int eastWest;
    int bestCard;  // deal index, -1 when the solve names none
};

Outcome outcome() {
    int best = BP::bs < 0 ? -1 : cardFromSuitAndRank(BP::bs, BP::bc);
    return {BP::NorthSouthTricks, BP::EastWestTricks, best};
}

// Compares one engine solve with the reference: both trick counts, and the
// best card must be a legal card of the seat to move that reaches the
// optimum. Returns an empty string on agreement.
std::string disagreement(const Position& p, const Outcome& got) {
    Tricks want;
    if (!solveSmall(p, &want)) return "reference refused the position";
    std::vector<CardValue> values;
    evaluateCards(p, &values);
    std::ostringstream out;
    if (got.northSouth != want.northSouth || got.eastWest != want.eastWest) {
        out << "tricks " << got.northSouth << "/" << got.eastWest << ", reference "
            << want.northSouth << "/" << want.eastWest;
    } else if (cardsOnTrick(p) < 4 && !values.empty() &&
               valueOfCard(values, got.bestCard) != bestValue(values)) {
        out << "best card " << got.bestCard << " worth " << valueOfCard(values, got.bestCard)
            << ", optimum " << bestValue(values);
    }
    if (!out.str().empty()) out << " in " << tablePositionString(p) << " leader " << p.leader;
    return out.str();
}

// The table is reserved once per test program run of a suite.
class BridgeSolve : public ::testing::Test {
   protected:
    static void SetUpTestSuite() { ASSERT_TRUE(BP::allocateTables()); }
    static void TearDownTestSuite() { BP::freeTables(); }
};

// Solves every position and counts disagreements with the reference. The
// table is keyed by who holds each suit's remaining cards in rank order, so
// its bounds hold for every deal under one trump: the positions are grouped
// by trump and old_ptr is emptied before each solve, which keeps the solver
// from clearing the table between positions and lets later positions meet
// the bounds that earlier deals left.
int countDisagreements(std::vector<Position> positions) {
    std::stable_sort(positions.begin(), positions.end(),
                     [](const Position& x, const Position& y) { return x.trump < y.trump; });
    int wrong = 0;
    bool first = true;
    for (const Position& p : positions) {
        std::fill(std::begin(BP::old_ptr), std::end(BP::old_ptr), 0);
        EXPECT_TRUE(solveFor(p, first));
        first = false;
        std::string problem = disagreement(p, outcome());
        if (!problem.empty() && ++wrong <= 5) ADD_FAILURE() << problem;
    }
    return wrong;
}

}  // namespace

// Endings of 1 to 5 tricks, every strain, every leader, 0 to 3 cards on the
// trick, drawn at random.
TEST_F(BridgeSolve, MatchesReferenceOnRandomEndings) {
    TestRandom random(20260101);
    std::vector<Position> positions;
    int withCardsOnTrick[4] = {0, 0, 0, 0};
    for (int i = 0; i < RANDOM_POSITIONS; ++i) {
        positions.push_back(randomPosition(random, 5));
        ++withCardsOnTrick[cardsOnTrick(positions.back())];
    }
    for (int count : withCardsOnTrick) EXPECT_GT(count, RANDOM_POSITIONS / 8);
    EXPECT_EQ(countDisagreements(positions), 0);
}

// A completed trick on the table counts for its winner, who leads the next
// trick; there is no card left to choose on it.
TEST_F(BridgeSolve, CompletedTrickCountsForItsWinner) {
    TestRandom random(4040);
    std::vector<Position> positions;
    for (int i = 0; i < RANDOM_POSITIONS / 10; ++i) {
        PositionShape shape = randomShape(random, 5);
        shape.trickCards = 4;
        positions.push_back(randomPosition(random, shape));
    }
    EXPECT_EQ(countDisagreements(positions), 0);
    EXPECT_EQ(BP::bc, -1);
    EXPECT_EQ(BP::bs, -1);
}

namespace {

// An ending of `tricks` tricks at a trick's start whose cards come from the
// top of `suits` suits only (the trump among them when there is one), so
// that long suits, trump tenaces, blocked suits and entries are common.
Position crowdedEnding(TestRandom& random, int tricks, int suits, int trump, int leader) {
    std::vector<int> cards;
    const int perSuit = (4 * tricks + suits - 1) / suits + random.below(3);
    const int first = trump == NO_TRUMP ? random.below(4) : trump;
    for (int k = 0; k < suits; ++k) {
        const int suit = (first + k) % 4;
        for (int r = 0; r < std::min(perSuit, 13); ++r) cards.push_back(cardIndex(suit, r));
    }
    for (size_t i = cards.size(); i > 1; --i) std::swap(cards[i - 1], cards[random.below(i)]);
    Position p;
    p.trump = trump;
    p.leader = leader;
    for (int i = 0; i < 4 * tricks; ++i) p.deal[cards[i]] = i / tricks + 1;
    return p;
}

}  // namespace

// Endings of 4 to 6 tricks in two or three suits, every strain and leader:
// the sure-trick cut-offs at trick starts (entries, runs, trump tenaces,
// the defenders' top cards) and the table entries made from them.
TEST_F(BridgeSolve, MatchesReferenceOnEndingsInFewSuits) {
    TestRandom random(5150);
    std::vector<Position> positions;
    for (int i = 0; i < RANDOM_POSITIONS / 8; ++i) {
        const int trump = random.below(5);
        positions.push_back(crowdedEnding(random, 4 + random.below(3), 2 + random.below(2), trump,
                                          random.below(4)));
    }
    EXPECT_EQ(countDisagreements(positions), 0);
}

// Endings of 5 tricks, then some of 6, whose cards come from three suits at
// any rank, in the given strain (or any, for ANY_STRAIN) with any leader.
namespace {

constexpr int ANY_STRAIN = -1;

std::vector<Position> threeSuitEndings(uint32_t seed, int ofFive, int ofSix, int strain) {
    TestRandom random(seed);
    std::vector<Position> positions;
    for (int i = 0; i < ofFive + ofSix; ++i) {
        const int tricks = i < ofFive ? 5 : 6;
        std::vector<int> cards;
        const int missing = random.below(4);
        for (int suit = 0; suit < 4; ++suit) {
            for (int r = 0; r < 13 && suit != missing; ++r) cards.push_back(cardIndex(suit, r));
        }
        for (size_t k = cards.size(); k > 1; --k) std::swap(cards[k - 1], cards[random.below(k)]);
        Position p;
        p.trump = strain == ANY_STRAIN ? random.below(5) : strain;
        p.leader = random.below(4);
        for (int k = 0; k < 4 * tricks; ++k) p.deal[cards[k]] = k / tricks + 1;
        positions.push_back(p);
    }
    return positions;
}

}  // namespace

// A hand's equivalent cards are often split by cards already played: the
// search plays one card for a run, and a table entry must still fix every
// card the run's equivalence relied on.
TEST_F(BridgeSolve, MatchesReferenceOnEndingsWithPlayedGaps) {
    EXPECT_EQ(countDisagreements(
                  threeSuitEndings(6161, RANDOM_POSITIONS, RANDOM_POSITIONS / 10, ANY_STRAIN)),
              0);
}

// At no trump many of these endings share their suit lengths, so a table
// entry made from a sure-trick argument meets positions where the cards it
// relied on lie elsewhere.
TEST_F(BridgeSolve, MatchesReferenceOnNoTrumpEndingsWithOneTable) {
    EXPECT_EQ(countDisagreements(threeSuitEndings(777, RANDOM_POSITIONS, 0, NO_TRUMP)), 0);
}

// Positions where a sure-trick argument almost holds (hands are suit 0 to 3,
// suit 0 trumps unless said): the reference decides each, and the engine must
// agree whether or not the argument applies.
TEST_F(BridgeSolve, SureTrickNearMissesMatchReference) {
    struct Case {
        std::array<std::string, 4> hands;
        int trump;
        int leader;
    } cases[] = {
        // East's guarded king behind North's ace, and in front of it.
        {{"A32.A..", "K4.K2..", "65.QJ..", "7.543.."}, 0, 0},
        {{"K4.K2..", "A32.A..", "7.543..", "65.QJ.."}, 0, 0},
        // A bare king behind the ace; a king-queen against the ace.
        {{"A32.A..", "K.K32..", "654.Q..", "7.J54.."}, 0, 0},
        {{"A32.A..", "KQ.K2..", "654.Q..", "7.J54.."}, 0, 0},
        {{"A32.A..", "K.K32..", "654.Q..", "Q.J54.."}, 0, 0},
        // Queen-third behind the ace-king, and ace-king split.
        {{"AK2.A..", "Q43.K..", "765.Q..", "8.J32.."}, 0, 0},
        {{"A52.A..", "Q43.K..", "K76.Q..", "8.J32.."}, 0, 0},
        // The ace and king of trumps in two hands: with three trumps between
        // them, or two that fall together.
        {{"QJ2.A..", "A4.K2..", "53.Q3..", "K.J54.."}, 0, 0},
        {{"QJ2.A..", "A.K32..", "543.Q..", "K.J54.."}, 0, 0},
        // Ace-queen against the king: two low trumps with the king keep all
        // three apart, one does not.
        {{"J98.A5..", "AQ.K32..", "7652.4..", "K43.QJ.."}, 0, 0},
        {{"J98.A5..", "AQ.K32..", "7653.4..", "K4.QJ6.."}, 0, 0},
        // East-West hold the top of North's suits; one hand or both.
        {{"Q2.Q2..", "AK.AK..", "43.43..", "65.65.."}, NO_TRUMP, 0},
        {{"Q2.Q2..", "A3.K4..", "K4.A3..", "65.65.."}, NO_TRUMP, 0},
        {{"Q2.Q2.A.", "AK.AK.2.", "43.43.3.", "65.65.4."}, NO_TRUMP, 0},
        // North-South lead their own suit twice, then East's ace wins; East
        // with the tops of two suits, where one may have to go.
        {{"AK.2..", "Q.A3..", "32.4..", "54.5.."}, NO_TRUMP, 0},
        {{"AK.2..", "Q.A.A.", "32.K..", "54..2."}, NO_TRUMP, 0},
        {{"AK.2.2.", "Q.A.AK.", "32.K.3.", "54.3.4."}, NO_TRUMP, 0},
        // Entries to partner: a blocked suit, a ruff, an unruffable winner.
        {{"K2.2.AQ.", "QJ.J3.3.", "A3.AK.2.", "54.54.4."}, NO_TRUMP, 0},
        {{"K2.2.AQ.", "QJ.J3.3.", "A3.AK.2.", "54.54.4."}, 3, 0},
        {{".AK2.2.3", "2.Q3.3.2", "3..AK.A4", "4.J4.4.5"}, 0, 0},
        {{"2.AK.32.", "3.QJ.54.", "A.32.AK.", "4.54.QJ."}, 0, 1},
        // A ruff that reaches partner spends one of his winning trumps.
        {{"Q.Q.K9.", "J.A.AJ.", "AKT..Q.", "9.KJ.T."}, 0, 0},
        {{"Q.T.AK.", "KT8.Q..", ".AJ98..", "AJ.K.J."}, 0, 3},
        // After the lead, the seat sure to take the trick cashes: the
        // opponents hold no trump, or ruff; his best card of the suit led
        // loses to third hand's, or to the lead.
        {{".Q72..", ".A.AK.", ".43.3.", ".5.54."}, 0, 0},
        {{".Q72..", ".A.AK.", "2.43..", ".5.54."}, 0, 0},
        {{".Q72..", ".5.76.", "2.43..", ".A.AK."}, 0, 0},
        {{".72.2.", "2.54..", ".A.AK.", ".6.43."}, 0, 0},
        {{".872..", ".Q.AK.", ".K3.3.", ".4.54."}, NO_TRUMP, 0},
        {{".KJ.2.", ".Q.AK.", ".43.3.", ".5.54."}, NO_TRUMP, 0},
        // North-South hold every trump, low ones too: a trick either plays
        // a trump to is theirs, however the others' winners stand.
        {{"32.A.K.", ".KQ.AQ.", "4.J2.2.", ".43.43."}, 0, 0},
        {{"32.2.K.", ".KQ.AQ.", "54.J.3.", ".43.54."}, 0, 0},
        // A suit the opponents are out of: blocked by the shorter hand's
        // high cards, or not; with trumps against it, the rule is off.
        {{"432.A..", ".KQ.AK.", "AK.32..", ".J.QJ.A"}, NO_TRUMP, 0},
        {{"AQ2.2..", ".KQ.AK.", "K3.43..", ".AJ.QJ."}, NO_TRUMP, 0},
        {{"AQ2.2..", ".KQ.AK.", "K3.43..", ".AJ.QJ."}, 1, 0},
    };
    std::vector<Position> positions;
    for (const Case& c : cases) {
        for (int leader = 0; leader < 4; ++leader)
            positions.push_back(handsPosition(c.hands, c.trump, (c.leader + leader) % 4));
    }
    EXPECT_EQ(countDisagreements(positions), 0);
}

// The leader cashes his own winners, then crosses to his partner's or leads
// a suit for the partner to ruff (hands are suit 0 to 3; each case is played
// with every leader).
TEST_F(BridgeSolve, CashingThenPartnerTricksMatchReference) {
    struct Case {
        std::array<std::string, 4> hands;
        int trump;
    } cases[] = {
        // No trump: the partner's spare cards just cover the leader's
        // tricks; one card short; the leader void in the partner's suit.
        {{"AK.2.32.", "4.AKQ.5.", "QJ.J3.A.", "T9.T.KQ."}, NO_TRUMP},
        {{"AKQ.2.2.", "3.AK.A.3", "JT.QJ..A", "54.T9..K"}, NO_TRUMP},
        {{"AK2.32..", "4..AKQ5.", "QJ.A.J3.", "T9.KQ.T."}, NO_TRUMP},
        // North cashes his ace and leads low to South's king-queen; South
        // has to throw his spare cards of that suit on North's other
        // winners (counting both would claim more tricks than are left).
        {{"A3.A2..", "J54.4..", "KQ2.3..", ".KQJT.."}, NO_TRUMP},
        {{"A3.AK..", "J65.2..", "KQ42...", ".QJT9.."}, NO_TRUMP},
        // After such a crossing the leader keeps a card above the partner's
        // low ones: it overtakes one of them and strands the rest (West,
        // then East, cashes an ace first and then tries it).
        {{"2.J6.T.9", "3.Q743..", "4.2.7.Q4", "A.AT9.4."}, NO_TRUMP},
        {{"JT.87..2", "7..A97.A", "3.J.T4.3", "..J632.4"}, NO_TRUMP},
        // South's winners in two suits: one of them is enough for the
        // count, and he throws the other's cards on North's tricks.
        {{"AK.2.2.32", "QJT.JT9..", ".AKQ.AK.4", "987..QJ.5"}, NO_TRUMP},
        {{"AK.2.2.32", "QJT.JT9..", ".AKQ.AK.4", "987..QJ.5"}, 3},
        // Suit 3 trumps: an opponent with trumps follows both suits; one
        // short in the partner's suit; one void there.
        {{"AK.2.3.2", "4.AKQ.5.", "QJ.J3..A", "T9.T.KQ."}, 3},
        {{"AK.2..32", "4.AKQ..5", "QJ.J..AK", "T9.T3.Q."}, 3},
        {{"AK.2..32", "4.AKQ..5", "QJ9...AK", "T.JT3.Q."}, 3},
        // A ruff in the partner's hand: both opponents follow; the one
        // behind the partner overruffs; an ending whose play meets the
        // leader's trump tricks drawing the partner's last trump.
        {{"A.2.2.", "K.3.K.", "3..4.3", "Q.4.Q."}, 3},
        {{"A.2.2.", "K.43..", "3..4.3", "Q..Q.4"}, 3},
        {{"..AQ9.Q", "T..K.T9", "KJ9..T.", "..J8.A8"}, 2},
    };
    std::vector<Position> positions;
    for (const Case& c : cases) {
        for (int leader = 0; leader < 4; ++leader)
            positions.push_back(handsPosition(c.hands, c.trump, leader));
    }
    // Suit 2 trumps, North wins the trick on the table and leads: three
    // cashing tricks of his, two of South's and two spare cards in South's
    // hand; counting both would claim five of the four tricks left.
    Position thrown = handsPosition({"9.K.K98.", "5..2.J93", "J.5.J4.Q", "6.843.3."}, 2, 0);
    const char* played[] = {"82", "22", "42", "32"};
    for (int k = 0; k < 4; ++k) ASSERT_TRUE(putOnTrick(&thrown, k, played[k]));
    positions.push_back(thrown);
    EXPECT_EQ(countDisagreements(positions), 0);
}

namespace {

// The same ending with the cards of each suit dealt again among the hands
// that hold that suit, each keeping its length: every hand's length in
// every suit, and so the table's key, stays the same.
Position sameShape(TestRandom& random, const Position& p) {
    Position q = p;
    for (int suit = 0; suit < 4; ++suit) {
        std::vector<int> owners;
        for (int r = 0; r < 13; ++r) {
            if (p.deal[cardIndex(suit, r)] != 0) owners.push_back(p.deal[cardIndex(suit, r)]);
        }
        for (size_t i = owners.size(); i > 1; --i)
            std::swap(owners[i - 1], owners[random.below(i)]);
        size_t next = 0;
        for (int r = 0; r < 13; ++r) {
            if (p.deal[cardIndex(suit, r)] != 0) q.deal[cardIndex(suit, r)] = owners[next++];
        }
    }
    return q;
}

}  // namespace

// Many endings of one shape, solved one after the other on the kept table:
// an entry made from a sure-trick cut-off in one of them meets the others,
// where it holds only if it fixed every card its argument relied on.
TEST_F(BridgeSolve, EndingsOfOneShapeShareTheTable) {
    TestRandom random(7070);
    std::vector<Position> positions;
    for (int base = 0; base < sampleSize(80, 16); ++base) {
        const int trump = random.below(5), leader = random.below(4);
        const Position first = base % 2 == 0
                                   ? crowdedEnding(random, 5, 2 + random.below(2), trump, leader)
                                   : randomPosition(random, PositionShape{5, trump, leader, 0});
        for (int i = 0; i < 40; ++i) positions.push_back(sameShape(random, first));
    }
    EXPECT_EQ(countDisagreements(positions), 0);
}

// No card in play: nothing to search, no trick and no card. (Positions of one
// trick are among the random endings above.)
TEST_F(BridgeSolve, EmptyDealNeedsNoSearch) {
    Position empty;
    empty.trump = 2;
    empty.leader = 3;
    ASSERT_TRUE(solveFor(empty, true));
    EXPECT_EQ(BP::NorthSouthTricks, 0);
    EXPECT_EQ(BP::EastWestTricks, 0);
    EXPECT_EQ(BP::bc, -1);
    EXPECT_EQ(BP::bs, -1);
}

namespace {

// Notes the default solver's clears, so that a clear shows as a new one.
long long clearsSeen = 0;
void plantMark() {
    clearsSeen = compat::defaultEngine().tableClears();
}
bool markSurvived() {
    return compat::defaultEngine().tableClears() == clearsSeen;
}

// The first `tricks` cards of each seat, in deal order, leave the position
// (as if played to earlier tricks).
Position withTricksPlayed(Position p, int tricks) {
    for (int seat = 0; seat < 4; ++seat) {
        int taken = 0;
        for (int& code : p.deal) {
            if (code == seat + 1 && taken < tricks) {
                code = 0;
                ++taken;
            }
        }
    }
    return p;
}

}  // namespace

// The four leaders of one deal reuse the table; so does the deal after
// tricks are played; a card moved to another hand clears it. Every answer
// equals the answer of a solve that starts from a cleared table.
TEST_F(BridgeSolve, KeptTableGivesClearedTableAnswers) {
    TestRandom random(777);
    for (int round = 0; round < 6; ++round) {
        PositionShape shape;
        shape.tricksLeft = 7;
        shape.trump = round % 5;
        Position deal = randomPosition(random, shape);
        Position later = withTricksPlayed(deal, 2);
        std::vector<Outcome> kept, cleared;
        for (const Position* p : {&deal, &later}) {
            for (int leader = 0; leader < 4; ++leader) {
                Position q = *p;
                q.leader = leader;
                bool first = p == &deal && leader == 0;
                plantMark();
                ASSERT_TRUE(solveFor(q, first));
                EXPECT_EQ(markSurvived(), !first) << round << " " << leader;
                kept.push_back(outcome());
            }
        }
        for (const Position* p : {&deal, &later}) {
            for (int leader = 0; leader < 4; ++leader) {
                Position q = *p;
                q.leader = leader;
                ASSERT_TRUE(solveFor(q, true));
                cleared.push_back(outcome());
            }
        }
        for (size_t i = 0; i < kept.size(); ++i) {
            EXPECT_EQ(kept[i].northSouth, cleared[i].northSouth) << round << " " << i;
            EXPECT_EQ(kept[i].bestCard, cleared[i].bestCard) << round << " " << i;
        }
        // One card of North's goes to East, one of East's to North: cleared.
        Position moved = later;
        int north = -1, east = -1;
        for (int i = 0; i < 52; ++i) {
            if (moved.deal[i] == 1 && north < 0) north = i;
            if (moved.deal[i] == 2 && east < 0) east = i;
        }
        std::swap(moved.deal[north], moved.deal[east]);
        plantMark();
        ASSERT_TRUE(solveFor(moved, false));
        EXPECT_FALSE(markSurvived());
    }
}

// The best card depends on the position alone: what the solver remembers
// from earlier solves (table bounds, cut-off cards) orders its search but
// not the root's candidates. A position with cards on its trick is solved
// after the position before the trick's last card was played (whose search
// tried that card, so the memory may know the position) and must name the
// card that a solve from a cleared table names.
TEST_F(BridgeSolve, BestCardDoesNotDependOnEarlierSolves) {
    TestRandom random(5151);
    int differ = 0;
    for (int i = 0; i < RANDOM_POSITIONS / 4; ++i) {
        PositionShape shape = randomShape(random, 6);
        shape.trickCards = 1 + random.below(3);
        const Position p = randomPosition(random, shape);
        Position before = p;
        const int last = 5 + ((p.leader + shape.trickCards - 1) & 3);
        for (int& code : before.deal) {
            if (code == last) code -= 4;  // the trick's last card back in its hand
        }
        ASSERT_TRUE(solveFor(p, true));
        const int fresh = outcome().bestCard;
        ASSERT_TRUE(solveFor(before, true));
        plantMark();
        ASSERT_TRUE(solveFor(p, false));
        EXPECT_TRUE(markSurvived());
        if (outcome().bestCard != fresh && ++differ <= 5)
            ADD_FAILURE() << "best card " << outcome().bestCard << ", cleared table " << fresh
                          << " in " << tablePositionString(p);
    }
    EXPECT_EQ(differ, 0);
}

// A new trump passed with trumpChanged false and unchanged hands is the
// trump in force, and the bounds found under the old trump are not used.
TEST_F(BridgeSolve, TrumpChangeWithoutFlagSolvesForNewTrump) {
    TestRandom random(99);
    int differing = 0;
    for (int round = 0; round < 20; ++round) {
        PositionShape shape;
        shape.tricksLeft = 5;
        shape.trump = round % 5;
        shape.leader = round % 4;
        Position p = randomPosition(random, shape);
        ASSERT_TRUE(solveFor(p, true));
        int oldNorthSouth = BP::NorthSouthTricks;
        p.trump = (p.trump + 1 + round % 4) % 5;
        ASSERT_TRUE(solveFor(p, false));
        EXPECT_EQ(BP::trump, p.trump);
        EXPECT_EQ(disagreement(p, outcome()), "");
        differing += BP::NorthSouthTricks != oldNorthSouth;
    }
    EXPECT_GT(differing, 3);  // the new trump mattered in enough rounds
}

// Deal codes outside 0..8 are cards out of play, for the search and for the
// reuse test alike.
TEST_F(BridgeSolve, CodesOutsideTheDealRangeAreOutOfPlay) {
    TestRandom random(31337);
    int marked = 0;
    for (int round = 0; round < 10; ++round) {
        Position p = randomPosition(random, 4);
        std::array<int, 52> odd = p.deal;
        const int strange[] = {9, -1, 100, -2147483647, 2147483647};
        for (int& code : odd) {
            if (code == 0) code = strange[marked++ % 5];
        }
        ASSERT_TRUE(solveFor(p, true));
        Outcome plain = outcome();
        ASSERT_TRUE(solveDeal(odd.data(), p.trump, p.leader, true));
        Outcome strangeOutcome = outcome();
        EXPECT_EQ(strangeOutcome.northSouth, plain.northSouth);
        EXPECT_EQ(strangeOutcome.eastWest, plain.eastWest);
        EXPECT_EQ(strangeOutcome.bestCard, plain.bestCard);
    }
}

// Positions the search cannot play out are refused without touching the
// results: a gap in the trick, two trick cards of one seat, uneven hands, a
// leader or trump out of range.
TEST_F(BridgeSolve, RefusesPositionsItCannotPlayOut) {
    const std::array<std::string, 4> hands = {"A2...", "K3...", "Q4...", "J5..."};
    Position sound = handsPosition(hands, 4, 0);
    ASSERT_TRUE(solveFor(sound, true));
    const Outcome before = outcome();

    Position gap = sound;
    ASSERT_TRUE(putOnTrick(&gap, 0, "A0"));
    ASSERT_TRUE(putOnTrick(&gap, 2, "Q0"));
    Position twice = sound;
    ASSERT_TRUE(putOnTrick(&twice, 0, "A0"));
    ASSERT_TRUE(putOnTrick(&twice, 0, "20"));
    Position uneven = sound;
    uneven.deal[parseCard("50")] = 0;
    Position badLeader = sound;
    badLeader.leader = 4;
    Position badTrump = sound;
    badTrump.trump = 5;
    Position badCode = sound;
    badCode.deal[parseCard("90")] = 9;
    // The engine refuses the same positions itself, and codes past 8.
    bridge::Engine solver;
    bridge::Result result;
    ASSERT_TRUE(solver.solve(sound.deal.data(), sound.trump, sound.leader, true, result));
    for (const Position* p : {&gap, &twice, &uneven, &badLeader, &badTrump, &badCode}) {
        if (p != &badCode) {
            EXPECT_FALSE(solveFor(*p, true));
            EXPECT_EQ(BP::NorthSouthTricks, before.northSouth);
            EXPECT_EQ(BP::EastWestTricks, before.eastWest);
            EXPECT_EQ(outcome().bestCard, before.bestCard);
        }
        bridge::Result refused = result;
        EXPECT_FALSE(solver.solve(p->deal.data(), p->trump, p->leader, true, refused));
        EXPECT_EQ(refused.northSouth, before.northSouth);
        EXPECT_EQ(refused.eastWest, before.eastWest);
    }
    EXPECT_FALSE(solver.solve(nullptr, 4, 0, true, result));
}

// The engine checks the trump apart from the position: on a kept table the
// older entry rule keeps the table's trump in force, so a trump out of range
// is no reason to refuse there. A negative code is refused like one past 8.
TEST_F(BridgeSolve, EngineChecksTrumpApartFromThePosition) {
    const Position p = handsPosition({"A2...", "K3...", "Q4...", "J5..."}, 4, 0);
    bridge::Engine solver;
    bridge::Result result;
    ASSERT_TRUE(solver.solve(p.deal.data(), 4, 0, true, result));
    const int kept = result.northSouth;
    const std::array<int, 52> previous = p.deal;
    EXPECT_TRUE(solver.solveKeepingTrump(p.deal.data(), 7, 4, 0, false, previous.data(), result));
    EXPECT_EQ(solver.trumpInForce(), 4);
    EXPECT_EQ(result.northSouth, kept);
    // A cleared table puts the trump passed in force.
    EXPECT_FALSE(solver.solveKeepingTrump(p.deal.data(), 7, 4, 0, true, previous.data(), result));
    Position negative = p;
    negative.deal[parseCard("90")] = -1;
    EXPECT_FALSE(solver.solve(negative.deal.data(), 4, 0, true, result));
}

TEST(BridgeSolveUnallocated, RefusesWithoutTables) {
    BP::NorthSouthTricks = 7;
    int deal[52] = {};
    EXPECT_FALSE(BP::solveposition(deal, 4));
    EXPECT_EQ(BP::NorthSouthTricks, 7);
}

TEST(BridgeHasSuit, OnlyCardsInTheSeatsHand) {
    Position p = handsPosition({"A.2..", "K3...", "Q4...", "J..5."}, 4, 0);
    ASSERT_TRUE(putOnTrick(&p, 0, "A0"));
    struct Case {
        int suit, seat;
        bool has;
    } cases[] = {{0, 0, false},  // North's only card of suit 0 is on the trick
                 {1, 0, true},  {0, 1, true},  {2, 3, true},
                 {2, 0, false}, {4, 0, false},  // no trump is no suit
                 {-1, 0, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(BP::hasSuit(c.suit, c.seat, p.deal.data()), c.has) << c.suit << " " << c.seat;
    }
}
