// Offline driver for the exhaustive full-deal reference: checks it against a
// published double-dummy table, and writes tables for seeded random deals.
//
//   bridge_tables validate FILE [FIRST_LINE [LINE_COUNT]]
//       Solves each line's deal for the four leaders and compares with the
//       line's numbers; prints each line's time. Exit status 1 on any mismatch.
//   bridge_tables generate SEED DEALS
//       Prints table lines for DEALS random full deals drawn from SEED, each
//       solved in two strains: one drawn from the suits, and no trump.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/BridgeDealText.h"
#include "support/BridgeFullDeal.h"
#include "support/RandomBridgePositions.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int validate(const std::string& path, size_t first, size_t count) {
    std::vector<bridgeref::TableLine> lines;
    std::string error;
    if (!bridgeref::readTableFile(path, &lines, &error)) {
        std::printf("%s\n", error.c_str());
        return 2;
    }
    bridgeref::FullDealSolver solver(22);
    int mismatches = 0;
    size_t checked = 0;
    Clock::time_point allStart = Clock::now();
    for (size_t i = first; i < lines.size() && checked < count; ++i, ++checked) {
        Clock::time_point start = Clock::now();
        std::array<int, 4> tricks{};
        if (!solver.tableNumbers(lines[i].position, &tricks)) {
            std::printf("line %zu: position refused\n", i + 1);
            ++mismatches;
            continue;
        }
        bool same = tricks == lines[i].tricks;
        mismatches += same ? 0 : 1;
        std::printf("line %zu: %d %d %d %d (table %d %d %d %d) %s %.2f s\n", i + 1, tricks[0],
                    tricks[1], tricks[2], tricks[3], lines[i].tricks[0], lines[i].tricks[1],
                    lines[i].tricks[2], lines[i].tricks[3], same ? "ok" : "MISMATCH",
                    secondsSince(start));
        std::fflush(stdout);
    }
    std::printf("%zu lines, %d mismatches, %.1f s, %llu nodes\n", checked, mismatches,
                secondsSince(allStart), static_cast<unsigned long long>(solver.nodeCount()));
    return mismatches == 0 ? 0 : 1;
}

int generate(unsigned long long seed, int deals) {
    bridgeref::TestRandom random(seed);
    bridgeref::FullDealSolver solver(22);
    for (int i = 0; i < deals; ++i) {
        bridgeref::Position deal = bridgeref::randomFullDeal(random, bridgeref::NO_TRUMP, 0);
        int strains[2] = {random.below(4), bridgeref::NO_TRUMP};
        for (int trump : strains) {
            deal.trump = trump;
            std::array<int, 4> tricks{};
            if (!solver.tableNumbers(deal, &tricks)) return 2;
            std::printf("%s\n", bridgeref::formatTableLine(deal, tricks).c_str());
            std::fflush(stdout);
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "validate" && argc >= 3 && argc <= 5) {
        size_t first = argc > 3 ? std::strtoul(argv[3], nullptr, 10) - 1 : 0;
        size_t count = argc > 4 ? std::strtoul(argv[4], nullptr, 10) : static_cast<size_t>(-1);
        return validate(argv[2], first, count);
    }
    if (mode == "generate" && argc == 4) {
        return generate(std::strtoull(argv[2], nullptr, 10), std::atoi(argv[3]));
    }
    std::printf(
        "usage: bridge_tables validate FILE [FIRST_LINE [LINE_COUNT]]\n"
        "       bridge_tables generate SEED DEALS\n");
    return 2;
}
