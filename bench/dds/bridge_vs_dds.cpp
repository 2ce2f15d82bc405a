// Solves the same seeded random full deals with this solver and with the DDS
// bridge library, both on one thread, and compares answers and times: for each
// deal and strain the four opening leaders, as `ddsolver POSITION` does.
// Prints total and median times per deal and strain, their ratio (ours / DDS),
// the total node count (the signature of bridge_bench's deals) and every
// disagreement; the exit status is 1 on any disagreement or failure.
//
// Usage: bridge_vs_dds [--deals N | --list FILE] [--strain S] [--worst K] [--positions]
//   --deals N     the first N deals of the bridge benches' seed (default 50)
//   --list FILE   the deals of FILE instead, one PBN deal text a line ("#"
//                 starts a comment), each deal and strain's times (medians
//                 of five timings) printed with their ratio (e.g.
//                 bench/data/rotated_deals.pbn)
//   --strain S    one strain only: 0 to 3 a suit (spades first), 4 no trump
//   --worst K     also list the K deals and strains where this solver lost the
//                 most time to DDS, each timed four times more (medians of
//                 five, with their ratio), with their position strings (the
//                 place to look for more speed), and how many of them take
//                 more than 1.5 times DDS's time
//   --positions   print the program's position string of each deal and strain
//                 instead of solving (the whole-process bench reads them)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "DdsSupport.h"
#include "ddsolver/Deal.h"
#include "ddsolver/compat/BridgePosition.h"

namespace {

struct Options {
    int deals = 50;
    int firstStrain = 0;
    int lastStrain = 4;
    int worst = 0;
    bool positionsOnly = false;
    std::string list;  // a file of deals instead of the seeded ones
};

// One deal and strain as both solvers timed it, in milliseconds.
struct Timing {
    int deal;
    int strain;
    double ours;
    double dds;
    std::string position;
};

// One column of the timings.
std::vector<double> column(const std::vector<Timing>& timings, double Timing::*field) {
    std::vector<double> values;
    for (const Timing& t : timings) values.push_back(t.*field);
    return values;
}

bool parseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--positions") {
            options->positionsOnly = true;
        } else if (option == "--deals" && i + 1 < argc) {
            options->deals = std::atoi(argv[++i]);
            if (options->deals < 1) return false;
        } else if (option == "--strain" && i + 1 < argc) {
            const char* strain = argv[++i];
            if (std::strlen(strain) != 1 || strain[0] < '0' || strain[0] > '4') return false;
            options->firstStrain = options->lastStrain = strain[0] - '0';
        } else if (option == "--list" && i + 1 < argc) {
            options->list = argv[++i];
        } else if (option == "--worst" && i + 1 < argc) {
            options->worst = std::atoi(argv[++i]);
            if (options->worst < 1) return false;
        } else {
            return false;
        }
    }
    return true;
}

// The position string that `ddsolver` reads for a full deal in one strain.
std::string positionString(const std::vector<int>& deal, int strain) {
    std::string text;
    for (int code : deal) text += static_cast<char>('0' + code);
    text += static_cast<char>('0' + strain);
    text += "0010";
    return text;
}

// This solver's answer to the program's job, with its node count added.
bool solveFourLeaders(const std::vector<int>& deal, int strain, int tricks[4], long long& nodes) {
    for (int leader = 0; leader < 4; ++leader) {
        if (!BridgePosition::solve(deal.data(), static_cast<char>(strain), leader, 0, true, false,
                                   leader == 0)) {
            return false;
        }
        nodes += BridgePosition::NodeCount;
        tricks[leader] =
            leader % 2 == 0 ? BridgePosition::EastWestTricks : BridgePosition::NorthSouthTricks;
    }
    return true;
}

void printTimes(const char* who, const std::vector<double>& times) {
    std::printf("%-5s total %10.1f ms, median %8.2f ms per deal and strain\n", who, sum(times),
                median(times));
}

// Times a listed deal and strain again: the picks of a noisy run are partly
// the runs that noise slowed, so each gets the median of five timings. Each
// timing follows another deal, as in the run, since both solvers keep what
// they found for the deal they solved last.
constexpr int TIMINGS_OF_WORST = 5;

