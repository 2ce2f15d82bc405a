// Full 13-card deals solved end to end by the ddsolver program, every line of
// both table files in tests/data: the published double-dummy results of ten
// deals, and random deals whose numbers an independent exhaustive solver
// computed after it had reproduced the published ones (tests/data/README.md).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/BridgeDealText.h"
#include "support/RunProgram.h"

using namespace bridgeref;

namespace {

// The program prints the four numbers of a line, each followed by a space.
void expectTableFile(const std::string& name, size_t lineCount) {
    std::vector<TableLine> lines;
    std::string error;
    ASSERT_TRUE(readTableFile(std::string(DDSOLVER_TESTDATA_DIR) + "/" + name, &lines, &error))
        << error;
    ASSERT_EQ(lines.size(), lineCount);
    for (const TableLine& line : lines) {
        std::string expected;
        for (int tricks : line.tricks) expected += std::to_string(tricks) + " ";
        ProgramRun run = runDdsolver({line.text});
        EXPECT_EQ(run.exitStatus, 0) << line.text;
        EXPECT_EQ(run.output, expected) << line.text;
    }
}

}  // namespace

TEST(BridgeSolveSlow, PublishedTenDealsInAllStrains) {
    expectTableFile("bridge_tables10.tsv", 50);
}

TEST(BridgeSolveSlow, RandomDealsFromTheExhaustiveReference) {
    expectTableFile("bridge_random_deals.tsv", 32);
}
