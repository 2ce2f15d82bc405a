// Helpers shared by the bridge solver's tests.
#include "support/BridgeSolveSupport.h"

#include <gtest/gtest.h>

#include "support/RunProgram.h"

using namespace bridgeref;

Position handsPosition(const std::array<std::string, 4>& hands, int trump, int leader) {
    Position position;
    std::string error;
    EXPECT_TRUE(positionFromHands(hands, trump, leader, &position, &error)) << error;
    return position;
}

std::vector<TableLine> tableLines(const std::string& fileName, size_t count) {
    std::vector<TableLine> lines;
    std::string error;
    EXPECT_TRUE(readTableFile(std::string(DDSOLVER_TESTDATA_DIR) + "/" + fileName, &lines, &error))
        << error;
    EXPECT_EQ(lines.size(), count) << fileName;
    return lines;
}

void expectProgramPrints(const TableLine& line) {
    std::string expected;
    for (int tricks : line.tricks) expected += std::to_string(tricks) + " ";
    ProgramRun run = runDdsolver({line.text});
    EXPECT_EQ(run.exitStatus, 0) << line.text;
    EXPECT_EQ(run.output, expected) << line.text;
}
