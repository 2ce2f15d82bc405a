// Whole ten-card preferans deals, solved by the solver and by the reference
// minimax of tests/support (seconds to a minute per deal for the reference).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ddsolver/compat/PrefPosition.h"
#include "support/PrefPositions.h"
#include "support/PrefReference.h"

TEST(PrefFullDeals, MatchReferenceWithBestCards) {
    std::mt19937 rng(31337);
    for (int round = 0; round < 9; round++) {
        PrefTestPosition p = randomPrefPosition(rng, 10, round % 3);
        SCOPED_TRACE(prefPositionString(p));
        PrefReference reference(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere);
        const int expected = reference.declarerTricks();
        PrefPosition::solve(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere, true);
        EXPECT_EQ(PrefPosition::number_of_cards, 10);
        EXPECT_EQ(PrefPosition::number_of_tricks_of_player, expected);
        EXPECT_EQ(PrefPosition::number_of_tricks_of_vist, 10 - expected);
        const int bestCard = PrefPosition::bs * 13 + 7 - PrefPosition::bc;
        std::vector<int> legal = reference.legalCards();
        ASSERT_NE(std::find(legal.begin(), legal.end(), bestCard), legal.end());
        EXPECT_EQ(reference.declarerTricksAfter(bestCard), expected);
    }
}
