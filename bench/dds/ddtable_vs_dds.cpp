// Tables per second of the table program's library call against DDS's
// CalcAllTables: the same seeded deals, the same number of threads, one run.
// Prints both rates, their ratio and every table on which the two disagree.
// A strain (0-3 spades to clubs, 4 no trump) times that strain alone.
//   ddtable_vs_dds [DEALS=1000] [THREADS=1] [STRAIN]
#include <dds/dll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "apps/ddtable/BatchRunner.h"

using namespace ddtable;

namespace {

constexpr int STRAINS = 5;
constexpr int SEATS = 4;
constexpr unsigned long long SEED = 20261208;
constexpr int DDS_CHUNK = 32;  // tables per CalcAllTables call, within its limit

std::vector<DealRecord> seededDeals(int count) {
    std::mt19937_64 rng(SEED);
    std::vector<DealRecord> records(count);
    for (int d = 0; d < count; ++d) {
        int cards[52];
        for (int i = 0; i < 52; ++i) cards[i] = i;
        std::shuffle(cards, cards + 52, rng);
        for (int i = 0; i < 52; ++i)
            records[d].deal.give(ddsolver::Card::fromIndex(cards[i]), ddsolver::ALL_SEATS[i / 13]);
        records[d].line = d + 1;
        records[d].vulnerability = ddsolver::Vulnerability::None;
    }
    return records;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int threads = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    const int only = argc > 3 ? std::clamp(std::atoi(argv[3]), 0, STRAINS - 1) : -1;
    const unsigned strains = only < 0 ? 0x1F : 1u << only;
    std::vector<DealRecord> records = seededDeals(count);

    std::vector<ddsolver::DdTable> ours(count);
    bool oursFailed = false;
    auto start = std::chrono::steady_clock::now();
    Progress quiet(count, false);
    runBatch(
        records, threads,
        [&](ddsolver::BridgeSolver& solver, const DealRecord& record, DealAnalysis& analysis) {
            return ddsolver::solveTable(solver, record.deal, analysis.table, strains) ==
                   ddsolver::Status::Ok;
        },
        [&](const DealRecord& record, bool solved, const DealAnalysis& analysis) {
            oursFailed = oursFailed || !solved;
            ours[record.line - 1] = analysis.table;
        },
        quiet);
    const double oursSeconds = secondsSince(start);

    SetMaxThreads(threads);
    std::vector<ddsolver::DdTable> theirs(count);
    // DDS numbers the strains as we do; a filter of 1 leaves one out.
    int filter[DDS_STRAINS];
    for (int strain = 0; strain < DDS_STRAINS; ++strain)
        filter[strain] = strains >> strain & 1 ? 0 : 1;
    static ddTableDeals deals;
    static ddTablesRes results;
    static allParResults par;
    start = std::chrono::steady_clock::now();
    for (int first = 0; first < count; first += DDS_CHUNK) {
        const int n = std::min(DDS_CHUNK, count - first);
        deals.noOfTables = n;
        for (int d = 0; d < n; ++d) {
            ddTableDeal& deal = deals.deals[d];
            for (auto& hand : deal.cards) std::fill(hand, hand + DDS_SUITS, 0u);
            for (int card = 0; card < 52; ++card) {
                const int holder = static_cast<int>(
                    *records[first + d].deal.holder(ddsolver::Card::fromIndex(card)));
                deal.cards[holder][card / 13] |= 1u << (14 - card % 13);
            }
        }
        int status = CalcAllTables(&deals, -1, filter, &results, &par);
        if (status != RETURN_NO_FAULT) {
            std::printf("DDS CalcAllTables failed: %d\n", status);
            return 1;
        }
        for (int d = 0; d < n; ++d) {
            for (int strain = 0; strain < STRAINS; ++strain) {
                for (int seat = 0; seat < SEATS; ++seat) {
                    theirs[first + d].tricks[strain][seat] =
                        results.results[d].resTable[strain][seat];
                }
            }
        }
    }
    const double ddsSeconds = secondsSince(start);

    int disagreements = 0;
    for (int d = 0; d < count; ++d) {
        bool same = true;
        for (int strain = 0; strain < STRAINS; ++strain) {
            if ((strains >> strain & 1) == 0) continue;
            for (int seat = 0; seat < SEATS; ++seat) {
                same = same && ours[d].tricks[strain][seat] == theirs[d].tricks[strain][seat];
            }
        }
        if (same) continue;
        if (++disagreements <= 10) std::printf("disagree: %s\n", records[d].deal.toPbn().c_str());
    }
    std::printf("deals %d, threads %d, seed %llu", count, threads, SEED);
    if (only >= 0) std::printf(", strain %d alone", only);
    std::printf("\n");
    std::printf("ddtable  %8.3f s  %8.2f tables/s%s\n", oursSeconds, count / oursSeconds,
                oursFailed ? "  (some deals refused)" : "");
    std::printf("DDS      %8.3f s  %8.2f tables/s\n", ddsSeconds, count / ddsSeconds);
    std::printf("ratio (ddtable time / DDS time) %.2f\n", oursSeconds / ddsSeconds);
    std::printf("disagreements %d\n", disagreements);
    return disagreements == 0 && !oursFailed ? 0 : 1;
}
