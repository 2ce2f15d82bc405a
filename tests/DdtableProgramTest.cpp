// The ddtable program end to end: input forms, the three output formats, bad
// input on standard error and the exit statuses. The deals give each hand a
// whole suit, so every table entry follows from hand analysis: at no trump the
// opening leader runs his suit (declarer 0 tricks); in a suit the holder of the
// trumps ruffs the lead, or leads them himself, and takes all 13 tricks.
#include <gtest/gtest.h>

#include "apps/common/Progress.h"
#include "support/RunTable.h"

namespace {

// North spades, East hearts, South diamonds, West clubs: NS take 13 in spades
// and diamonds, EW in hearts and clubs. Par: 7S by NS (7D scores less, EW's
// cheapest sacrifice, 7NT, goes 13 down); 1510 not vulnerable, 2210 vulnerable.
const char DEAL_A[] = "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432";
// North spades, South hearts, East diamonds, West clubs: NS 13 in both majors.
const char DEAL_B[] = "N:AKQJT98765432... ..AKQJT98765432. .AKQJT98765432.. ...AKQJT98765432";
// East spades, South diamonds, West hearts, North clubs: the mirror image, EW's majors.
const char DEAL_C[] = "E:AKQJT98765432... ..AKQJT98765432. .AKQJT98765432.. ...AKQJT98765432";

const char TEXT_A[] =
    "Deal (<stdin> line 1)  Dealer N  Vul None\n"
    "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432\n"
    "        N   S   E   W\n"
    "  NT    0   0   0   0\n"
    "  S    13  13   0   0\n"
    "  H     0   0  13  13\n"
    "  D    13  13   0   0\n"
    "  C     0   0  13  13\n"
    "Par 1510: 7S-NS\n"
    "\n";

std::string jsonLine(const std::string& board, const std::string& deal, const std::string& table,
                     const std::string& par, const std::string& tail) {
    return "{\"board\": " + board + ", \"deal\": \"" + deal + "\", \"table\": " + table +
           ", \"par\": " + par + tail + "}\n";
}

const char TABLE_A[] =
    "{\"N\": {\"NT\": 0, \"S\": 13, \"H\": 0, \"D\": 13, \"C\": 0}, "
    "\"E\": {\"NT\": 0, \"S\": 0, \"H\": 13, \"D\": 0, \"C\": 13}, "
    "\"S\": {\"NT\": 0, \"S\": 13, \"H\": 0, \"D\": 13, \"C\": 0}, "
    "\"W\": {\"NT\": 0, \"S\": 0, \"H\": 13, \"D\": 0, \"C\": 13}}";
const char TABLE_C[] =
    "{\"N\": {\"NT\": 0, \"S\": 0, \"H\": 0, \"D\": 13, \"C\": 13}, "
    "\"E\": {\"NT\": 0, \"S\": 13, \"H\": 13, \"D\": 0, \"C\": 0}, "
    "\"S\": {\"NT\": 0, \"S\": 0, \"H\": 0, \"D\": 13, \"C\": 13}, "
    "\"W\": {\"NT\": 0, \"S\": 13, \"H\": 13, \"D\": 0, \"C\": 0}}";

}  // namespace

TEST(DdtableProgram, PrintsTheTextTableOfABareDealLine) {
    TableRun run = runDdtable({"--vul", "None", "-j", "1"}, std::string(DEAL_A) + "\n");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, TEXT_A);
    EXPECT_EQ(run.errors, "");  // no progress line: standard error is not a terminal
}

// A game file in JSON Lines: board numbers, the Vulnerable tag winning over
// --vul, par from the tag, and no par without any vulnerability.
TEST(DdtableProgram, PrintsJsonLinesOfAGameFile) {
    std::string games =
        std::string("[Board \"5\"]\n[Dealer \"N\"]\n[Vulnerable \"All\"]\n[Deal \"") + DEAL_A +
        "\"]\n\n[Board \"6b\"]\n[Dealer \"E\"]\n[Deal \"" + DEAL_C + "\"]\n";
    std::string file = writeTemporaryFile("games.pbn", games);
    TableRun run = runDdtable({"--format=json", file});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.errors, "");
    std::string expected =
        jsonLine("5", DEAL_A, TABLE_A,
                 "{\"score\": 2210, \"contracts\": [\"7S-NS\"], \"ns\": \"NS 2210\", \"ew\": "
                 "\"EW -2210\", \"contracts_ns\": \"NS:NS 7S\", \"contracts_ew\": \"EW:NS 7S\"}",
                 ", \"dealer\": \"N\", \"vulnerable\": \"All\", \"source\": \"" + file +
                     "\", \"line\": 4") +
        jsonLine(
            "\"6b\"", "N:...AKQJT98765432 AKQJT98765432... ..AKQJT98765432. .AKQJT98765432..",
            TABLE_C, "null",
            ", \"dealer\": \"E\", \"vulnerable\": null, \"source\": \"" + file + "\", \"line\": 8");
    EXPECT_EQ(run.output, expected);
}

