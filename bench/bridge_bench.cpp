// Times bridge solving as the program does it: a fixed seeded set of random
// full deals, each solved in five strains for the four opening leaders, with
// the tables allocated per deal and strain. Prints time per deal and strain,
// nodes per second, the total node count (the signature a pure speed change
// keeps), peak memory, and the share of allocating and clearing the table.
// Usage: bridge_bench [deals] (default 50).
//        bridge_bench --counters [deals] (default 10): the same requests on
//        the engine, its search counted by tricks left, in a build with
//        -DDDSOLVER_BRIDGE_COUNTERS=ON.
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "bridge/Engine.h"
#include "ddsolver/compat/BridgePosition.h"

namespace {

constexpr int LIFECYCLE_ROUNDS = 7;

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// One request of the program: tables, four leaders, release. Adds the nodes.
bool solveRequest(const std::vector<int>& deal, int trump, long long& nodes) {
    if (!BridgePosition::allocateTables()) return false;
    for (int leader = 0; leader < 4; ++leader) {
        BridgePosition::solve(deal.data(), static_cast<char>(trump), leader, 0, true, false,
                              leader == 0);
        nodes += BridgePosition::NodeCount;
    }
    BridgePosition::freeTables();
    return true;
}

// The fixed cost of a request: reserving the table, a one-trick solve (which
// clears it) and release, with the page faults they cause.
void reportLifecycle(double medianRequest) {
    std::vector<double> allocate, clear, release;
    long faults = 0;
    int oneTrick[52] = {};
    for (int seat = 0; seat < 4; ++seat) oneTrick[seat * 13] = seat + 1;
    for (int round = 0; round < LIFECYCLE_ROUNDS; ++round) {
        Clock::time_point t0 = Clock::now();
        if (!BridgePosition::allocateTables()) return;
        Clock::time_point t1 = Clock::now();
        long before = minorFaults();
        BridgePosition::solve(oneTrick, 4, 0, 0, true, false, true);
        faults = minorFaults() - before;
        Clock::time_point t2 = Clock::now();
        BridgePosition::freeTables();
        Clock::time_point t3 = Clock::now();
        allocate.push_back(milliseconds(t0, t1));
        clear.push_back(milliseconds(t1, t2));
        release.push_back(milliseconds(t2, t3));
    }
    double fixed = median(allocate) + median(clear) + median(release);
    std::printf(
        "table lifecycle (median of %d): allocate %.3f ms, first solve with its clear %.3f ms "
        "(%ld page faults), release %.3f ms\n",
        LIFECYCLE_ROUNDS, median(allocate), median(clear), faults, median(release));
    std::printf("table lifecycle share of the median request: %.1f%%\n",
                100.0 * fixed / medianRequest);
}

// The bench's requests on an engine of their own each, their counters added.
void printCounters(int deals) {
#ifndef DDSOLVER_BRIDGE_COUNTERS
    static_cast<void>(deals);
    std::printf("the counters need a build with -DDDSOLVER_BRIDGE_COUNTERS=ON\n");
#else
    uint64_t state = BRIDGE_BENCH_SEED;
    bridge::SearchCounters total;
    for (int d = 0; d < deals; ++d) {
        std::vector<int> deal = randomFullDeal(state);
        for (int trump = 0; trump <= 4; ++trump) {
            bridge::Engine engine;
            bridge::Result result;
            for (int leader = 0; leader < 4; ++leader) {
                engine.solve(deal.data(), trump, leader, leader == 0, result);
            }
            const bridge::SearchCounters& c = engine.counters();
            for (int t = 0; t < 14; ++t) {
                total.nodes[t] += c.nodes[t];
                total.sureCuts[t] += c.sureCuts[t];
                total.probes[t] += c.probes[t];
                total.hits[t] += c.hits[t];
                total.wrongBound[t] += c.wrongBound[t];
                total.notCovered[t] += c.notCovered[t];
                total.noEntry[t] += c.noEntry[t];
            }
        }
    }
    std::printf("%d deals x 5 strains x 4 leaders, seed %llu\n", deals,
                static_cast<unsigned long long>(BRIDGE_BENCH_SEED));
    std::printf("tricks       nodes   sure cuts      probes        hits  wrong bound  not covered"
                "    no entry\n");
    for (int t = 13; t >= 1; --t) {
        if (total.nodes[t] == 0) continue;
        std::printf("%6d %11lld %11lld %11lld %11lld %12lld %12lld %11lld\n", t, total.nodes[t],
                    total.sureCuts[t], total.probes[t], total.hits[t], total.wrongBound[t],
                    total.notCovered[t], total.noEntry[t]);
    }
#endif
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--counters") {
        printCounters(argc > 2 ? std::max(1, std::atoi(argv[2])) : 10);
        return 0;
    }
    const int deals = argc > 1 ? std::atoi(argv[1]) : 50;
    uint64_t state = BRIDGE_BENCH_SEED;
    std::vector<double> perRequest;
    long long nodes = 0;
    Clock::time_point start = Clock::now();
    for (int d = 0; d < deals; ++d) {
        std::vector<int> deal = randomFullDeal(state);
        for (int trump = 0; trump <= 4; ++trump) {
            Clock::time_point t0 = Clock::now();
            if (!solveRequest(deal, trump, nodes)) {
                std::printf("!BridgePosition::allocateTables()\n");
                return 1;
            }
            perRequest.push_back(milliseconds(t0, Clock::now()));
        }
    }
    double total = milliseconds(start, Clock::now());
    double mean = total / static_cast<double>(perRequest.size());
    std::printf("bridge_bench: %d deals x 5 strains x 4 leaders, seed %llu\n", deals,
                static_cast<unsigned long long>(BRIDGE_BENCH_SEED));
    std::printf("per deal and strain: mean %.1f ms, median %.1f ms\n", mean, median(perRequest));
    std::printf("nodes per second: %.0f\n", static_cast<double>(nodes) / (total / 1000.0));
    std::printf("signature (total NodeCount): %lld\n", nodes);
    std::printf("peak memory: %ld KiB\n", peakKilobytes());
    reportLifecycle(median(perRequest));
    return 0;
}
