// The simulation program end to end: refusals in one line with status 2,
// deals that do not depend on the thread count, report figures that follow
// from the per-deal file, reports of ranges that add up, a stopped run's
// partial report.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "apps/common/Json.h"
#include "ddsolver/Simulation.h"
#include "support/RunProgram.h"
#include "support/RunTable.h"

using namespace ddsolver;

namespace {

const char* const TWO_HANDS = "N:AKQ2.K32.A52.K32 - J54.AQ5.KQ4.AJ5 -";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) out.push_back(field);
    return out;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

apps::JsonValue json(const TableRun& run) {
    apps::JsonValue value;
    std::string error;
    EXPECT_TRUE(apps::readJson(run.output, value, error)) << error << "\n" << run.output;
    return value;
}

}  // namespace

TEST(DdsimProgram, RefusesBadInputInOneLine) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--contract", "4X-N"}, "unknown contract \"4X-N\""},
        {{"--where", "hcp(N) >= (15"}, "--where: column 14: "},
        {{"--where", "hcp(N) >= 15 &&"}, "--where: column 16: "},
        {{"--deal", "N:AKQX... - - -"}, "--deal: "},
        {{"--deal", "N:AK.A2.. - QJ.K3.. -", "--unseen", "T987.QJT9.8.."}, "--deal/--unseen: "},
        {{"--exact"}, "more than the 10000000 an exact run takes"},
        {{"-n", "0"}, "-n needs"},
        {{"-n", "5", "--range", "0-5"}, "either -n or --range"},
        {{"--range", "9-5"}, "--range needs"},
        {{"-j", "0"}, "-j needs"},
        {{"--vul", "Some"}, "unknown vulnerability"},
        {{"--format", "xml"}, "unknown format"},
        {{"--table=1"}, "--table takes no value"},
        {{"--compare", "4S-N"}, "--compare needs a value"},
        {{"--compare", "4S-N", "4S-N"}, "two different contracts"},
        {{"--bogus"}, "unknown option --bogus"},
        {{"--leads", "W"}, "--leads needs a contract"},
        {{"--deal", TWO_HANDS, "--leads", "W", "--contract", "4S-N"}, "--leads: "},
        {{"--deal", TWO_HANDS, "--leads", "E", "--contract", "4S-N"}, "--leads: "},
        {{"--merge"}, "--merge needs"},
    };
    for (const auto& c : cases) {
        const TableRun run = runDdsim(c.args);
        std::string shown;
        for (const std::string& arg : c.args) shown += arg + " ";
        EXPECT_EQ(run.exitStatus, 2) << shown;
        EXPECT_EQ(run.output, "") << shown;
        EXPECT_EQ(run.errors.find("ddsim: "), 0u) << shown << run.errors;
        EXPECT_NE(run.errors.find(c.message), std::string::npos) << shown << run.errors;
        EXPECT_EQ(lines(run.errors).size(), 1u) << shown << run.errors;
    }
    const TableRun missing = runDdsim({"--merge", "/nonexistent/a.json"});
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_NE(missing.errors.find("cannot be read"), std::string::npos);
}

// With nothing to solve the deals are the output: the known hands kept, the
// constraint met, the same deals on one thread or two, a range a slice of them.
TEST(DdsimProgram, DealsOnlyAndTheSameWhateverTheThreads) {
    const std::vector<std::string> base = {"--deal",         TWO_HANDS, "--where",
                                           "spades(E) >= 5", "--seed",  "3"};
    auto run = [&](std::vector<std::string> more) {
        std::vector<std::string> args = base;
        args.insert(args.end(), more.begin(), more.end());
        const TableRun result = runDdsim(args);
        EXPECT_EQ(result.exitStatus, 0) << result.errors;
        return lines(result.output);
    };
    const std::vector<std::string> one = run({"-n", "40", "-j", "1"});
    ASSERT_EQ(one.size(), 40u);
    EXPECT_EQ(run({"-n", "40", "-j", "2"}), one);
    const std::vector<std::string> slice = run({"--range", "10-13"});
    EXPECT_EQ(slice, std::vector<std::string>(one.begin() + 10, one.begin() + 13));
    for (size_t i = 0; i < one.size(); ++i) {
        const std::vector<std::string> f = fields(one[i]);
        ASSERT_EQ(f.size(), 2u) << one[i];
        EXPECT_EQ(f[0], std::to_string(i));
        Deal deal;
        ASSERT_EQ(Deal::fromPbn(f[1], deal), Status::Ok) << f[1];
        Deal known;
        ASSERT_EQ(
            Deal::fromPbn("N:AKQ2.K32.A52.K32 ... J54.AQ5.KQ4.AJ5 ...", known, DealSize::Ending),
            Status::Ok);
        EXPECT_EQ(deal.cards(Seat::North), known.cards(Seat::North));
        // South's twelve known cards, and one more.
        EXPECT_EQ(deal.cards(Seat::South) & known.cards(Seat::South), known.cards(Seat::South));
        EXPECT_GE(deal.count(Seat::East, Suit::Spades), 5) << f[1];
    }
}