// Two majors at par 1510 each: both listed, spades first.
TEST(DdtableProgram, PrintsCsvWithHeader) {
    TableRun run =
        runDdtable({"--format", "csv", "--vul", "EW", "--quiet", "-"}, std::string(DEAL_B) + "\n");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output,
              "board,source,line,dealer,vulnerable,deal,NT_N,NT_S,NT_E,NT_W,S_N,S_S,S_E,S_W,H_N,"
              "H_S,H_E,H_W,D_N,D_S,D_E,D_W,C_N,C_S,C_E,C_W,par_score,par_contracts,par_ns,par_ew,"
              "par_contracts_ns,par_contracts_ew\n"
              ",<stdin>,1,N,EW," +
                  std::string(DEAL_B) +
                  ",0,0,0,0,13,13,0,0,13,13,0,0,0,0,13,13,0,0,13,13,1510,7S-NS 7H-NS,NS 1510,"
                  "EW -1510,\"NS:NS 7S,NS 7H\",\"EW:NS 7S,NS 7H\"\n");
}

// Board names are quoted in CSV when they hold a comma, a quote or a carriage
// return (a bare one would end the record for CSV readers).
TEST(DdtableProgram, QuotesCsvBoardNamesThatNeedIt) {
    const std::pair<std::string, std::string> boards[] = {
        {"7", "7"}, {"1,2", "\"1,2\""}, {"a\"b", "\"a\"\"b\""}, {"1\r2", "\"1\r2\""}};
    for (const auto& board : boards) {
        const std::string game =
            "[Board \"" + board.first + "\"]\n[Deal \"" + std::string(DEAL_B) + "\"]\n";
        TableRun run = runDdtable({"--format", "csv", "--vul", "EW", "--quiet", "-"}, game);
        EXPECT_EQ(run.exitStatus, 0) << board.first;
        const size_t record = run.output.find('\n') + 1;
        EXPECT_EQ(run.output.substr(record, board.second.size() + 9), board.second + ",<stdin>,")
            << board.first;
    }
}

// Bad deals are reported with file, line and reason, the good ones around them
// are still printed in order, and the status says something went wrong.
TEST(DdtableProgram, ReportsMalformedDealsAndSolvesTheRest) {
    std::string lines = std::string(DEAL_A) + "\n" +
                        "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT9876543A\n" +
                        "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT9876543\n" +
                        "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT9876543Z\n" +
                        DEAL_C + "\n";
    std::string file = writeTemporaryFile("deals.txt", lines);
    const std::string directory = file.substr(0, file.rfind('/'));
    TableRun run = runDdtable({"--format", "json", "-j", "3", file, file + ".missing", directory});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.errors, "ddtable: " + file + ".missing: cannot be read\n" +
                              "ddtable: " + directory + ": cannot be read\n" + "ddtable: " + file +
                              ":2: card CA appears twice\n" + "ddtable: " + file +
                              ":3: hand W has 12 cards, not 13\n" + "ddtable: " + file +
                              ":4: unknown rank 'Z'\n");
    ASSERT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 2);
    EXPECT_NE(run.output.find("\"line\": 1}"), std::string::npos);
    EXPECT_LT(run.output.find("\"line\": 1}"), run.output.find("\"line\": 5}"));
}

TEST(DdtableProgram, RefusesBadOptionsWithStatusTwo) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--format", "xml"},
                                               {"--vul", "Some"},
                                               {"-j", "0"},
                                               {"-j"},
                                               {"--colour"},
                                               {"--annotate", "--format", "text"}}) {
        TableRun run = runDdtable(arguments, std::string(DEAL_A) + "\n");
        EXPECT_EQ(run.exitStatus, 2) << arguments[0];
        EXPECT_EQ(run.output, "") << arguments[0];
        EXPECT_NE(run.errors.find("usage: ddtable"), std::string::npos) << arguments[0];
    }
    TableRun help = runDdtable({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.output.rfind("usage: ddtable", 0), 0u);
}

// The progress line: deals done out of total, redrawn in place and erased at
// the end; nothing at all when disabled (no terminal, or --quiet).
TEST(DdtableProgram, ProgressLineDrawsOnlyWhenEnabled) {
    for (bool enabled : {true, false}) {
        std::FILE* out = std::tmpfile();
        ASSERT_NE(out, nullptr);
        apps::Progress progress(10, enabled, out);
        progress.update(3);
        progress.finish();
        std::rewind(out);
        char buffer[256] = {};
        size_t got = std::fread(buffer, 1, sizeof buffer - 1, out);
        std::fclose(out);
        std::string text(buffer, got);
        if (enabled) {
            EXPECT_EQ(text.rfind("\r3/10 deals, ", 0), 0u) << text;
            EXPECT_EQ(text.substr(text.size() - 4), "\r\033[K") << text;
        } else {
            EXPECT_EQ(text, "");
        }
    }
}
