// Times the bridge solver's table work: the per-deal builds a solve makes
// (comparison table, suit codes, suit lists, orders and records) over a fixed
// seeded set of deals, and the allocation, first clear and release of the
// transposition table with the pattern tables. Prints medians.
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "BenchSupport.h"
#include "bridge/Internal.h"

using namespace bridge;

namespace {

constexpr int DEALS = 200;
constexpr int PASSES = 5;
constexpr int LIFECYCLE_ROUNDS = 5;

// Deals of 13 down to 1 tricks per seat, the rest of the deck out of play.
std::vector<std::vector<int>> makeDeals() {
    std::mt19937 rng(20240611);
    std::vector<std::vector<int>> deals;
    for (int d = 0; d < DEALS; ++d) {
        std::vector<int> cards(52);
        for (int i = 0; i < 52; ++i) cards[i] = i;
        std::shuffle(cards.begin(), cards.end(), rng);
        std::vector<int> deal(52, 0);
        int tricks = 13 - d % 13;
        for (int i = 0; i < 4 * tricks; ++i) deal[cards[i]] = i % 4 + 1;
        deals.push_back(deal);
    }
    return deals;
}

struct Sample {
    double compare, codes, lists, total;
};

Sample buildOnce(const std::vector<int>& deal, int trump, int leader) {
    Item* trickCards[4];
    Clock::time_point t0 = Clock::now();
    buildCompareTable(trump);
    Clock::time_point t1 = Clock::now();
    buildSuitCodes(deal.data());
    Clock::time_point t2 = Clock::now();
    buildSuitLists(deal.data(), leader, trickCards);
    buildWhoArray(leader);
    linkRecords();
    setRootOrder(P[13]);
    Clock::time_point t3 = Clock::now();
    return {microseconds(t0, t1), microseconds(t1, t2), microseconds(t2, t3), microseconds(t0, t3)};
}

void benchPerDealBuilds() {
    std::vector<std::vector<int>> deals = makeDeals();
    std::vector<double> compare, codes, lists, total;
    for (int pass = 0; pass < PASSES; ++pass) {
        for (int d = 0; d < DEALS; ++d) {
            Sample s = buildOnce(deals[d], d % 5, d % 4);
            compare.push_back(s.compare);
            codes.push_back(s.codes);
            lists.push_back(s.lists);
            total.push_back(s.total);
        }
    }
    std::printf("per-deal builds, %d deals x %d passes (median us per solve):\n", DEALS, PASSES);
    std::printf("  CompareTable for one trump  %8.2f\n", median(compare));
    std::printf("  suit codes of four suits    %8.2f\n", median(codes));
    std::printf("  suit lists, orders, records %8.2f\n", median(lists));
    std::printf("  all per-deal tables         %8.2f\n", median(total));
}

void benchLifecycle() {
    std::vector<double> allocate, firstClear, secondClear, release;
    for (int round = 0; round < LIFECYCLE_ROUNDS; ++round) {
        Clock::time_point t0 = Clock::now();
        if (!BridgePosition::allocateTables()) {
            std::printf("allocateTables failed\n");
            return;
        }
        Clock::time_point t1 = Clock::now();
        clearHashTable();
        Clock::time_point t2 = Clock::now();
        clearHashTable();
        Clock::time_point t3 = Clock::now();
        BridgePosition::freeTables();
        Clock::time_point t4 = Clock::now();
        allocate.push_back(microseconds(t0, t1));
        firstClear.push_back(microseconds(t1, t2));
        secondClear.push_back(microseconds(t2, t3));
        release.push_back(microseconds(t3, t4));
    }
    std::printf("table lifecycle, %d rounds (median us):\n", LIFECYCLE_ROUNDS);
    std::printf("  allocateTables (272 MiB + pattern tables) %10.1f\n", median(allocate));
    std::printf("  first full clear (touches every page)     %10.1f\n", median(firstClear));
    std::printf("  second full clear                         %10.1f\n", median(secondClear));
    std::printf("  freeTables                                %10.1f\n", median(release));
}

}  // namespace

int main() {
    // The suit codes need the mask tables that allocateTables builds.
    buildLastBitCode();
    buildEnumerationArray();
    benchPerDealBuilds();
    benchLifecycle();
    return 0;
}
