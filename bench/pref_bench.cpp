// Preferans solver benchmark: a fixed, seeded set of full ten-card deals
// (trump, no trump and misere; every leader and declarer seat), each solved
// once from the first trick. Prints the time per solve and a signature (results
// and node count) that must not change when only the speed changes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "BenchSupport.h"
#include "ddsolver/compat/PrefPosition.h"

namespace {

struct BenchDeal {
    int deal[52];
    int trump;
    int leaderSeat;
    int declarerSeat;
    bool misere;
};

// The same deals on every platform: std::mt19937's output is fixed by the
// standard, and the shuffle below uses it directly.
std::vector<BenchDeal> makeDeals(int count, uint32_t seed) {
    std::mt19937 rng(seed);
    const int seats[3] = {0, 1, 3};
    std::vector<BenchDeal> deals(count);
    for (BenchDeal& d : deals) {
        int cards[32];
        for (int i = 0; i < 32; i++) cards[i] = (i / 8) * 13 + i % 8;
        for (int i = 31; i > 0; i--) std::swap(cards[i], cards[rng() % (i + 1)]);
        std::fill(d.deal, d.deal + 52, 0);
        for (int i = 0; i < 30; i++) d.deal[cards[i]] = seats[i % 3] + 1;
        uint32_t contract = rng() % 6;  // 0 to 3 a suit, 4 no trump, 5 misere
        d.misere = contract == 5;
        d.trump = d.misere ? 4 : static_cast<int>(contract);
        d.leaderSeat = seats[rng() % 3];
        d.declarerSeat = seats[rng() % 3];
    }
    return deals;
}

// Mean time of a solve with one trick left: the fixed cost of every solve,
// which the many quick solves of a layout analysis pay over and over.
double setupMicros() {
    int deal[52] = {0};
    deal[0] = 1;
    deal[1] = 2;
    deal[2] = 4;
    const int repeats = 20000;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < repeats; i++) PrefPosition::solve(deal, 4, 0, 0, false, true);
    return microseconds(start, Clock::now()) / repeats;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    const std::vector<BenchDeal> deals = makeDeals(count, 20240611u);
    std::vector<double> micros;
    micros.reserve(deals.size());
    long declarerTricks = 0;
    const uint64_t nodesBefore = PrefPosition::node_count;
    unsigned long bestCards = 0;
    for (const BenchDeal& d : deals) {
        Clock::time_point start = Clock::now();
        PrefPosition::solve(d.deal, d.trump, d.leaderSeat, d.declarerSeat, d.misere, true);
        micros.push_back(microseconds(start, Clock::now()));
        declarerTricks += PrefPosition::number_of_tricks_of_player;
        bestCards =
            bestCards * 31 + static_cast<unsigned long>(PrefPosition::bs * 8 + PrefPosition::bc);
    }
    const uint64_t nodes = PrefPosition::node_count - nodesBefore;
    double total = 0;
    for (double m : micros) total += m;
    std::printf("deals %d\n", count);
    std::printf("mean %.1f us per solve\n", total / count);
    std::printf("median %.1f us per solve\n", median(micros));
    std::printf("%.0f solves per second\n", count / (total / 1e6));
    std::printf("setup %.1f us per solve (one trick left)\n", setupMicros());
    std::printf("signature declarer tricks %ld, best cards %lu, nodes %llu\n", declarerTricks,
                bestCards, static_cast<unsigned long long>(nodes));
    return 0;
}
