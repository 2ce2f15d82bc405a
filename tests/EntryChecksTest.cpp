// The host entries refuse arguments their solvers cannot play out: a failure
// result where the entry has one, and no result field, seat or callback touched.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <tuple>
#include <vector>

#include "ddsolver/compat/BridgePosition.h"
#include "ddsolver/compat/DealCodes.h"
#include "ddsolver/compat/PrefPosition.h"

using BP = BridgePosition;

namespace {

using Deal = std::array<int, DEAL_CARDS>;

// Two cards each: North the spade ace and king, East the queen and jack,
// South the ten and nine, West the eight and seven.
Deal bridgeDeal() {
    Deal deal{};
    for (int i = 0; i < 8; i++) deal[i] = inHandCode(i / 2);
    return deal;
}

// Seats 0, 1 and 3 hold two spades each: ace-king, queen-jack, ten-nine.
Deal preferansDeal() {
    Deal deal{};
    for (int i = 0; i < 6; i++) deal[i] = inHandCode(PREFERANS_SEATS[i / 2]);
    return deal;
}

auto resultFields() {
    return std::make_tuple(BP::EastWestTricks, BP::NorthSouthTricks, BP::bc, BP::bs, BP::firstmove,
                           BP::nextmove, PrefPosition::number_of_tricks_of_player,
                           PrefPosition::number_of_tricks_of_vist, PrefPosition::bc,
                           PrefPosition::bs);
}

void countCall(void* context, int, int) {
    ++*static_cast<int*>(context);
}

}  // namespace

TEST(EntryChecks, SolveRefusesWhatNoSolverCanPlayOut) {
    ASSERT_TRUE(BP::allocateTables());
    // Each case spoils one argument of a sound request (game, deal, trump,
    // leader, declarer); the sound bridge and preferans requests come first.
    struct Case {
        bool bridge;
        std::function<void(Deal&)> spoil;
        int trump, leader, declarer;
    };
    const std::vector<Case> cases = {
        {true, [](Deal&) {}, NO_TRUMP, 0, 0},
        {false, [](Deal&) {}, NO_TRUMP, 0, 0},
        {true, [](Deal&) {}, 5, 0, 0},                                   // trump
        {true, [](Deal&) {}, -1, 0, 0},                                  // trump
        {true, [](Deal&) {}, 0, 4, 0},                                   // leader
        {true, [](Deal& d) { d[0] = onTrickCode(1); }, 0, 0, 0},         // not the leader's card
        {true, [](Deal& d) { d[0] = d[1] = onTrickCode(0); }, 0, 0, 0},  // two from one seat
        {true, [](Deal& d) { d[7] = 0; }, 0, 0, 0},                      // uneven hands
        {false, [](Deal&) {}, 7, 0, 0},                                  // trump
        {false, [](Deal&) {}, 0, 2, 0},                                  // leader
        {false, [](Deal&) {}, 0, 0, 2},                                  // declarer
        {false,
         [](Deal& d) {
             d[0] = onTrickCode(0);
             d[2] = onTrickCode(3);
         },
         0, 0, 0},
        {false, [](Deal& d) { d[0] = 0; }, 0, 0, 0},  // uneven hands
    };
    for (size_t i = 0; i < cases.size(); i++) {
        const Case& c = cases[i];
        Deal deal = c.bridge ? bridgeDeal() : preferansDeal();
        c.spoil(deal);
        const auto before = resultFields();
        const bool solved = BP::solve(deal.data(), static_cast<char>(c.trump), c.leader, c.declarer,
                                      c.bridge, false, true);
        EXPECT_EQ(solved, i < 2) << "case " << i;
        if (i < 2) continue;
        EXPECT_EQ(resultFields(), before) << "case " << i;
        // The preferans solver's own entry refuses the same request alone.
        if (!c.bridge) {
            PrefPosition::solve(deal.data(), c.trump, c.leader, c.declarer, false, true);
            EXPECT_EQ(resultFields(), before) << "case " << i;
        }
    }
    EXPECT_FALSE(BP::solve(nullptr, 0, 0, 0, true, false, true));
    EXPECT_FALSE(BP::solve(nullptr, 0, 0, 0, false, false, true));
    BP::freeTables();
}

TEST(EntryChecks, PreferansOwnFormRefusesTrickCardsItsPlayersDoNotHold) {
    // Player 0 holds the spade ace and king, players 1 and 2 two hearts each.
    int deal32[32];
    std::fill(std::begin(deal32), std::end(deal32), 3);
    deal32[7] = deal32[6] = 0;
    deal32[15] = deal32[14] = 1;
    deal32[13] = deal32[12] = 2;
    PrefPosition::solve(deal32, NO_TRUMP, 0, 0, false, -1, -1, -1, -1, true);
    ASSERT_EQ(PrefPosition::number_of_tricks_of_player, 2);  // two top spades
    const auto before = resultFields();
    const std::vector<std::array<int16_t, 4>> tricks = {
        {1, 7, -1, -1},  // a heart ace the leader does not hold
        {0, 8, -1, -1},  // a rank outside 0 to 7
        {-1, -1, 1, 7},  // a second card without a lead
        {0, 7, 0, 6},    // the second card is the leader's own
    };
    for (const auto& t : tricks) {
        PrefPosition::solve(deal32, NO_TRUMP, 0, 0, false, t[0], t[1], t[2], t[3], true);
        EXPECT_EQ(resultFields(), before) << t[0] << t[1] << t[2] << t[3];
    }
    PrefPosition::solve(deal32, 9, 0, 0, false, -1, -1, -1, -1, true);
    PrefPosition::solve(deal32, NO_TRUMP, 0, 3, false, -1, -1, -1, -1, true);
    PrefPosition::solve(nullptr, NO_TRUMP, 0, 0, false, -1, -1, -1, -1, true);
    EXPECT_EQ(resultFields(), before);
}

TEST(EntryChecks, EstimateAndSwitchMoveRefuseMismatchedArrays) {
    // No solve is needed: a refused call reports nothing whatever it holds.
    const Deal position = preferansDeal();
    Deal twoMoves = position;
    twoMoves[0] = onTrickCode(0);
    twoMoves[2] = onTrickCode(1);
    Deal noMove = position;
    Deal wrongCode = position;
    wrongCode[0] = onTrickCode(1);  // North's card put on the trick as East's
    int calls = 0;
    for (const Deal* after : {&twoMoves, &noMove, &wrongCode}) {
        for (bool bridge : {false, true}) {
            BP::estimateAll(position.data(), after->data(), NO_TRUMP, 0, 0, bridge, false, 3,
                            countCall, &calls);
        }
    }
    BP::estimateAll(position.data(), nullptr, NO_TRUMP, 0, 0, false, false, 3, countCall, &calls);
    BP::estimateAll(position.data(), twoMoves.data(), 5, 0, 0, false, false, 3, countCall, &calls);
    EXPECT_EQ(calls, 0);

    BP::firstmove = 2;  // no preferans seat
    BP::nextmove = 1;
    BP::switchMove(twoMoves.data(), false);
    BP::switchMove(nullptr, true);
    EXPECT_EQ(BP::nextmove, 1);
}
