// Deals per second of a simulation against DDS on the same deals: ddsim's
// library run (dealing, filtering and solving one declarer and strain, or
// the whole table) on T threads, then DDS solving the deals that run dealt
// (SolveAllChunksBin, or CalcAllTables with --table) with T threads. Prints
// both rates, their ratio and the deals on which the two disagree; also the
// rate of dealing and filtering alone on one thread.
//
// Usage: sim_vs_dds [--deals N] [-j T] [--contract 4S-N] [--table]
//                   [--deal PBN] [--where EXPR] [--seed S]
// Defaults: 500 deals, 1 thread, 4S-N, every hand unseen, no constraint, seed 1.
#include <dds/dll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ddsolver/Simulation.h"

using namespace ddsolver;

namespace {

struct BenchOptions {
    SimulationOptions run;
    std::string deal = "N:- - - -", where;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool readOptions(int argc, char** argv, BenchOptions& options) {
    options.run.contracts = {{4, Strain::Spades, Seat::North}};
    options.run.threads = 1;
    options.run.end = 500;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--table") {
            options.run.table = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (option == "--deals")
            options.run.end = std::max(1, std::atoi(value.c_str()));
        else if (option == "-j")
            options.run.threads = std::max(1, std::atoi(value.c_str()));
        else if (option == "--contract" &&
                 contractFromText(value, options.run.contracts[0]) == Status::Ok)
            continue;
        else if (option == "--deal")
            options.deal = value;
        else if (option == "--where")
            options.where = value;
        else if (option == "--seed")
            options.run.seed = std::strtoull(value.c_str(), nullptr, 10);
        else
            return false;
    }
    std::string reason;
    if (KnownCards::fromText(options.deal, "", options.run.cards, &reason) != Status::Ok) {
        std::printf("--deal: %s\n", reason.c_str());
        return false;
    }
    ConstraintError error;
    if (Constraint::compile(options.where, options.run.constraint, &error) != Status::Ok) {
        std::printf("--where: column %d: %s\n", error.column, error.message.c_str());
        return false;
    }
    return true;
}

void fillDdsHands(const Deal& deal, unsigned int hands[DDS_HANDS][DDS_SUITS]) {
    for (Seat seat : ALL_SEATS) {
        for (int suit = 0; suit < DDS_SUITS; ++suit) hands[static_cast<int>(seat)][suit] = 0;
        for (Card card : deal.hand(seat))
            hands[static_cast<int>(seat)][static_cast<int>(card.suit())] |= 1u << card.rank();
    }
}

// Declarer's tricks in the contract on every deal, by DDS.
bool solveWithDds(const std::vector<SimulatedDeal>& deals, const SimContract& contract,
                  std::vector<int>& tricks) {
    static boards batch;
    static solvedBoards solved;
    for (size_t first = 0; first < deals.size(); first += MAXNOOFBOARDS) {
        const int n = static_cast<int>(std::min<size_t>(MAXNOOFBOARDS, deals.size() - first));
        batch.noOfBoards = n;
        for (int b = 0; b < n; ++b) {
            deal& position = batch.deals[b];
            position = {};
            position.trump = static_cast<int>(contract.strain);
            position.first = static_cast<int>(nextSeat(contract.declarer));
            fillDdsHands(deals[first + b].deal, position.remainCards);
            batch.target[b] = -1;
            batch.solutions[b] = 1;
            batch.mode[b] = 1;
        }
        const int status = SolveAllChunksBin(&batch, &solved, 1);
        if (status != RETURN_NO_FAULT) {
            std::printf("DDS SolveAllChunksBin failed: %d\n", status);
            return false;
        }
        // DDS counts the tricks of the side on lead.
        for (int b = 0; b < n; ++b) tricks.push_back(13 - solved.solvedBoard[b].score[0]);
    }
    return true;
}

// Every deal's table by DDS.
bool tablesWithDds(const std::vector<SimulatedDeal>& deals, std::vector<DdTable>& tables) {
    static ddTableDeals batch;
    static ddTablesRes results;
    static allParResults par;
    int filter[DDS_STRAINS] = {0, 0, 0, 0, 0};
    constexpr size_t CHUNK = 32;
    for (size_t first = 0; first < deals.size(); first += CHUNK) {
        const int n = static_cast<int>(std::min(CHUNK, deals.size() - first));
        batch.noOfTables = n;
        for (int d = 0; d < n; ++d) fillDdsHands(deals[first + d].deal, batch.deals[d].cards);
        const int status = CalcAllTables(&batch, -1, filter, &results, &par);
        if (status != RETURN_NO_FAULT) {
            std::printf("DDS CalcAllTables failed: %d\n", status);
            return false;
        }
        for (int d = 0; d < n; ++d) {
            DdTable table;
            for (int strain = 0; strain < DDS_STRAINS; ++strain)
                for (int seat = 0; seat < DDS_HANDS; ++seat)
                    table.tricks[strain][seat] = results.results[d].resTable[strain][seat];
            tables.push_back(table);
        }
    }
    return true;
}

// Candidate deals a second of dealing and filtering alone, one thread.
double dealingRate(const BenchOptions& options) {
    const Dealer dealer(options.run.cards);
    const Constraint& constraint = options.run.constraint;
    const DealFilter filter = [&](const Deal& deal) { return constraint.accepts(deal); };
    uint64_t candidates = 0;
    Deal deal;
    const auto start = std::chrono::steady_clock::now();
    for (uint64_t number = 0; secondsSince(start) < 1.0; ++number) {
        for (int i = 0; i < 100; ++i) {
            uint64_t tries = 0;
            dealer.deal(options.run.seed, number * 100 + i, filter, deal, tries);
            candidates += tries;
        }
    }
    return static_cast<double>(candidates) / secondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    if (!readOptions(argc, argv, options)) {
        std::printf(
            "usage: sim_vs_dds [--deals N] [-j T] [--contract 4S-N] [--table] [--deal PBN] "
            "[--where EXPR] [--seed S]\n");
        return 2;
    }
    const SimContract contract = options.run.contracts[0];
    if (options.run.table) options.run.contracts.clear();

    std::vector<SimulatedDeal> deals;
    SimulationRun run;
    auto start = std::chrono::steady_clock::now();
    const Status status = simulate(
        options.run, [&](const SimulatedDeal& deal) { deals.push_back(deal); }, run);
    const double oursSeconds = secondsSince(start);
    if (status != Status::Ok) {
        std::printf("simulate: %s\n", describe(status));
        return 1;
    }

    SetMaxThreads(options.run.threads);
    std::vector<int> tricks;
    std::vector<DdTable> tables;
    start = std::chrono::steady_clock::now();
    const bool solved =
        options.run.table ? tablesWithDds(deals, tables) : solveWithDds(deals, contract, tricks);
    const double ddsSeconds = secondsSince(start);
    if (!solved) return 1;

    int disagreements = 0;
    for (size_t d = 0; d < deals.size(); ++d) {
        const bool same = options.run.table ? std::equal(&deals[d].table.tricks[0][0],
                                                         &deals[d].table.tricks[0][0] + 20,
                                                         &tables[d].tricks[0][0])
                                            : deals[d].tricks[0] == tricks[d];
        if (!same && ++disagreements <= 10)
            std::printf("disagree: %s\n", deals[d].deal.toPbn().c_str());
    }
    const double n = static_cast<double>(deals.size());
    std::printf("%zu deals of %s, %s, threads %d, seed %llu\n", deals.size(), options.deal.c_str(),
                options.run.table ? "whole table" : contractText(contract).c_str(),
                options.run.threads, static_cast<unsigned long long>(options.run.seed));
    std::printf("ddsim  %8.3f s  %9.2f deals/s (dealing included)\n", oursSeconds, n / oursSeconds);
    std::printf("DDS    %8.3f s  %9.2f deals/s (solving only)\n", ddsSeconds, n / ddsSeconds);
    std::printf("ratio (ddsim rate / DDS rate) %.2f\n", ddsSeconds / oursSeconds);
    std::printf("dealing and filtering alone: %.0f candidate deals/s on one thread\n",
                dealingRate(options));
    std::printf("disagreements %d\n", disagreements);
    return disagreements == 0 ? 0 : 1;
}
