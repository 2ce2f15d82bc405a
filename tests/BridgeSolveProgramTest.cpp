// The ddsolver program on bridge deals, end to end: four numbers, each with
// one space after it, for the four opening leaders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/BridgeSolveSupport.h"
#include "support/RunProgram.h"

using namespace bridgeref;

// Seat s holds the whole of suit s: at no trump the leader runs his suit and
// takes every trick, so the side that does not lead takes none (hand
// analysis). Characters 53, 54 and 56 do not change a bridge result.
TEST(BridgeSolveProgram, WholeSuitsAtNoTrumpGiveNothingToTheDefence) {
    std::string cards;
    for (int s = 0; s < 4; ++s) cards += std::string(13, static_cast<char>('1' + s));
    for (const std::string tail : {"40010", "43919", "40310"}) {
        ProgramRun run = runDdsolver({cards + tail});
        EXPECT_EQ(run.exitStatus, 0) << tail;
        EXPECT_EQ(run.output, "0 0 0 0 ") << tail;
    }
}

// Three lines of the published table that solve in well under a second
// (lines 24, 29 and 34 of tests/data/bridge_tables10.tsv); the full files
// run in the slow tests.
TEST(BridgeSolveProgram, QuickPublishedDeals) {
    std::vector<TableLine> lines = tableLines("bridge_tables10.tsv", 50);
    ASSERT_EQ(lines.size(), 50u);
    for (size_t number : {24u, 29u, 34u}) expectProgramPrints(lines[number - 1]);
}
