// Re-solves published full deals with the exhaustive full-deal reference: the
// expected numbers are the published double-dummy results in tests/data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/BridgeDealText.h"
#include "support/BridgeFullDeal.h"

using namespace bridgeref;

namespace {

// Three of the ten published deals, each in all five strains (lines 1-5, 26-30
// and 36-40 of the file); about a minute in an optimised build.
TEST(BridgeFullDealSlow, ReproducesPublishedTables) {
    std::vector<TableLine> lines;
    std::string error;
    ASSERT_TRUE(readTableFile(DDSOLVER_TESTDATA_DIR "/bridge_tables10.tsv", &lines, &error))
        << error;
    ASSERT_EQ(lines.size(), 50u);
    FullDealSolver solver(22);
    for (size_t first : {0u, 25u, 35u}) {
        for (size_t i = first; i < first + 5; ++i) {
            std::array<int, 4> tricks{};
            ASSERT_TRUE(solver.tableNumbers(lines[i].position, &tricks)) << lines[i].text;
            EXPECT_EQ(tricks, lines[i].tricks) << "line " << i + 1 << ": " << lines[i].text;
        }
    }
}

}  // namespace
