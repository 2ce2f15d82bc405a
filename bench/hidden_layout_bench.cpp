// Hidden-layout analysis benchmark.
//
//   hidden_layout_bench [N]        the program's analysis of two fixed deals, one
//                                  trump contract and one misere, over the first N
//                                  splits (all 184756 by default), then of two hard
//                                  deals over a fixed 200 splits, then the signature
//   hidden_layout_bench --signature  the signature line alone
//   hidden_layout_bench --hard [N] the first N splits (all by default) of each
//                                  deal of the hard list
//   hidden_layout_bench --nodes [N] positions searched, one thread, over the
//                                  first N splits (2000 by default) of each bench
//                                  deal and each deal of the hard list, with
//                                  its histogram
//   hidden_layout_bench --counters the signature's search counted by tricks left
//                                  (a build with -DDDSOLVER_LAYOUT_COUNTERS=ON)
//   hidden_layout_bench --search SEED DEALS
//                                  a seeded search for hard deals: DEALS random
//                                  deals, every contract and leader, 200 splits
//                                  each from a random start; prints the ten with
//                                  the most positions searched a split
//
// Runs print each histogram, which must not change when only the speed
// changes, with the wall time and the splits solved per second, on
// DDSOLVER_THREADS threads as the program uses them. A stop file in the
// working directory ends the runs early, as it does the program's.
//
// The signature is the positions searched over the first SIGNATURE_SPLITS
// splits of each bench deal, on one thread whatever DDSOLVER_THREADS says, so
// that it changes only when the search does.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "analysis/DealNotation.h"
#include "analysis/HiddenLayout.h"
#include "analysis/SplitRun.h"
#include "apps/ddsolver/HiddenLayoutCommand.h"

