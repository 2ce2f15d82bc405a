// Full 13-card deals solved end to end by the ddsolver program, every line of
// both table files in tests/data: the published double-dummy results of ten
// deals, and random deals whose numbers an independent exhaustive solver
// computed after it had reproduced the published ones (tests/data/README.md).
#include <gtest/gtest.h>

#include <string>

#include "support/BridgeSolveSupport.h"

using namespace bridgeref;

namespace {

void expectTableFile(const std::string& name, size_t lineCount) {
    for (const TableLine& line : tableLines(name, lineCount)) expectProgramPrints(line);
}

}  // namespace

TEST(BridgeSolveSlow, PublishedTenDealsInAllStrains) {
    expectTableFile("bridge_tables10.tsv", 50);
}

TEST(BridgeSolveSlow, RandomDealsFromTheExhaustiveReference) {
    expectTableFile("bridge_random_deals.tsv", 32);
}
