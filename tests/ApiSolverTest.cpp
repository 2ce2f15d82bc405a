// The public solver objects against the minimax references on seeded random
// small positions: trick counts, the best card, and every legal card's value
// in the documented order. One solver object serves all positions, and the
// bridge positions are played on card by card, so the solver's kept table is
// read as well as filled.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ddsolver/ddsolver.h"
#include "support/ApiPositions.h"
#include "support/BridgeDealText.h"
#include "support/HiddenLayoutRuns.h"
#include "support/PrefReference.h"
#include "support/RandomBridgePositions.h"
#include "support/TestScale.h"

using namespace ddsolver;

namespace {

// Puts the card on the trick; a full trick is cleared and its winner leads.
void playCard(bridgeref::Position& position, Card card) {
    const int seat = bridgeref::seatToMove(position);
    position.deal[card.index()] = 5 + seat;
    if (bridgeref::cardsOnTrick(position) < 4) return;
    position.leader = bridgeref::seatToMove(position);
    for (int& code : position.deal) {
        if (code >= 5) code = 0;
    }
}

}  // namespace

TEST(ApiSolver, BridgeMatchesMinimaxAlongThePlay) {
    bridgeref::TestRandom random(0x5EED0A91);
    BridgeSolver solver;
    const int deals = sampleSize(300, 40);
    int positions = 0;
    for (int d = 0; d < deals; ++d) {
        bridgeref::Position ref = bridgeref::randomPosition(random, 5);
        // Down the play along the solver's best cards, to the last trick.
        while (bridgeref::tricksLeft(ref) > 0) {
            const Position position = apiPosition(ref);
            SCOPED_TRACE(bridgeref::tablePositionString(ref) + " leader " +
                         std::to_string(ref.leader));
            bridgeref::Tricks tricks;
            std::vector<bridgeref::CardValue> refValues;
            ASSERT_TRUE(bridgeref::solveSmall(ref, &tricks));
            ASSERT_TRUE(bridgeref::evaluateCards(ref, &refValues));

            BridgeResult result;
            ASSERT_EQ(solver.solve(position, result), Status::Ok);
            EXPECT_EQ(result.northSouth, tricks.northSouth);
            EXPECT_EQ(result.eastWest, tricks.eastWest);
            ASSERT_TRUE(result.best.valid());
            EXPECT_EQ(bridgeref::valueOfCard(refValues, result.best.index()),
                      bridgeref::bestValue(refValues))
                << "best " << result.best.text();

            std::vector<CardValue> values;
            ASSERT_EQ(solver.cardValues(position, values), Status::Ok);
            EXPECT_EQ(valuesText(values), valuesText(bestFirst(refValues)));
            if (HasFailure()) return;
            playCard(ref, result.best);
            ++positions;
        }
    }
    EXPECT_GT(positions, 3 * deals);
}

// Misère and every trump, leader, declarer and number of cards on the trick;
// each position is followed through its current trick along the best cards.
TEST(ApiSolver, PreferansMatchesMinimax) {
    std::mt19937 rng(0x9BEF);
    PrefSolver solver;
    const int rounds = sampleSize(80, 12);
    for (int round = 0; round < rounds; ++round) {
        for (int tricks = 1; tricks <= 5; ++tricks) {
            for (int onTable = 0; onTable <= 2; ++onTable) {
                PrefTestPosition p = randomPrefPosition(rng, tricks, onTable);
                for (int placed = onTable; placed <= 2; ++placed) {
                    SCOPED_TRACE(prefPositionString(p));
                    PrefReference reference(p.deal, p.trump, p.leaderSeat, p.declarerSeat,
                                            p.misere);
                    const int left = reference.tricksLeft();
                    const int declarer = reference.declarerTricks();
                    PrefResult result;
                    ASSERT_EQ(solver.solve(apiPosition(p), apiContract(p), result), Status::Ok);
                    EXPECT_EQ(result.declarer, declarer);
                    EXPECT_EQ(result.defenders, left - declarer);
                    const auto legal = reference.legalCards();
                    ASSERT_NE(std::find(legal.begin(), legal.end(), result.best.index()),
                              legal.end())
                        << "best " << result.best.text() << " is not a legal card";
                    EXPECT_EQ(reference.declarerTricksAfter(result.best.index()), declarer);

                    std::vector<CardValue> values;
                    ASSERT_EQ(solver.cardValues(apiPosition(p), apiContract(p), values),
                              Status::Ok);
                    EXPECT_EQ(valuesText(values), valuesText(prefReferenceValues(p)));
                    if (HasFailure()) return;
                    // The best card onto the trick, short of completing it.
                    if (placed < 2) p.deal[result.best.index()] = 5 + reference.seatToMove();
                }
            }
        }
    }
}

// A few splits of the hidden-layout analysis against the yes/no reference,
// which names contracts and leaders as the program does (0-3 a trump, 4 no
// trump, 5 misère; leaders 0 North, 1 East, 2 West).
TEST(ApiSolver, PrefHistogramMatchesReference) {
    const struct {
        const char* deal;
        PrefContract contract;
        Seat leader;
        int programContract, programLeader, first;
    } cases[] = {
        // Each range counts differently with the other defender leading, or
        // with another trump, or in misère.
        {"aqjt9.ak*7*8.kq.a", {Strain::Spades, false, Seat::North}, Seat::East, 0, 1, 20000},
        {"akqj.akq.a*k*q9.t", {Strain::NoTrump, false, Seat::North}, Seat::West, 4, 2, 3},
        {"ak.kq*j*t.aqj98.a", {Strain::Diamonds, false, Seat::North}, Seat::East, 2, 1, 20000},
        {"97kQ.9.kj*87a.j*k", {Strain::Hearts, true, Seat::North}, Seat::East, 5, 1, 3},
        {"#akqt9.a*k*q.kj.q9", {Strain::Spades, false, Seat::North}, Seat::North, 0, 0, 130000},
    };
    for (const auto& c : cases) {
        PrefHistogram histogram{};
        ASSERT_EQ(prefHistogram(c.deal, c.contract, c.leader, c.first, c.first + 8, 1, nullptr,
                                histogram),
                  Status::Ok);
        const TrickHistogram expected =
            referenceHistogram(c.deal, c.programContract, c.programLeader, c.first, c.first + 8);
        EXPECT_TRUE(std::equal(histogram.begin(), histogram.end(), expected.begin())) << c.deal;
    }
}
