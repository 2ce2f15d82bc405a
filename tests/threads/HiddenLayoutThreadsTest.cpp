// The hidden-layout analysis on several threads: the same histograms as on
// one, agreement with the reference on sampled splits, and the stop file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/HiddenLayoutRuns.h"
#include "support/TestScale.h"

namespace {

constexpr int SPLITS = 184756;

struct Analysis {
    std::string dealText;
    std::string range;
    std::string contract;
    std::string leader;
};

// The histogram text of a run with `threads` threads; empty on failure.
std::string analyseOn(const Analysis& a, const char* threads) {
    setenv("DDSOLVER_THREADS", threads, 1);
    ProgramRun run = runAnalysis(a.dealText, a.range, a.contract, a.leader);
    unsetenv("DDSOLVER_THREADS");
    TrickHistogram histogram{};
    if (run.exitStatus != 0 || !readHistogram(run.output, histogram)) return std::string();
    return run.output;
}

// A random deal text: ten declarer cards (the first led, when `withLead`) and
// two cards out of play, ranks ace to seven of four suits.
std::string randomDealText(std::mt19937& rng, bool withLead) {
    const char RANKS[] = "akqjt987";
    int cards[32];
    for (int i = 0; i < 32; i++) cards[i] = i;
    for (int i = 31; i > 0; i--) std::swap(cards[i], cards[rng() % (i + 1)]);
    char role[32] = {};
    for (int i = 0; i < 12; i++) role[cards[i]] = i < 10 ? 'd' : '*';
    if (withLead) role[cards[0]] = '#';
    std::string text;
    for (int s = 0; s < 4; s++) {
        if (s > 0) text += '.';
        for (int r = 0; r < 8; r++) {
            const char x = role[s * 8 + r];
            if (x == 0) continue;
            if (x != 'd') text += x;
            text += RANKS[r];
        }
    }
    return text;
}

}  // namespace

// Every contract (6 plays as no trump), every leader, with and without a lead
// card: one thread and several give the same histogram, byte for byte.
TEST(HiddenLayoutThreads, ThreadCountsGiveTheSameHistogram) {
    std::mt19937 rng(20261208u);
    // Under a sanitizer the seeds still reach every contract and leader.
    const int runs = sampleSize(10, 7);
    const int width = sampleSize(30, 8);
    for (int run = 0; run < runs; run++) {
        const int contract = run % 7;
        const bool withLead = run >= 7 || run == 3;
        const int leader = withLead ? 0 : run % 3;
        const int start = static_cast<int>(rng() % (SPLITS - width));
        const Analysis a{randomDealText(rng, withLead),
                         std::to_string(start) + "-" + std::to_string(start + width),
                         std::to_string(contract), std::to_string(leader)};
        SCOPED_TRACE(a.dealText + " " + a.range + " " + a.contract + " " + a.leader);
        const std::string one = analyseOn(a, "1");
        ASSERT_FALSE(one.empty());
        EXPECT_EQ(analyseOn(a, "3"), one);
    }
}

// Sampled splits on three threads against the yes/no reference, which solves
// each split on its own.
TEST(HiddenLayoutThreads, AgreesWithReferenceOnSampledSplits) {
    struct Case {
        const char* dealText;
        int contract;
        int leader;
        int start;
    };
    const Case cases[] = {
        {"97.87*a*k.t987.8k", 5, 1, 90000},
        {"aqjt9.ak*7*8.kq.a", 0, 1, 184740},
        {"#akqt9.a*k*q.kj.q9", 0, 0, 5000},
        {"kq9*87.j.akt.a*k8", 4, 2, 120000},
    };
    for (const Case& c : cases) {
        const int end = c.start + 9;
        const Analysis a{c.dealText, std::to_string(c.start) + "-" + std::to_string(end),
                         std::to_string(c.contract), std::to_string(c.leader)};
        SCOPED_TRACE(a.dealText + " " + a.range);
        EXPECT_EQ(analyseOn(a, "3"), histogramText(referenceHistogram(c.dealText, c.contract,
                                                                      c.leader, c.start, end)));
    }
}

// Misere workers share one table and take the range in blocks: a range of
// several blocks on three threads, where each worker finds entries the
// others stored, against the reference.
TEST(HiddenLayoutThreads, SharedMisereTableMatchesReference) {
    const int width = sampleSize(130, 70);
    for (const char* dealText : {"97.87*a*k.t987.8k", "98q.q*a.q9*j.7qkt"}) {
        const int start = 61000;
        const Analysis a{dealText, std::to_string(start) + "-" + std::to_string(start + width),
                         "5", "1"};
        SCOPED_TRACE(a.dealText + " " + a.range);
        EXPECT_EQ(analyseOn(a, "3"), histogramText(referenceHistogram(a.dealText, 5, 1, start,
                                                                      start + width)));
    }
}

// Longer ranges on one thread, where the table carries most from split to
// split, against the reference solving every split afresh: seeded random
// deals of each contract, and a trump deal where a partner's forced ruff
// once took the lead from the player cashing his winners.
TEST(HiddenLayoutThreads, WarmTableMatchesReferenceOverLongerRanges) {
    std::mt19937 rng(4242u);
    std::vector<Analysis> runs = {{"aqt8.at*8.a*t7.kq", "96330-96390", "3", "0"}};
    const int width = sampleSize(40, 10);
    for (int contract = 0; contract <= 5; contract++) {
        const int start = static_cast<int>(rng() % (SPLITS - width));
        runs.push_back({randomDealText(rng, contract == 2),
                        std::to_string(start) + "-" + std::to_string(start + width),
                        std::to_string(contract),
                        std::to_string(contract == 2 ? 0 : contract % 3)});
    }
    for (const Analysis& a : runs) {
        SCOPED_TRACE(a.dealText + " " + a.range + " " + a.contract + " " + a.leader);
        const int first = std::stoi(a.range);
        const int end = std::stoi(a.range.substr(a.range.find('-') + 1));
        EXPECT_EQ(analyseOn(a, "1"),
                  histogramText(referenceHistogram(a.dealText, std::stoi(a.contract),
                                                   std::stoi(a.leader), first, end)));
    }
}

// A stop file made while several threads work ends the run: the histogram
// counts the splits solved, some but not all of the range (minutes of work).
// A slow machine may solve nothing before the stop file appears, so the delay
// grows until some splits are counted.
TEST(HiddenLayoutThreads, StopFileEndsAThreadedRun) {
    long total = 0;
    for (int delayMs = 400; delayMs <= 25600 && total == 0; delayMs *= 4) {
        ScratchDirectory directory;
        std::thread stopper([&directory, delayMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            directory.createStopFile();
        });
        setenv("DDSOLVER_THREADS", "3", 1);
        ProgramRun run = runDdsolver({"97.87*a*k.t987.8k", "0-184756", "5", "1"}, directory.path());
        unsetenv("DDSOLVER_THREADS");
        stopper.join();
        TrickHistogram histogram{};
        EXPECT_EQ(run.exitStatus, 0);
        ASSERT_TRUE(readHistogram(run.output, histogram)) << run.output;
        total = histogramTotal(histogram);
        EXPECT_LT(total, SPLITS);
    }
    EXPECT_GT(total, 0);
}
