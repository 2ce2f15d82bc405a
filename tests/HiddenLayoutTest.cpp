// End-to-end tests of the hidden-layout analysis, `ddsolver DEALTEXT a-b
// CONTRACT LEADER`: the histogram against the yes/no reference, ranges,
// contracts, leaders, the deal-text messages, refusals and the stop file.
// Every run has a fresh working directory of its own, because of the stop file.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "analysis/HiddenLayout.h"
#include "apps/ddsolver/HiddenLayoutCommand.h"
#include "core/Permutations.h"
#include "support/HiddenLayoutRuns.h"
#include "support/PrefPositions.h"
#include "support/PrefReference.h"
#include "support/PrefThresholdReference.h"

namespace {

// Deals whose splits the engine solves in well under a millisecond.
// Declarer: ace to jack of suit 0, ace to queen of suit 1, ace and nine of
// suit 2 (its king and queen out of play), ten of suit 3.
const char* const QUICK_DEAL = "akqj.akq.a*k*q9.t";
// The same cards after the declarer has led the ten of suit 3.
const char* const QUICK_DEAL_LED = "akqj.akq.a9*k*q.#t";

// Runs an analysis that must succeed and returns its histogram.
TrickHistogram analyse(const std::string& dealText, const std::string& range,
                       const std::string& contract, const std::string& leader) {
    ProgramRun run = runAnalysis(dealText, range, contract, leader);
    TrickHistogram histogram{};
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    EXPECT_TRUE(readHistogram(run.output, histogram)) << "printed: [" << run.output << "]";
    return histogram;
}

struct ReferenceCase {
    const char* dealText;
    int contract;
    int leader;
    std::vector<int> starts;  // each a range of `length` splits
    int length;
};

}  // namespace

// The reference solves each split on its own, with splits numbered by its own
// walk; ranges spread over the whole order also check the jump to a start.
TEST(HiddenLayout, MatchesReferenceSplitBySplit) {
    const std::vector<ReferenceCase> cases = {
        // No trump, seat 1 leads.
        {QUICK_DEAL, 4, 1, {0, 37000, 61000, 92377, 140000, 184748}, 8},
        // Suit 0 trump, the declarer has led the ace of trumps.
        {"#akqt9.a*k*q.kj.q9", 0, 0, {0, 40000, 92370, 130000, 184748}, 8},
        // Misere, seat 3 leads.
        {"987.97.87*a*k.987", 5, 2, {3, 55555, 100000, 184748}, 8},
        // Suit 2 trump, seat 3 leads.
        {"ak.kq*j*t.aqj98.a", 2, 2, {17, 75000, 150000, 184748}, 8},
        // Suit 0 holds only the absent cards; suit 3 trump, seat 1 leads.
        {"*a*k.aqj.kqjt9.87", 3, 1, {0, 120000, 184748}, 8},
        // Two suit groups only; the defenders hold every trump of suit 3.
        {"kqjt987.aj*k*q7", 3, 1, {0, 99999, 184748}, 8},
    };
    for (const ReferenceCase& c : cases) {
        for (int start : c.starts) {
            const int end = start + c.length;
            const std::string range = std::to_string(start) + "-" + std::to_string(end);
            SCOPED_TRACE(std::string(c.dealText) + " " + range + " " + std::to_string(c.contract) +
                         " " + std::to_string(c.leader));
            EXPECT_EQ(
                histogramText(analyse(c.dealText, range, std::to_string(c.contract),
                                      std::to_string(c.leader))),
                histogramText(referenceHistogram(c.dealText, c.contract, c.leader, start, end)));
        }
    }
}

// The yes/no reference stands in for the minimax reference on whole deals,
// where the minimax one takes up to a minute a split; here the two agree on
// random smaller positions of every kind.
TEST(HiddenLayout, ThresholdReferenceAgreesWithMinimax) {
    std::mt19937 rng(2718);
    for (int round = 0; round < 400; round++) {
        PrefTestPosition p = randomPrefPosition(rng, 1 + round % 6, round % 3);
        PrefReference minimax(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere);
        PrefThresholdReference threshold(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere);
        ASSERT_EQ(threshold.declarerTricks(), minimax.declarerTricks()) << prefPositionString(p);
    }
}

