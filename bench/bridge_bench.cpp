// Times bridge solving as the program does it: a fixed seeded set of random
// full deals, each solved in five strains for the four opening leaders, with
// the tables allocated per deal and strain. Prints time per deal and strain,
// nodes per second, the total node count (the signature a pure speed change
// keeps), peak memory, and the share of allocating and clearing the table.
// Usage: bridge_bench [deals] (default 50).
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchSupport.h"
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

}  // namespace

int main(int argc, char** argv) {
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
