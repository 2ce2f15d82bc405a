// Dealing benchmark: random full deals (North's hand known, and none known)
// drawn through a constraint, by default "hcp(N) >= 15 && spades(S) >= 5".
// Prints the candidate deals drawn per second on one thread and the deals
// accepted, the median of five repeats.
//
//   dealing_bench [--deals N] [--seed S] [--where EXPR]   (N deals a repeat; 100000)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BenchSupport.h"
#include "ddsolver/Simulation.h"

using namespace ddsolver;

namespace {

constexpr int REPEATS = 5;

struct Case {
    const char* name;
    const char* dealText;
};

const Case CASES[] = {
    {"north known", "N:AKQ2.K32.A52.K32 - - -"},
    {"nothing known", "N:- - - -"},
};

}  // namespace

int main(int argc, char** argv) {
    uint64_t deals = 100000, seed = 1;
    std::string where = "hcp(N) >= 15 && spades(S) >= 5";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--deals") == 0 && i + 1 < argc) {
            deals = std::strtoull(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--where") == 0 && i + 1 < argc) {
            where = argv[++i];
        } else {
            std::fprintf(stderr, "usage: dealing_bench [--deals N] [--seed S] [--where EXPR]\n");
            return 2;
        }
    }
    Constraint constraint;
    ConstraintError error;
    if (Constraint::compile(where, constraint, &error) != Status::Ok) {
        std::fprintf(stderr, "--where: column %d: %s\n", error.column, error.message.c_str());
        return 2;
    }
    const DealFilter filter = [&](const Deal& deal) { return constraint.accepts(deal); };
    std::printf("constraint: %s\n", where.c_str());
    for (const Case& c : CASES) {
        KnownCards cards;
        std::string reason;
        if (KnownCards::fromText(c.dealText, "", cards, &reason) != Status::Ok) {
            std::fprintf(stderr, "%s: %s\n", c.dealText, reason.c_str());
            return 1;
        }
        const Dealer dealer(cards);
        std::vector<double> rates;
        uint64_t accepted = 0, candidates = 0;
        for (int repeat = 0; repeat < REPEATS; ++repeat) {
            accepted = candidates = 0;
            Deal deal;
            const Clock::time_point start = Clock::now();
            for (uint64_t number = 0; number < deals; ++number) {
                uint64_t tries = 0;
                accepted += dealer.deal(seed, number, filter, deal, tries);
                candidates += tries;
            }
            const double seconds = milliseconds(start, Clock::now()) / 1000;
            rates.push_back(candidates / seconds);
        }
        std::printf("%-14s %10.0f candidates/s  %llu accepted of %llu candidates (%.2f%%)\n",
                    c.name, median(rates), static_cast<unsigned long long>(accepted),
                    static_cast<unsigned long long>(candidates),
                    100.0 * accepted / static_cast<double>(candidates));
    }
    return 0;
}
