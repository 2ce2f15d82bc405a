// Long runs of the hidden-layout analysis: the whole range of one deal, and
// seeded random deals checked split by split against the yes/no reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "support/HiddenLayoutRuns.h"

// No trump, the declarer leads with the ace to jack of suit 0, ace to queen of
// suit 1, ace and nine of suit 2 and the ten of suit 3. Each split takes the
// engine a fraction of a millisecond (about half a minute for the range).
// Hand analysis: the eight top cards are eight tricks on the declarer's lead
// whatever the split, so no split gives fewer.
TEST(HiddenLayoutSlow, WholeRangeCountsEverySplitOnce) {
    ProgramRun run = runAnalysis("akqj.akq.a*k*q9.t", "0-184756", "4", "0");
    TrickHistogram histogram{};
    ASSERT_EQ(run.exitStatus, 0);
    ASSERT_TRUE(readHistogram(run.output, histogram)) << run.output;
    EXPECT_EQ(histogramTotal(histogram), 184756);
    for (int tricks = 0; tricks < 8; tricks++) EXPECT_EQ(histogram[tricks], 0) << tricks;
}

namespace {

// A random valid deal text: ten declarer cards (one of them already led when
// `withLead`), two absent cards, in four suit groups.
std::string randomDealText(std::mt19937& rng, bool withLead) {
    std::vector<int> cards(32);
    for (int i = 0; i < 32; i++) cards[i] = i;
    std::shuffle(cards.begin(), cards.end(), rng);
    static const char RANKS[] = "akqjt987";
    std::string groups[4];
    for (int i = 0; i < 12; i++) {
        const int card = cards[i];
        std::string item(1, RANKS[card % 8]);
        if (i >= 10) item = "*" + item;
        if (withLead && i == 0) item = "#" + item;
        groups[card / 8] += item;
    }
    return groups[0] + "." + groups[1] + "." + groups[2] + "." + groups[3];
}

}  // namespace

TEST(HiddenLayoutSlow, RandomDealsMatchReference) {
    std::mt19937 rng(60221);
    for (int round = 0; round < 36; round++) {
        const int contract = round % 6;
        const int leader = (round / 6) % 3;
        const std::string dealText = randomDealText(rng, leader == 0 && round % 2 == 0);
        const int start = std::uniform_int_distribution<int>(0, 184756 - 16)(rng);
        const std::string range = std::to_string(start) + "-" + std::to_string(start + 16);
        SCOPED_TRACE(dealText + " " + range + " " + std::to_string(contract) + " " +
                     std::to_string(leader));
        ProgramRun run =
            runAnalysis(dealText, range, std::to_string(contract), std::to_string(leader));
        ASSERT_EQ(run.exitStatus, 0) << run.output;
        EXPECT_EQ(run.output,
                  histogramText(referenceHistogram(dealText, contract, leader, start, start + 16)));
    }
}
