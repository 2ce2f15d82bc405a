// Tests of the program's argument dispatch, the position string and its helpers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddsolver/compat/frontend/PositionString.h"
#include "support/RunProgram.h"

TEST(CommandLine, RefusesWrongArgumentCounts) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {"a", "b"}, {"a", "b", "c"}, {"a", "b", "c", "d", "e"}}) {
        ProgramRun run = runDdsolver(arguments);
        EXPECT_EQ(run.output, "error invalid number of arguments\n");
        EXPECT_EQ(run.exitStatus, 255);
    }
}

TEST(CommandLine, RefusesShortPositionString) {
    // The exit status is minus the length, modulo 256, except that an empty
    // argument fails with 255 rather than succeeding with 0.
    for (size_t length : {0, 1, 30, 56}) {
        ProgramRun run = runDdsolver({std::string(length, '0')});
        EXPECT_EQ(run.output, "strlen(p)<52+5 " + std::to_string(length));
        EXPECT_EQ(run.exitStatus, length == 0 ? 255 : 256 - static_cast<int>(length));
    }
}

TEST(CommandLine, IgnoresCharactersPastTheFiftySeventh) {
    // A small preferans position: seats 0, 1 and 3 hold the ace, king and queen
    // of suit 0; no trump, seat 0 leads and declares.
    std::string position(57, '0');
    position[0] = '1';
    position[1] = '2';
    position[2] = '4';
    position[52] = '4';
    ProgramRun exact = runDdsolver({position});
    ProgramRun longer = runDdsolver({position + "9x9x"});
    EXPECT_EQ(exact.output.rfind("strlen", 0), std::string::npos);
    EXPECT_EQ(exact.output.rfind("error invalid position", 0), std::string::npos);
    EXPECT_EQ(longer.output, exact.output);
    EXPECT_EQ(longer.exitStatus, exact.exitStatus);
}

TEST(CommandLine, DecodesCharactersWithoutJudgingThem) {
    EXPECT_EQ(get('0'), 0);
    EXPECT_EQ(get('8'), 8);
    EXPECT_EQ(get('9'), 9);
    EXPECT_EQ(get('a'), 49);  // 'a' is 97 in ASCII
    EXPECT_EQ(get('/'), -1);
    EXPECT_EQ(get('\xff'), -49);  // taken as signed: -1 - 48
}