TEST(HiddenLayout, CountsEverySplitOfTheRangeOnce) {
    struct Case {
        const char* range;
        long splits;
    };
    const std::vector<Case> cases = {
        {"0-40", 40},
        {"-3-10", 3},              // the first "-" is a's sign: a = -3, b = 3
        {"184750-184756", 6},      // the last six splits
        {"184750-999999", 6},      // an end past the last split counts nothing twice
        {"184755-4294967296", 1},  // an end beyond int saturates, then is cut
        {"5-5", 0},
        {"7-3", 0},
        {"184756-184800", 0},
        {"4294967297-4294967298", 0},  // saturates to an empty range, not to 1-2
    };
    for (const Case& c : cases) {
        TrickHistogram histogram = analyse(QUICK_DEAL, c.range, "4", "1");
        EXPECT_EQ(histogramTotal(histogram), c.splits) << c.range;
    }
    EXPECT_EQ(runAnalysis(QUICK_DEAL, "7-3", "4", "1").output, "0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_EQ(analyse(QUICK_DEAL, "-3-10", "4", "1"), analyse(QUICK_DEAL, "0-3", "4", "1"));
    EXPECT_EQ(analyse(QUICK_DEAL, "184750-999999", "4", "1"),
              analyse(QUICK_DEAL, "184750-184756", "4", "1"));
}

TEST(HiddenLayout, ConsecutiveRangesAddUp) {
    TrickHistogram first = analyse(QUICK_DEAL, "0-400", "4", "1");
    TrickHistogram second = analyse(QUICK_DEAL, "400-800", "4", "1");
    TrickHistogram whole = analyse(QUICK_DEAL, "0-800", "4", "1");
    for (size_t tricks = 0; tricks < whole.size(); tricks++) {
        EXPECT_EQ(first[tricks] + second[tricks], whole[tricks]) << tricks << " tricks";
    }
    EXPECT_EQ(histogramTotal(whole), 800);
}

// Contract 5 is misere without trump, 4 no trump; anything above 5 is no trump
// too, also a number too large for an int (which must not wrap to suit 0).
TEST(HiddenLayout, ReadsContractsAndLeaders) {
    const std::string range = "90000-90040";
    const TrickHistogram noTrump = analyse(QUICK_DEAL, range, "4", "2");
    for (const char* contract : {"6", "99", "4294967296", " +4", "4x"}) {
        EXPECT_EQ(analyse(QUICK_DEAL, range, contract, "2"), noTrump) << contract;
    }
    EXPECT_EQ(analyse(QUICK_DEAL, range, "5", "2"),
              referenceHistogram(QUICK_DEAL, 5, 2, 90000, 90040));
    for (const char* leader : {" 2", "+2", "2x"}) {
        EXPECT_EQ(analyse(QUICK_DEAL, range, "4", leader), noTrump) << leader;
    }
}

// The lead card stays on the table in every split and its trick counts: the
// declarer, with every trump and the two top cards left in suit 1, leads the
// ace of trumps and takes all ten tricks of every split (hand analysis).
TEST(HiddenLayout, CountsTheTrickOfTheLeadCard) {
    EXPECT_EQ(runAnalysis("#akqjt987.aj*k*q", "1000-1050", "0", "0").output,
              "0 0 0 0 0 0 0 0 0 0 50");
    EXPECT_EQ(analyse(QUICK_DEAL_LED, "0-30", "4", "0"),
              referenceHistogram(QUICK_DEAL_LED, 4, 0, 0, 30));
}

// Each refused deal text prints the deal notation's message on its own line and
// exits with -1 (255), before any look at the other arguments.
TEST(HiddenLayout, ReportsDealTextMessages) {
    struct Case {
        const char* dealText;
        const char* leader;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"", "1", "too few absent cards"},
        {"akqj.akq.a*k9.t", "1", "too few absent cards"},
        {"akqj.akq.a*k*q9.t.", "1", "too many dots"},
        {"akqj.akq.a*k*q9.x", "1", "invalid symbol"},
        {"akqj.akq.a*k*q9.6", "1", "invalid card"},
        {"akqj.akq.a*k*q9.t*", "1", "invalid card"},
        {"akqj.akq.a*k*q*j9.t", "1", "too many absent cards"},
        {"akqjt.akq.a*k*q9.t9", "1", "too many player cards"},
        {"akqj.akq.a*k*q9.#t", "1", "error lead card found when player is not north"},
        {"akqj.akq.a*k*q9.#t", "2", "error lead card found when player is not north"},
        {"akqj.akq.a*k*q.t", "1", "too few player cards"},
        {"akqj.akq.a*k*qa.t", "1", "same card appears two or more times"},
        {"#a#kqj.akq.a*k*q9", "0", "too many lead cards"},
        {"#akqj.akq.a*k*q9.t9", "0", "too many player cards with a lead card"},
    };
    for (const Case& c : cases) {
        for (const char* range : {"0-10", "bad"}) {
            ProgramRun run = runAnalysis(c.dealText, range, "4", c.leader);
            EXPECT_EQ(run.output, std::string(c.message) + "\n") << c.dealText << " " << range;
            EXPECT_EQ(run.exitStatus, 255) << c.dealText;
        }
    }
}