void retime(const std::vector<int>& deal, const std::vector<int>& other, Timing& t) {
    std::vector<double> ours{t.ours}, theirs{t.dds};
    for (int i = 1; i < TIMINGS_OF_WORST; ++i) {
        int tricks[4];
        long long nodes = 0;
        std::string error;
        solveFourLeaders(other, t.strain, tricks, nodes);
        solveFourLeadersWithDds(other.data(), t.strain, tricks, &error);
        Clock::time_point t0 = Clock::now();
        solveFourLeaders(deal, t.strain, tricks, nodes);
        Clock::time_point t1 = Clock::now();
        solveFourLeadersWithDds(deal.data(), t.strain, tricks, &error);
        ours.push_back(milliseconds(t0, t1));
        theirs.push_back(milliseconds(t1, Clock::now()));
    }
    t.ours = median(ours);
    t.dds = median(theirs);
}

// The deals and strains where this solver spent the most time beyond DDS's
// (at most `count`, and only those where it was slower), each timed again,
// with the ratio of the medians.
void printWorst(std::vector<Timing> timings, int count,
                const std::vector<std::vector<int>>& deals) {
    std::sort(timings.begin(), timings.end(),
              [](const Timing& a, const Timing& b) { return a.ours - a.dds > b.ours - b.dds; });
    std::printf("slowest against DDS, medians of %d timings (deal strain ours-ms DDS-ms ratio "
                "position):\n",
                TIMINGS_OF_WORST);
    int overOneAndHalf = 0;
    for (int i = 0; i < count && i < static_cast<int>(timings.size()); ++i) {
        Timing& t = timings[i];
        if (t.ours <= t.dds) break;
        retime(deals[t.deal], deals[(t.deal + 1) % deals.size()], t);
        const double ratio = t.ours / std::max(t.dds, 0.001);
        if (ratio > 1.5) ++overOneAndHalf;
        std::printf("%5d %d %9.1f %9.1f %6.2f  %s\n", t.deal, t.strain, t.ours, t.dds, ratio,
                    t.position.c_str());
    }
    std::printf("listed over 1.5 times DDS: %d\n", overOneAndHalf);
}

}  // namespace

// The deals of a list file as deal arrays (codes 1 to 4 for seats 0 to 3);
// false, with a message, when the file cannot be read or a line is no deal.
bool readDealList(const std::string& path, std::vector<std::vector<int>>* deals) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "bridge_vs_dds: cannot read %s\n", path.c_str());
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string text = line.substr(0, line.find('#'));
        if (text.find_first_not_of(" \t\r") == std::string::npos) continue;
        ddsolver::Deal deal;
        std::string reason;
        if (ddsolver::Deal::fromPbn(text, deal, ddsolver::DealSize::Full, &reason) !=
            ddsolver::Status::Ok) {
            std::fprintf(stderr, "bridge_vs_dds: %s line %d: %s\n", path.c_str(), number,
                         reason.c_str());
            return false;
        }
        std::vector<int> codes(52);
        for (int card = 0; card < 52; ++card) {
            codes[card] = static_cast<int>(*deal.holder(ddsolver::Card::fromIndex(card))) + 1;
        }
        deals->push_back(codes);
    }
    return true;
}

