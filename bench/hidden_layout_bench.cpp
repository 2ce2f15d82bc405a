// Hidden-layout analysis benchmark: the program's analysis of two fixed deals,
// one trump contract and one misere, over the first N splits (all 184756 by
// default), then of two hard deals over a fixed 200 splits. Prints each
// histogram, which must not change when only the speed changes, with the wall
// time and the splits solved per second, on DDSOLVER_THREADS threads as the
// program uses them. A stop file in the working directory ends the runs
// early, as it does the program's.
//
// Last comes the signature: the positions searched over the first
// SIGNATURE_SPLITS splits of each deal, on one thread whatever
// DDSOLVER_THREADS says, so that it changes only when the search does.
// `hidden_layout_bench --signature` prints that line alone.
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

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

// About a second and a half on one core, most of it the two hard deals.
constexpr int SIGNATURE_SPLITS = 200;

// The positions searched by one solver over the first SIGNATURE_SPLITS
// splits of each deal, each deal set up as the program sets it up.
uint64_t signatureNodes() {
    uint64_t nodes = 0;
    for (const BenchDeal& deal : DEALS) {
        bool digits = false;
        const int contract = readDecimal(deal.contract, digits);
        const int leader = readDecimal(deal.leader, digits);
        int playerCards[10];
        int absentCards[2];
        int knownCards[12];
        int leadCard = -1;
        if (parseDeal(deal.dealText, leader, playerCards, absentCards, knownCards, leadCard) !=
            ddsolver::Status::Ok) {
            std::printf("%s: deal text refused\n", deal.name);
            std::exit(1);
        }
        const bool misere = contract == 5;  // else 0-3 a trump suit, 4 and above no trump
        const SplitJob job = makeSplitJob(playerCards, knownCards, leadCard,
                                          contract < 4 ? contract : 4, misere, leader);
        int histogram[11] = {0};
        solveSplits(job, 0, SIGNATURE_SPLITS, 1, StopCheck(), histogram, &nodes);
    }
    return nodes;
}

void printSignature() {
    std::printf("signature (nodes, 1 thread, first %d splits of each bench deal): %llu\n",
                SIGNATURE_SPLITS, static_cast<unsigned long long>(signatureNodes()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--signature") == 0) {
        printSignature();
        return 0;
    }
    int asked = argc > 1 ? std::atoi(argv[1]) : HIDDEN_SPLITS;
    if (asked <= 0 || asked > HIDDEN_SPLITS) asked = HIDDEN_SPLITS;
    std::printf("threads %d\n", analysisThreads());
    for (const BenchDeal& deal : DEALS) {
        const int splits = deal.splits > 0 ? deal.splits : asked;
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
    printSignature();
    return 0;
}
