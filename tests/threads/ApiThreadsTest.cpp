// The public calls on threads: two bridge and two preferans solver objects
// at work at once, each on its own thread, give the answers worked out
// beforehand on one thread by the references (and the published table
// counts); the hidden-layout analysis counts the same on one thread and on
// two, and stops where its stop check says.
#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <random>
#include <thread>

#include "ddsolver/ddsolver.h"
#include "support/ApiPositions.h"
#include "support/BridgeSolveSupport.h"
#include "support/PrefReference.h"
#include "support/RandomBridgePositions.h"
#include "support/TestScale.h"

using namespace ddsolver;

TEST(ApiThreads, FourSolversAtOnceGiveTheReferenceAnswers) {
    const std::vector<bridgeref::TableLine> lines = tableLines("bridge_tables10.tsv", 50);
    const int smallPositions = sampleSize(20, 8);
    // One answer per line of text: threads 0 and 1 bridge, 2 and 3 preferans.
    std::vector<bridgeref::Position> bridgeWork[2];
    std::vector<PrefTestPosition> prefWork[2];
    std::vector<std::string> expected[4], found[4];
    bridgeref::TestRandom random(0x7EAD);
    std::mt19937 rng(0x7EAD);
    for (int t = 0; t < 2; ++t) {
        for (size_t line : {13 * t + 4, 17 * t + 27}) {  // different deals and strains
            for (int leader = 0; leader < 4; ++leader) {
                bridgeWork[t].push_back(lines[line].position);
                bridgeWork[t].back().leader = leader;
                expected[t].push_back(std::to_string(lines[line].tricks[leader]));
            }
        }
        for (int i = 0; i < smallPositions; ++i) {
            bridgeWork[t].push_back(bridgeref::randomPosition(random, 5));
            std::vector<bridgeref::CardValue> values;
            ASSERT_TRUE(bridgeref::evaluateCards(bridgeWork[t].back(), &values));
            expected[t].push_back(valuesText(bestFirst(values)));

            const PrefTestPosition& p =
                prefWork[t].emplace_back(randomPrefPosition(rng, 3 + i % 4, i % 3));
            PrefReference reference(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere);
            expected[2 + t].push_back(std::to_string(reference.declarerTricks()) + " " +
                                      valuesText(prefReferenceValues(p)));
        }
    }
    auto bridgeThread = [&](int t) {
        BridgeSolver solver;
        for (const bridgeref::Position& ref : bridgeWork[t]) {
            BridgeResult result;
            std::vector<CardValue> values;
            if (bridgeref::tricksLeft(ref) == 13) {  // published: the side not leading
                if (solver.solve(apiPosition(ref), result) != Status::Ok) continue;
                found[t].push_back(
                    std::to_string(ref.leader % 2 ? result.northSouth : result.eastWest));
            } else if (solver.cardValues(apiPosition(ref), values) == Status::Ok) {
                found[t].push_back(valuesText(values));
            }
        }
    };
    auto prefThread = [&](int t) {
        PrefSolver solver;
        for (const PrefTestPosition& p : prefWork[t]) {
            PrefResult result;
            std::vector<CardValue> values;
            if (solver.solve(apiPosition(p), apiContract(p), result) != Status::Ok ||
                solver.cardValues(apiPosition(p), apiContract(p), values) != Status::Ok)
                continue;
            found[2 + t].push_back(std::to_string(result.declarer) + " " + valuesText(values));
        }
    };
    std::vector<std::thread> workers;
    for (int t = 0; t < 2; ++t) {
        workers.emplace_back(bridgeThread, t);
        workers.emplace_back(prefThread, t);
    }
    for (std::thread& worker : workers) worker.join();
    for (int t = 0; t < 4; ++t) EXPECT_EQ(found[t], expected[t]) << "thread " << t;
}

// The bench's trump deal (spades, East leads), 300 splits.
TEST(ApiThreads, HistogramOnOneOrTwoThreadsAndStopped) {
    const char* const deal = "aqjt9.ak*7*8.kq.a";
    const PrefContract spades{Strain::Spades, false, Seat::North};
    const int first = 20000, end = 20300;
    auto total = [](const PrefHistogram& h) { return std::accumulate(h.begin(), h.end(), 0ull); };
    PrefHistogram one{}, two{};
    ASSERT_EQ(prefHistogram(deal, spades, Seat::East, first, end, 1, nullptr, one), Status::Ok);
    ASSERT_EQ(prefHistogram(deal, spades, Seat::East, first, end, 2, nullptr, two), Status::Ok);
    EXPECT_EQ(one, two);
    EXPECT_EQ(total(one), 300u);
    for (int threads : {1, 2}) {
        // Each worker asks before every split: the first 100 answers let it go on.
        std::atomic<int> calls{0};
        const StopCheck stop = [&calls] { return calls.fetch_add(1) >= 100; };
        PrefHistogram stopped{};
        ASSERT_EQ(prefHistogram(deal, spades, Seat::East, first, end, threads, stop, stopped),
                  Status::Ok);
        EXPECT_EQ(total(stopped), 100u) << threads << " threads";
        for (int tricks = 0; tricks <= 10; ++tricks)
            EXPECT_LE(stopped[tricks], one[tricks])
                << tricks << " tricks, " << threads << " threads";
    }
}
