// The node count of a hidden-layout run on two threads: each share's solver
// is counted once, so the total is that of the two shares run one by one
// (each share's table is the same size either way).
#include <gtest/gtest.h>

#include <cstdint>

#include "analysis/DealNotation.h"
#include "analysis/SplitRun.h"

namespace {

SplitJob misereJob() {
    int playerCards[10];
    int absentCards[2];
    int knownCards[12];
    int leadCard = -1;
    EXPECT_EQ(parseDeal("97.87*a*k.t987.8k", 1, playerCards, absentCards, knownCards, leadCard),
              ddsolver::Status::Ok);
    return makeSplitJob(playerCards, knownCards, leadCard, 4, true, 1);
}

}  // namespace

TEST(SplitRunThreads, NodesOfTwoSharesAreThoseOfTheirHalves) {
    const SplitJob job = misereJob();
    const int half = 60;
    int histogram[11] = {0};
    uint64_t together = 0;
    solveSplits(job, 0, 2 * half, 2, StopCheck(), histogram, &together);
    uint64_t apart = 0;
    solveSplits(job, 0, half, 1, StopCheck(), histogram, &apart);
    solveSplits(job, half, 2 * half, 1, StopCheck(), histogram, &apart);
    EXPECT_GT(together, 0u);
    EXPECT_EQ(together, apart);
}
