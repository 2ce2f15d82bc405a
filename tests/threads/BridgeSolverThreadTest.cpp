// Two bridge solver objects on two threads at once, each solving its own
// deals of the published table (tests/data/bridge_tables10.tsv) for the
// four leaders: every count must be the published one.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "bridge/Engine.h"
#include "support/BridgeSolveSupport.h"

using namespace bridgeref;

namespace {

// Solves the lines as the program does (the table kept across the leaders)
// and returns one message per disagreement.
std::vector<std::string> solveLines(const std::vector<TableLine>& lines) {
    bridge::Engine solver;
    std::vector<std::string> problems;
    for (const TableLine& line : lines) {
        for (int leader = 0; leader < 4; ++leader) {
            bridge::Result result;
            if (!solver.solve(line.position.deal.data(), line.position.trump, leader, leader == 0,
                              result)) {
                problems.push_back(line.text + " refused");
                continue;
            }
            const int defence = (leader & 1) == 0 ? result.eastWest : result.northSouth;
            if (defence != line.tricks[leader])
                problems.push_back(line.text + " leader " + std::to_string(leader));
        }
    }
    return problems;
}

}  // namespace

TEST(BridgeSolverThreads, TwoSolversGivePublishedCountsAtOnce) {
    const std::vector<TableLine> lines = tableLines("bridge_tables10.tsv", 50);
    ASSERT_EQ(lines.size(), 50u);
    // Different deals and strains on each thread.
    std::vector<TableLine> first, second;
    for (size_t i : {23u, 28u, 33u}) first.push_back(lines[i]);
    for (size_t i : {1u, 12u, 44u}) second.push_back(lines[i]);
    std::vector<std::string> firstProblems, secondProblems;
    std::thread worker([&] { secondProblems = solveLines(second); });
    firstProblems = solveLines(first);
    worker.join();
    EXPECT_TRUE(firstProblems.empty()) << firstProblems.front();
    EXPECT_TRUE(secondProblems.empty()) << secondProblems.front();
}