// Each deal and strain of a list: both times and their ratio.
void printEach(const std::vector<Timing>& timings) {
    double worst = 0;
    std::printf("deal strain ours-ms DDS-ms ratio\n");
    for (const Timing& t : timings) {
        const double ratio = t.ours / std::max(t.dds, 0.001);
        worst = std::max(worst, ratio);
        std::printf("%4d %d %9.1f %9.1f %6.2f\n", t.deal, t.strain, t.ours, t.dds, ratio);
    }
    std::printf("largest ratio ours / DDS: %.2f\n", worst);
}

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, &options)) {
        std::fprintf(stderr,
                     "usage: bridge_vs_dds [--deals N | --list FILE] [--strain 0-4] [--worst K] "
                     "[--positions]\n");
        return 2;
    }
    std::vector<std::vector<int>> deals;
    if (!options.list.empty()) {
        if (!readDealList(options.list, &deals)) return 2;
    } else {
        uint64_t state = BRIDGE_BENCH_SEED;
        for (int d = 0; d < options.deals; ++d) deals.push_back(randomFullDeal(state));
    }
    options.deals = static_cast<int>(deals.size());
    if (options.positionsOnly) {
        for (const std::vector<int>& deal : deals) {
            for (int strain = options.firstStrain; strain <= options.lastStrain; ++strain) {
                std::printf("%s\n", positionString(deal, strain).c_str());
            }
        }
        return 0;
    }
    if (!BridgePosition::allocateTables()) {
        std::fprintf(stderr, "bridge_vs_dds: cannot allocate the solver's tables\n");
        return 1;
    }
    useOneDdsThread();
    // The first solve of a process also pays for touching its tables' memory
    // for the first time: both solvers pay that before any timing, so that
    // the first deal is timed like the rest. They warm up on the first deal
    // with its hands passed to the next seat, which neither solver can take
    // for the deal it then times (DDS answers a deal it solved last from
    // its table).
    if (!deals.empty()) {
        std::vector<int> warmUp = deals[0];
        for (int& code : warmUp) code = code % 4 + 1;
        int tricks[4];
        long long ignored = 0;
        std::string error;
        solveFourLeaders(warmUp, options.firstStrain, tricks, ignored);
        solveFourLeadersWithDds(warmUp.data(), options.firstStrain, tricks, &error);
    }
    std::vector<Timing> timings;
    long long nodes = 0;
    int disagreements = 0;
    for (int d = 0; d < options.deals; ++d) {
        const std::vector<int>& deal = deals[d];
        for (int strain = options.firstStrain; strain <= options.lastStrain; ++strain) {
            int ours[4], theirs[4];
            std::string error;
            Clock::time_point t0 = Clock::now();
            bool solved = solveFourLeaders(deal, strain, ours, nodes);
            Clock::time_point t1 = Clock::now();
            bool ddsSolved = solveFourLeadersWithDds(deal.data(), strain, theirs, &error);
            Clock::time_point t2 = Clock::now();
            if (!solved || !ddsSolved) {
                std::fprintf(stderr, "deal %d strain %d: %s\n", d, strain,
                             solved ? ("DDS failed: " + error).c_str() : "solve failed");
                return 1;
            }
            timings.push_back({d, strain, milliseconds(t0, t1), milliseconds(t1, t2),
                               positionString(deal, strain)});
            for (int leader = 0; leader < 4; ++leader) {
                if (ours[leader] == theirs[leader]) continue;
                ++disagreements;
                std::printf("DISAGREE deal %d strain %d leader %d: ours %d, DDS %d  %s\n", d,
                            strain, leader, ours[leader], theirs[leader],
                            positionString(deal, strain).c_str());
            }
        }
        std::fflush(stdout);
    }
    if (!options.list.empty()) {
        // A list is short and each of its positions counts: each gets the
        // median of several timings.
        for (Timing& t : timings) retime(deals[t.deal], deals[(t.deal + 1) % deals.size()], t);
        std::printf("bridge_vs_dds: %d deals of %s x %d strains x 4 leaders, one thread each, "
                    "medians of %d timings\n",
                    options.deals, options.list.c_str(),
                    options.lastStrain - options.firstStrain + 1, TIMINGS_OF_WORST);
        printEach(timings);
    } else {
        std::printf(
            "bridge_vs_dds: %d deals x %d strains x 4 leaders, seed %llu, one thread each\n",
            options.deals, options.lastStrain - options.firstStrain + 1,
            static_cast<unsigned long long>(BRIDGE_BENCH_SEED));
    }
    const std::vector<double> ourTimes = column(timings, &Timing::ours);
    const std::vector<double> ddsTimes = column(timings, &Timing::dds);
    printTimes("ours", ourTimes);
    printTimes("DDS", ddsTimes);
    std::printf("ratio ours / DDS: total %.2f, median %.2f\n", sum(ourTimes) / sum(ddsTimes),
                median(ourTimes) / median(ddsTimes));
    std::printf("signature (total NodeCount): %lld\n", nodes);
    std::printf("disagreements: %d\n", disagreements);
    if (options.worst > 0) printWorst(timings, options.worst, deals);
    BridgePosition::freeTables();
    return disagreements == 0 ? 0 : 1;
}
