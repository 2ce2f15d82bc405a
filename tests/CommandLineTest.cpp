// End-to-end tests of the program's argument dispatch and position string.
#include <gtest/gtest.h>

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
    ProgramRun run = runDdsolver({std::string(56, '0')});
    EXPECT_EQ(run.output, "strlen(p)<52+5 56");
    EXPECT_EQ(run.exitStatus, 256 - 56);

    run = runDdsolver({""});
    EXPECT_EQ(run.output, "strlen(p)<52+5 0");
    EXPECT_EQ(run.exitStatus, 0);
}
