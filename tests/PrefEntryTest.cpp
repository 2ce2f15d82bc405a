// The preferans path through the shared solver entry and the program, and the
// root search's choice of best card; expected values worked out by hand or
// taken from the reference minimax in tests/support.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "ddsolver/compat/BridgePosition.h"
#include "ddsolver/compat/PrefPosition.h"
#include "support/PrefPositions.h"
#include "support/PrefReference.h"
#include "support/RunProgram.h"

namespace {

constexpr int SPADES = 0, HEARTS = 1, DIAMONDS = 2;

int card(int suit, int fromAce) {
    return suit * 13 + fromAce;
}

}  // namespace

// One trick: North leads the ace of diamonds, which wins. The entry turns the
// preferans rank position 7 into its own rank 12 and reports the declarer's
// tricks (North's) as East-West's.
TEST(PrefEntry, CopiesResultsWithAceAsTwelve) {
    int deal[52] = {0};
    deal[card(DIAMONDS, 0)] = 1;
    deal[card(DIAMONDS, 7)] = 2;
    deal[card(DIAMONDS, 6)] = 4;
    BridgePosition::NodeCount = 99;
    EXPECT_TRUE(BridgePosition::solve(deal, 4, 0, 0, false, false, true));
    EXPECT_EQ(BridgePosition::NodeCount, 0);
    EXPECT_EQ(BridgePosition::bc, 12);
    EXPECT_EQ(BridgePosition::bs, DIAMONDS);
    EXPECT_EQ(BridgePosition::EastWestTricks, 1);
    EXPECT_EQ(BridgePosition::NorthSouthTricks, 0);
}

// North leads his only card, the seven of hearts, to East's (the declarer's) ace.
TEST(PrefEntry, CopiesResultsWithSevenAsFive) {
    int deal[52] = {0};
    deal[card(HEARTS, 7)] = 1;
    deal[card(HEARTS, 0)] = 2;
    deal[card(HEARTS, 6)] = 4;
    EXPECT_TRUE(BridgePosition::solve(deal, 0, 0, 1, false, false, true));
    EXPECT_EQ(BridgePosition::bc, 5);
    EXPECT_EQ(BridgePosition::bs, HEARTS);
    EXPECT_EQ(BridgePosition::EastWestTricks, 1);
    EXPECT_EQ(BridgePosition::NorthSouthTricks, 0);
}

// A bridge request sets the request state and passes on the driver's answer,
// which is a refusal while no bridge tables exist (nothing else changes).
TEST(PrefEntry, BridgeRequestSetsNextSeatFromTrickCards) {
    int deal[52];
    for (int i = 0; i < 52; i++) deal[i] = 1 + i % 4;
    deal[card(SPADES, 3)] = 8;  // West led
    deal[card(SPADES, 4)] = 5;  // North followed
    BridgePosition::EastWestTricks = 7;
    BridgePosition::NorthSouthTricks = 6;
    EXPECT_FALSE(BridgePosition::solve(deal, 2, 3, 0, true, false, true));
    EXPECT_EQ(BridgePosition::trump, 2);
    EXPECT_TRUE(BridgePosition::trumpChanged);
    EXPECT_EQ(BridgePosition::firstmove, 3);
    EXPECT_EQ(BridgePosition::nextmove, 1);
    EXPECT_EQ(BridgePosition::EastWestTricks, 7);
    EXPECT_EQ(BridgePosition::NorthSouthTricks, 6);
}

TEST(PrefProgram, PrintsTheDeclarersTricksAndOneSpace) {
    std::mt19937 rng(11);
    for (int onTable = 0; onTable <= 2; onTable++) {
        PrefTestPosition p = randomPrefPosition(rng, 5, onTable);
        PrefReference reference(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere);
        ProgramRun run = runDdsolver({prefPositionString(p)});
        EXPECT_EQ(run.output, std::to_string(reference.declarerTricks()) + " ");
        EXPECT_EQ(run.exitStatus, 0);
    }
}

// North (declarer, no trump) holds the queen of spades and the ace of hearts;
// either lead takes one trick, so the best card is the first one tried: the
// top card of a suit before any other card, even of a lower-numbered suit.
TEST(PrefRoot, TriesTopCardsFirstAndKeepsTheFirstOfEqualCards) {
    int deal[52] = {0};
    deal[card(SPADES, 2)] = 1;
    deal[card(HEARTS, 0)] = 1;
    deal[card(SPADES, 0)] = 2;
    deal[card(HEARTS, 7)] = 2;
    deal[card(SPADES, 1)] = 4;
    deal[card(HEARTS, 6)] = 4;
    PrefPosition::solve(deal, 4, 0, 0, false, true);
    EXPECT_EQ(PrefPosition::number_of_tricks_of_player, 1);
    EXPECT_EQ(PrefPosition::bc, 7);
    EXPECT_EQ(PrefPosition::bs, HEARTS);
}

// With no card left the counts are zero and the best card is left alone.
TEST(PrefRoot, EmptyPositionKeepsThePreviousBestCard) {
    int deal[52] = {0};
    deal[card(DIAMONDS, 3)] = 4;
    deal[card(DIAMONDS, 5)] = 1;
    deal[card(DIAMONDS, 6)] = 2;
    PrefPosition::solve(deal, 4, 3, 3, false, true);
    ASSERT_EQ(PrefPosition::bc, 4);  // West's jack
    ASSERT_EQ(PrefPosition::bs, DIAMONDS);

    int empty[52] = {0};
    PrefPosition::solve(empty, 4, 0, 0, false, true);
    EXPECT_EQ(PrefPosition::number_of_cards, 0);
    EXPECT_EQ(PrefPosition::number_of_tricks_of_player, 0);
    EXPECT_EQ(PrefPosition::number_of_tricks_of_vist, 0);
    EXPECT_EQ(PrefPosition::bc, 4);
    EXPECT_EQ(PrefPosition::bs, DIAMONDS);
}

// Misere: the declarer (East, to play second) has only the king of hearts
// over North's queen and West's ace behind him: whatever he does West wins,
// so he takes no trick; with the ace and the king swapped he must take it.
TEST(PrefRoot, MisereCountsTheDeclarersUnavoidableTricks) {
    int deal[52] = {0};
    deal[card(HEARTS, 2)] = 5;  // North led the queen
    deal[card(HEARTS, 1)] = 2;
    deal[card(HEARTS, 0)] = 4;
    PrefPosition::solve(deal, 1, 0, 1, true, true);
    EXPECT_EQ(PrefPosition::number_of_tricks_of_player, 0);
    EXPECT_EQ(PrefPosition::number_of_tricks_of_vist, 1);

    deal[card(HEARTS, 1)] = 4;
    deal[card(HEARTS, 0)] = 2;
    PrefPosition::solve(deal, 1, 0, 1, true, true);
    EXPECT_EQ(PrefPosition::number_of_tricks_of_player, 1);
    EXPECT_EQ(PrefPosition::number_of_tricks_of_vist, 0);
}
