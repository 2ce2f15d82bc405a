// Preferans solver against the independent minimax reference: trick counts,
// best cards and the result bookkeeping on random positions and full deals.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "ddsolver/compat/PrefPosition.h"
#include "support/PrefPositions.h"
#include "support/PrefReference.h"

namespace {

struct PrefResult {
    int cards, declarer, defenders, bc, bs;
};

PrefResult solvePref(const PrefTestPosition& p, bool trailing) {
    PrefPosition::solve(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere, trailing);
    return {PrefPosition::number_of_cards, PrefPosition::number_of_tricks_of_player,
            PrefPosition::number_of_tricks_of_vist, PrefPosition::bc, PrefPosition::bs};
}

std::string describe(const PrefTestPosition& p) {
    std::string text = "position " + prefPositionString(p);
    return text;
}

// Solves the position with the solver and the reference and checks the trick
// counts, their bookkeeping and that the best card reaches the optimum.
void expectMatchesReference(const PrefTestPosition& p) {
    SCOPED_TRACE(describe(p));
    PrefReference reference(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere);
    const int expected = reference.declarerTricks();
    const PrefResult result = solvePref(p, true);

    ASSERT_EQ(result.cards, reference.tricksLeft());
    ASSERT_EQ(result.declarer, expected);
    ASSERT_EQ(result.declarer + result.defenders, result.cards);

    // The solver's rank position 0 is the seven; the deal array's 0 is the ace.
    const int bestCard = result.bs * 13 + 7 - result.bc;
    std::vector<int> legal = reference.legalCards();
    ASSERT_NE(std::find(legal.begin(), legal.end(), bestCard), legal.end())
        << "best card " << bestCard << " is not playable";
    EXPECT_EQ(reference.declarerTricksAfter(bestCard), expected) << "best card " << bestCard;

    const PrefResult again = solvePref(p, false);
    EXPECT_EQ(again.cards, result.cards);
    EXPECT_EQ(again.declarer, result.declarer);
    EXPECT_EQ(again.defenders, result.defenders);
    EXPECT_EQ(again.bc, result.bc);
    EXPECT_EQ(again.bs, result.bs);
}

}  // namespace

// Every contract kind, leader and declarer seat and table state is drawn at
// random; the expected values come from the reference minimax.
TEST(PrefSolver, MatchesReferenceOnRandomPositions) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 200; round++) {
        for (int tricks = 1; tricks <= 6; tricks++) {
            for (int onTable = 0; onTable <= 2; onTable++) {
                expectMatchesReference(randomPrefPosition(rng, tricks, onTable));
                if (HasFatalFailure()) return;
            }
        }
    }
}

// Full ten-card deals (0, 1 or 2 cards already on the first trick). The
// expected declarer's tricks were computed once, offline, by the reference
// minimax in tests/support (several seconds to a minute and a half per deal).
// Rank positions 8 to 12 carry junk codes that the solver must ignore.
TEST(PrefSolver, SolvesFullDealsAsTheReference) {
    const struct {
        const char* position;
        int declarerTricks;
    } deals[] = {
        {"142107210272344441122864822212241442400441121243204403100", 0},
        {"214421148721411104244788144441212143636260421221401421100", 4},
        {"012444442384321411341633882426215271362411212423435540000", 1},
        {"112144115278112212324847541014241257714444424222040643100", 0},
        {"244212110477414124124716774221210428203811472247322433000", 2},
        {"024412446401342420144348011224111247537281112165811721300", 2},
        {"441224442214714112401885152441211738687212412225115301000", 0},
        {"402611210442641424244035112441124120528114227210882411000", 0},
        {"124124124860140022112620631121442413614481644214145231001", 6},
        {"241224402284714124412803051214121115464144202420462811101", 4},
        {"122211211005421424241168304432211442084124414047807800300", 1},
        {"252211447331242114401117012112421466540443412227403500101", 6},
        {"421410424200042682212287687244211187457411414215036121300", 3},
        {"442112141605542142412705284144212143266122041208230511101", 3},
        {"272421218767244220412607755214244126411111244146430340000", 5},
        {"244241140131644222224083541011131222585452481216724623100", 0},
        {"441444128873142140414853361122211282228221142203213603300", 8},
        {"402512428083341342141006401424442163520222124116266340100", 1},
    };
    for (const auto& d : deals) {
        SCOPED_TRACE(d.position);
        PrefResult result = solvePref(prefPositionFromString(d.position), true);
        EXPECT_EQ(result.cards, 10);
        EXPECT_EQ(result.declarer, d.declarerTricks);
        EXPECT_EQ(result.defenders, 10 - d.declarerTricks);
    }
}