namespace {

struct BenchDeal {
    const char* name;
    const char* dealText;
    const char* contract;
    const char* leader;
    int splits;  // 0: the splits asked for on the command line
};

// A six-spade style game: five trumps to the ace-queen, side aces and kings,
// the two discards out of play; seat 1 leads. And a misere with one weak
// spot, the king of suit 3 beside the eight; seat 1 leads.
const BenchDeal DEALS[] = {
    {"trump", "aqjt9.ak*7*8.kq.a", "0", "1", 0},
    {"misere", "97.87*a*k.t987.8k", "5", "1", 0},
    // Deals whose splits were the slowest found: each test goes deep.
    {"hard misere", "97kQ.9.kj*87a.j*k", "5", "1", 200},
    {"hard trump", "k*jt89.7atQ.*7.k9", "0", "2", 200},
};

// The ten deals with the most positions searched a split that
// `--search 2026 100` found (100 random deals, every contract and leader:
// all ten misere), then the worst deal reported before.
const BenchDeal HARD_DEALS[] = {
    {"hard 1", ".k97*a.q87t.a8q*9", "5", "1", 0},
    {"hard 2", "jk8*7.a.7t*q.q8tj", "5", "2", 0},
    {"hard 3", "7k*q.j8a7.k8*t.7q", "5", "2", 0},
    {"hard 4", ".k97*a.q87t.a8q*9", "5", "2", 0},
    {"hard 5", "kj7*a.a*q.8qj.89k", "5", "2", 0},
    {"hard 6", "9q.8.7j*q*a.jta8q", "5", "2", 0},
    {"hard 7", "ka97*j.aj7.q*a.j9", "5", "0", 0},
    {"hard 8", "98q.q*a.q9*j.7qkt", "5", "1", 0},
    {"hard 9", "ja7.8q.kq*9*7.7q9", "5", "0", 0},
    {"hard 10", "ja7.8q.kq*9*7.7q9", "5", "1", 0},
    {"reported", "j8*7.kq8.t*987.q9", "5", "1", 0},
};

constexpr int SIGNATURE_SPLITS = 200;
constexpr int SEARCH_SPLITS = 200;

SplitJob jobOf(const char* dealText, int contract, int leader, bool& valid) {
    int playerCards[10];
    int absentCards[2];
    int knownCards[12];
    int leadCard = -1;
    valid = parseDeal(dealText, leader, playerCards, absentCards, knownCards, leadCard) ==
            ddsolver::Status::Ok;
    if (!valid) return SplitJob();
    const bool misere = contract == 5;  // else 0-3 a trump suit, 4 and above no trump
    return makeSplitJob(playerCards, knownCards, leadCard, contract < 4 ? contract : 4, misere,
                        leader);
}

SplitJob jobOf(const BenchDeal& deal) {
    bool digits = false;
    bool valid = false;
    SplitJob job = jobOf(deal.dealText, readDecimal(deal.contract, digits),
                         readDecimal(deal.leader, digits), valid);
    if (!valid) {
        std::printf("%s: deal text refused\n", deal.name);
        std::exit(1);
    }
    return job;
}

// The positions searched by one solver over the first SIGNATURE_SPLITS
// splits of each bench deal, each deal set up as the program sets it up.
uint64_t signatureNodes(preferans::LayoutCounters* counters = nullptr) {
    uint64_t nodes = 0;
    for (const BenchDeal& deal : DEALS) {
        int histogram[11] = {0};
        solveSplits(jobOf(deal), 0, SIGNATURE_SPLITS, 1, StopCheck(), histogram, &nodes, counters);
    }
    return nodes;
}

void printSignature() {
    std::printf("signature (nodes, 1 thread, first %d splits of each bench deal): %llu\n",
                SIGNATURE_SPLITS, static_cast<unsigned long long>(signatureNodes()));
}

void printCounters() {
#ifndef DDSOLVER_LAYOUT_COUNTERS
    std::printf("the counters need a build with -DDDSOLVER_LAYOUT_COUNTERS=ON\n");
#else
    preferans::LayoutCounters c;
    const uint64_t nodes = signatureNodes(&c);
    std::printf("first %d splits of each bench deal, %llu positions\n", SIGNATURE_SPLITS,
                static_cast<unsigned long long>(nodes));
    std::printf("tricks      nodes  exact cuts  shape probes  shape cuts     stores  cards that mattered\n");
    for (int t = 10; t >= 2; t--) {
        if (c.nodes[t] == 0) continue;
        std::printf("%6d %10llu %11llu %13llu %11llu %10llu  %5.1f%%\n", t,
                    static_cast<unsigned long long>(c.nodes[t]),
                    static_cast<unsigned long long>(c.exactCuts[t]),
                    static_cast<unsigned long long>(c.shapeProbes[t]),
                    static_cast<unsigned long long>(c.shapeCuts[t]),
                    static_cast<unsigned long long>(c.stores[t]),
                    c.cardsLeft[t] ? 100.0 * c.cardsThatMattered[t] / c.cardsLeft[t] : 0.0);
    }
    std::printf("shape entries made %llu; splits in which one settled a test %llu (%.2f each)\n",
                static_cast<unsigned long long>(c.entriesMade),
                static_cast<unsigned long long>(c.splitsServed),
                c.entriesMade ? double(c.splitsServed) / c.entriesMade : 0.0);
#endif
}

// The positions one solver searches over the first `splits` splits of each
// bench and hard deal: the figure to compare when a change should only
// prune, free of the machine's load.
void printNodes(int splits) {
    std::vector<BenchDeal> deals(std::begin(DEALS), std::end(DEALS));
    deals.insert(deals.end(), std::begin(HARD_DEALS), std::end(HARD_DEALS));
    uint64_t total = 0;
    for (const BenchDeal& deal : deals) {
        int histogram[11] = {0};
        uint64_t nodes = 0;
        auto start = std::chrono::steady_clock::now();
        solveSplits(jobOf(deal), 0, splits, 1, StopCheck(), histogram, &nodes);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        total += nodes;
        std::printf("%-12s %-20s %s %s %12llu  %6.2f s ", deal.name, deal.dealText, deal.contract,
                    deal.leader, static_cast<unsigned long long>(nodes), seconds);
        for (int t = 0; t < 11; t++) std::printf(" %d", histogram[t]);
        std::printf("\n");
        std::fflush(stdout);
    }
    std::printf("total %llu\n", static_cast<unsigned long long>(total));
}

// Runs the program's analysis of one deal and prints its histogram and rate.
void runDeal(const BenchDeal& deal, int splits) {
    const std::string range = "0-" + std::to_string(splits);
    std::printf("%s: %s %s %s %s\nhistogram ", deal.name, deal.dealText, range.c_str(),
                deal.contract, deal.leader);
    std::fflush(stdout);
    auto start = std::chrono::steady_clock::now();
    analyseHiddenLayouts(deal.dealText, range.c_str(), deal.contract, deal.leader);
    auto stop = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(stop - start).count();
    std::printf("\nwall %.1f s, %.0f splits per second\n", seconds, splits / seconds);
    if (fileExists(PREFERANS_SIGNAL_FILE_NAME)) {
        std::printf("stopped early by the stop file: the rate above is not meaningful\n");
    }
    std::fflush(stdout);
}

// A random deal text: ten declarer cards and two absent cards.
std::string randomDealText(std::mt19937& rng) {
    std::vector<int> cards(32);
    for (int i = 0; i < 32; i++) cards[i] = i;
    std::shuffle(cards.begin(), cards.end(), rng);
    static const char RANKS[] = "akqjt987";
    std::string groups[4];
    for (int i = 0; i < 12; i++) {
        std::string item(1, RANKS[cards[i] % 8]);
        if (i >= 10) item = "*" + item;
        groups[cards[i] / 8] += item;
    }
    return groups[0] + "." + groups[1] + "." + groups[2] + "." + groups[3];
}

struct Found {
    std::string dealText;
    int contract;
    int leader;
    int start;
    double nodesPerSplit;
};

void search(unsigned seed, int deals) {
    std::mt19937 rng(seed);
    std::vector<Found> found;
    for (int d = 0; d < deals; d++) {
        const std::string text = randomDealText(rng);
        for (int contract = 0; contract <= 5; contract++) {
            for (int leader = 0; leader <= 2; leader++) {
                const int start = static_cast<int>(rng() % (HIDDEN_SPLITS - SEARCH_SPLITS));
                bool valid = false;
                const SplitJob job = jobOf(text.c_str(), contract, leader, valid);
                if (!valid) continue;
                int histogram[11] = {0};
                uint64_t nodes = 0;
                solveSplits(job, start, start + SEARCH_SPLITS, 1, StopCheck(), histogram, &nodes);
                found.push_back({text, contract, leader, start, double(nodes) / SEARCH_SPLITS});
            }
        }
        std::fprintf(stderr, "\r%d of %d deals", d + 1, deals);
    }
    std::fprintf(stderr, "\n");
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.nodesPerSplit > b.nodesPerSplit; });
    for (size_t i = 0; i < found.size() && i < 10; i++) {
        std::printf("%s %d %d  (from split %d: %.0f positions a split)\n",
                    found[i].dealText.c_str(), found[i].contract, found[i].leader,
                    found[i].start, found[i].nodesPerSplit);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--signature") {
        printSignature();
    } else if (mode == "--nodes") {
        int asked = argc > 2 ? std::atoi(argv[2]) : 2000;
        if (asked <= 0 || asked > HIDDEN_SPLITS) asked = HIDDEN_SPLITS;
        printNodes(asked);
    } else if (mode == "--counters") {
        printCounters();
    } else if (mode == "--hard") {
        int asked = argc > 2 ? std::atoi(argv[2]) : HIDDEN_SPLITS;
        if (asked <= 0 || asked > HIDDEN_SPLITS) asked = HIDDEN_SPLITS;
        std::printf("threads %d\n", analysisThreads());
        for (const BenchDeal& deal : HARD_DEALS) runDeal(deal, asked);
    } else if (mode == "--search") {
        search(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 2026,
               argc > 3 ? std::max(1, std::atoi(argv[3])) : 100);
    } else {
        int asked = argc > 1 ? std::atoi(argv[1]) : HIDDEN_SPLITS;
        if (asked <= 0 || asked > HIDDEN_SPLITS) asked = HIDDEN_SPLITS;
        std::printf("threads %d\n", analysisThreads());
        for (const BenchDeal& deal : DEALS) runDeal(deal, deal.splits > 0 ? deal.splits : asked);
        printSignature();
    }
    return 0;
}