// The JSON figures follow from the per-deal lines, and the reports of two
// ranges merge into the report of both.
TEST(DdsimProgram, ReportFollowsFromDealsAndRangesMerge) {
    const std::string dir = makeTemporaryDirectory();
    const std::vector<std::string> base = {
        "--deal", TWO_HANDS, "--contract", "3N-S", "--contract", "4S-N", "--compare",
        "4S-N",   "3N-S",    "--vul",      "NS",   "--format",   "json", "--quiet"};
    auto run = [&](const std::string& range, const std::string& name) {
        std::vector<std::string> args = base;
        args.insert(args.end(), {"--range", range, "--per-deal", dir + "/" + name + ".tsv"});
        const TableRun result = runDdsim(args);
        EXPECT_EQ(result.exitStatus, 0) << result.errors;
        std::ofstream(dir + "/" + name + ".json") << result.output;
        return result;
    };
    const TableRun whole = run("0-24", "whole");
    const apps::JsonValue report = json(whole);
    EXPECT_EQ(report["deals"].number, 24);
    EXPECT_FALSE(report["partial"].boolean);

    // Recompute from the per-deal file: histograms, make rates, scores, IMPs.
    std::array<std::array<int, 14>, 2> histogram{};
    double imps = 0, matchpoints = 0, score[2] = {0, 0};
    const SimContract contracts[2] = {{3, Strain::NoTrump, Seat::South},
                                      {4, Strain::Spades, Seat::North}};
    const std::vector<std::string> deals = lines(readFile(dir + "/whole.tsv"));
    ASSERT_EQ(deals.size(), 24u);
    for (const std::string& line : deals) {
        const std::vector<std::string> f = fields(line);
        ASSERT_EQ(f.size(), 4u) << line;
        int scores[2];
        for (int c = 0; c < 2; ++c) {
            const int tricks = std::stoi(f[2 + c]);
            ++histogram[c][tricks];
            scores[c] = contractScore(contracts[c], tricks, true);
            score[c] += scores[c];
        }
        imps += impsFor(scores[1] - scores[0]);
        matchpoints += scores[1] > scores[0] ? 1 : scores[1] == scores[0] ? 0.5 : 0;
    }
    for (int c = 0; c < 2; ++c) {
        const apps::JsonValue& contract = report["contracts"].items.at(c);
        int makes = 0;
        for (int t = 0; t <= 13; ++t) {
            EXPECT_EQ(contract["tricks"].items.at(t).number, histogram[c][t]) << c << " " << t;
            if (t >= contracts[c].level + 6) makes += histogram[c][t];
        }
        EXPECT_NEAR(contract["make_pct"].number, 100.0 * makes / 24, 0.01);
        EXPECT_NEAR(contract["avg_score"].number, score[c] / 24, 0.01);
    }
    EXPECT_EQ(report["compare"]["first"].text, "4S-N");
    EXPECT_NEAR(report["compare"]["imps"].number, imps / 24, 0.001);
    EXPECT_NEAR(report["compare"]["mp_share"].number, matchpoints / 24, 0.0001);

    run("0-10", "a");
    run("10-24", "b");
    const TableRun merged =
        runDdsim({"--merge", dir + "/b.json", dir + "/a.json", "--format", "json"});
    EXPECT_EQ(merged.exitStatus, 0) << merged.errors;
    EXPECT_EQ(merged.output, whole.output);
    EXPECT_EQ(readFile(dir + "/a.tsv") + readFile(dir + "/b.tsv"), readFile(dir + "/whole.tsv"));
    // Overlapping ranges do not add up.
    const TableRun overlap = runDdsim({"--merge", dir + "/whole.json", dir + "/a.json"});
    EXPECT_EQ(overlap.exitStatus, 2);
}

// An exact run takes each of the 70 layouts of the ending once, the
// constraint keeping half; the text report draws the histogram.
TEST(DdsimProgram, ExactRunOfAnEnding) {
    const TableRun run =
        runDdsim({"--deal", "N:AK.A2.. - QJ.K3.. -", "--unseen", "T987.QJT9..", "--exact",
                  "--where", "hascard(E, ST)", "--contract", "1N-N", "--format", "json"});
    EXPECT_EQ(run.exitStatus, 0) << run.errors;
    const apps::JsonValue report = json(run);
    EXPECT_EQ(report["deals"].number, 35);
    EXPECT_TRUE(report["exact"].boolean);
    EXPECT_EQ(report["range"].items.at(1).number, 70);

    const TableRun text = runDdsim({"--deal", "N:AK.A2.. - QJ.K3.. -", "--unseen", "T987.QJT9..",
                                    "--exact", "--contract", "1N-N", "--leads", "E"});
    EXPECT_EQ(text.exitStatus, 2);  // East is not known
    const TableRun shown = runDdsim({"--deal", "N:AK.A2.. - QJ.K3.. -", "--unseen", "T987.QJT9..",
                                     "--exact", "--contract", "1N-N"});
    EXPECT_EQ(shown.exitStatus, 0);
    EXPECT_NE(shown.output.find("70 deals"), std::string::npos) << shown.output;
    EXPECT_NE(shown.output.find("#"), std::string::npos);
    EXPECT_NE(shown.output.find("makes "), std::string::npos);
}

// SIGTERM stops a long run: the report covers the deals solved, marked partial.
TEST(DdsimProgram, StoppedRunReportsWhatItSolved) {
    const std::string dir = makeTemporaryDirectory();
    std::ofstream(dir + "/run.sh")
        << "'" << DDSIM_PATH << "' -n 1000000 --contract 3N-S --format json -j 2 >'" << dir
        << "/out' 2>/dev/null & pid=$!\nsleep 2\nkill -TERM $pid\n"
           "wait $pid\n";
    const int status = std::system(("bash '" + dir + "/run.sh'").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 128 + 15);
    apps::JsonValue report;
    std::string error;
    ASSERT_TRUE(apps::readJson(readFile(dir + "/out"), report, error)) << error;
    EXPECT_TRUE(report["partial"].boolean);
    const double deals = report["deals"].number;
    EXPECT_GT(deals, 0);
    EXPECT_LT(deals, 1000000);
    double counted = 0;
    for (const apps::JsonValue& count : report["contracts"].items.at(0)["tricks"].items)
        counted += count.number;
    EXPECT_EQ(counted, deals);
}
