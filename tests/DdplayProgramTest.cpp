// The play-review program end to end: the twenty played boards of the shared
// test data, from the PBN file, the LIN file and the command line, give DDS's
// play-analyser values for every card (tests/data/bridge_play20.tsv); a
// claim is checked; bad boards and options are reported as documented.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/PlayTraces.h"
#include "support/RunTable.h"

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// The numbers of a JSON record's fields of this name, in order.
std::vector<int> numbers(const std::string& record, const std::string& name) {
    std::vector<int> out;
    const std::regex field("\"" + name + "\": (-?[0-9]+)");
    for (std::sregex_iterator it(record.begin(), record.end(), field), end; it != end; ++it)
        out.push_back(std::stoi((*it)[1]));
    return out;
}

// Start, then the value after each card, as DDS gives them: after the 48th
// card the value stays.
void expectDdsValues(const std::string& record, const PlayTrace& trace) {
    std::vector<int> expected = trace.ddsTricks;
    expected.resize(trace.cards.size() + 1, trace.ddsTricks.back());
    std::vector<int> found = numbers(record, "start");
    const std::vector<int> tricks = numbers(record, "tricks");
    found.insert(found.end(), tricks.begin(), tricks.end());
    EXPECT_EQ(found, expected);
    EXPECT_EQ(numbers(record, "declarer_tricks_taken"),
              std::vector<int>{trace.declarerTricksTaken});
}

std::string dataFile(const std::string& name) {
    return std::string(DDSOLVER_TESTDATA_DIR) + "/" + name;
}

}  // namespace

TEST(DdplayProgram, GivesDdsValuesForPbnLinAndTheCommandLine) {
    const std::vector<PlayTrace> traces = readPlayTraces();
    ASSERT_EQ(traces.size(), 20u);
    for (const char* file : {"bridge_play20.pbn", "bridge_play20.lin"}) {
        SCOPED_TRACE(file);
        const TableRun run = runDdplay({"--format", "json", "-j", "2", dataFile(file)});
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(run.errors, "");
        const std::vector<std::string> records = lines(run.output);
        ASSERT_EQ(records.size(), traces.size());
        for (size_t board = 0; board < traces.size(); ++board) {
            SCOPED_TRACE("board " + std::to_string(board + 1));
            expectDdsValues(records[board], traces[board]);
        }
    }
    const PlayTrace& trace = traces[2];
    std::string cards;
    for (const auto& card : trace.cards) cards += card.text() + " ";
    const TableRun run = runDdplay(
        {"--format=json", "--deal", trace.dealText, "--strain", ddsolver::strainText(trace.strain),
         "--leader", std::string(1, ddsolver::seatLetter(trace.leader)), "--cards", cards});
    EXPECT_EQ(run.exitStatus, 0);
    expectDdsValues(run.output, trace);
}

// A LIN record with a claim: the claim is set against the double-dummy
// value where it was made (the last value DDS gives for the cards played).
TEST(DdplayProgram, ChecksAClaim) {
    const std::vector<PlayTrace> traces = readPlayTraces();
    std::ifstream in(dataFile("bridge_play20.lin"));
    std::string first;
    std::getline(in, first);
    const TableRun run = runDdplay({"--format", "json"}, first + "mc|9|\n");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(numbers(run.output, "claim"), std::vector<int>{9});
    EXPECT_EQ(numbers(run.output, "claim_double_dummy"),
              std::vector<int>{traces[0].ddsTricks.back()});
    const TableRun text = runDdplay({}, first + "mc|9|\n");
    EXPECT_NE(text.output.find("Claim: 9 tricks for N-S, double dummy " +
                               std::to_string(traces[0].ddsTricks.back()) + " where it was made"),
              std::string::npos)
        << text.output;
}

// A refused board prints nothing and is reported with its place; the
// others are reviewed. Bad options exit with status 2.
TEST(DdplayProgram, ReportsBadBoardsAndOptions) {
    std::ifstream in(dataFile("bridge_play20.lin"));
    std::string first, second;
    std::getline(in, first);
    std::getline(in, second);
    // The first board led with a card its leader (East) does not hold.
    const std::string broken = first.substr(0, first.find("pc|")) + "pc|SA|";
    const TableRun run = runDdplay({"--format", "json", "-"}, broken + "\n" + second + "\n");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(lines(run.output).size(), 1u);
    EXPECT_EQ(run.errors.rfind("ddplay: <stdin>:1: ", 0), 0u) << run.errors;
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1);

    const TableRun missing = runDdplay({dataFile("no-such-file.pbn")});
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_NE(missing.errors.find("cannot be read"), std::string::npos);
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--format", "xml"}, {"-j", "0"}, {"--strain", "S"}, {"--colour"}}) {
        const TableRun bad = runDdplay(arguments);
        EXPECT_EQ(bad.exitStatus, 2) << arguments[0];
        EXPECT_EQ(bad.output, "") << arguments[0];
    }
}