TEST(HiddenLayout, RefusesBadRangeContractAndLeader) {
    struct Case {
        const char* range;
        const char* contract;
        const char* leader;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"100", "4", "1", "error invalid range"},
        {"", "4", "1", "error invalid range"},
        {"0-10", "-1", "1", "error invalid contract"},
        {"0-10", "x", "1", "error invalid contract"},
        {"0-10", "", "1", "error invalid contract"},
        {"0-10", "-", "1", "error invalid contract"},
        {"0-10", "4", "3", "error invalid leader"},
        {"0-10", "4", "-1", "error invalid leader"},
        {"0-10", "4", "x", "error invalid leader"},
        {"0-10", "4", "", "error invalid leader"},
        {"0-10", "4", "4294967297", "error invalid leader"},  // not wrapped to 1
    };
    for (const Case& c : cases) {
        ProgramRun run = runAnalysis(QUICK_DEAL, c.range, c.contract, c.leader);
        EXPECT_EQ(run.output, std::string(c.message) + "\n")
            << c.range << " " << c.contract << " " << c.leader;
        EXPECT_EQ(run.exitStatus, 255);
    }
}

TEST(HiddenLayout, StopFileBeforeTheStartCountsNothing) {
    ScratchDirectory directory;
    directory.createStopFile();
    ProgramRun run = runDdsolver({QUICK_DEAL, "0-100", "4", "1"}, directory.path());
    EXPECT_EQ(run.output, "0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_TRUE(directory.hasStopFile());
}

// A stop file that appears while the whole range runs ends the run early with
// the splits solved so far, and is left in place. The range is a misere's,
// seconds of work on any thread count; the quick deal's whole range now takes
// about a second, too close to the stop file's 300 ms.
TEST(HiddenLayout, StopFileDuringTheRunEndsItEarly) {
    ScratchDirectory directory;
    std::thread stopper([&directory] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        directory.createStopFile();
    });
    ProgramRun run =
        runDdsolver({"97.87*a*k.t987.8k", "0-184756", "5", "1"}, directory.path());
    stopper.join();
    TrickHistogram histogram{};
    EXPECT_EQ(run.exitStatus, 0);
    ASSERT_TRUE(readHistogram(run.output, histogram)) << run.output;
    EXPECT_LT(histogramTotal(histogram), 184756);
    EXPECT_TRUE(directory.hasStopFile());
}

TEST(HiddenLayout, ReadsDecimalsLikeTheCommandLine) {
    struct Case {
        const char* text;
        int value;
        bool digits;
    };
    const std::vector<Case> cases = {
        {"12", 12, true},
        {" \t+12x", 12, true},
        {"-3-10", -3, true},
        {"3-10", 3, true},
        {"", 0, false},
        {"-", 0, false},
        {"x5", 0, false},
        {"- 5", 0, false},
        {"2147483647", INT_MAX, true},
        {"2147483648", INT_MAX, true},
        {"99999999999999999999999", INT_MAX, true},
        {"-2147483648", INT_MIN, true},
        {"-99999999999999999999", INT_MIN, true},
    };
    for (const Case& c : cases) {
        bool digits = !c.digits;
        EXPECT_EQ(readDecimal(c.text, digits), c.value) << c.text;
        EXPECT_EQ(digits, c.digits) << c.text;
    }
}

// Jumping to a split lands where stepping one split at a time gets, for every
// split number.
TEST(HiddenLayout, SeekingASplitMatchesStepping) {
    Permutations stepped(10, 20, COMBINATION);
    Permutations sought(10, 20, COMBINATION);
    int split = 0;
    do {
        seekSplit(sought, split);
        ASSERT_TRUE(std::equal(stepped.current(), stepped.current() + 10, sought.current()))
            << "split " << split;
        split++;
    } while (stepped.next());
    EXPECT_EQ(split, HIDDEN_SPLITS);
}
