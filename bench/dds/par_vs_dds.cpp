// Par of the table program against DDS's par functions, on many tables: each
// table with all four dealers and all four vulnerabilities through DDS's
// DealerPar and DealerParBin and our dealerPar (score, contract text and the
// contracts themselves), and with all four vulnerabilities through DDS's Par
// and SidesPar and our sidesPar for either side bidding first. Prints every
// disagreement and a count per kind of table; exit status 1 if any.
//   par_vs_dds [--tables N] [--loose N] [--deals N] [--uniform N] [--seed S]
//              [--save FILE]
// Tables: N (100000) shaped like real ones (per strain the two sides' tricks
// add up to about 13, now and then a seat a trick off), N (as many) looser
// ones (every seat up to two tricks off, so both sides compete for the same
// contracts), the tables of N (200) random deals solved by DDS, and N (0)
// with every entry drawn from 0-13 on its own: tables no deal gives (both
// sides making seven), where DDS itself answers with contracts that go down
// undoubled. --save writes each disagreement as a line in the columns of
// tests/data/dds_par_tables.tsv, with DDS's results.
#include <dds/dll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

#include "ddsolver/Par.h"

using namespace ddsolver;

namespace {

using Table = DdTable;
constexpr int STRAINS = 5;
constexpr int SEATS = 4;
constexpr int NO_TRUMP = 4;

// Dealers, vulnerabilities and sides numbered as DDS numbers them.
ParResult dealerParOf(const Table& table, int dealer, int vulnerability) {
    return dealerPar(table, static_cast<Seat>(dealer), static_cast<Vulnerability>(vulnerability));
}
ParResult sidesParOf(const Table& table, int side, int vulnerability) {
    return sidesPar(table, static_cast<Side>(side), static_cast<Vulnerability>(vulnerability));
}

const char* const SEAT_NAMES = "NESW";
const char* const VULNERABILITY_NAMES[] = {"None", "All", "NS", "EW"};

// splitmix64: the same tables from the same seed on every platform.
struct Random {
    unsigned long long state;
    unsigned long long next() {
        unsigned long long z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<unsigned long long>(n)); }
};

int clampTricks(int tricks) {
    return tricks < 0 ? 0 : (tricks > 13 ? 13 : tricks);
}

Table uniformTable(Random& random) {
    Table table;
    for (auto& strain : table.tricks) {
        for (int& tricks : strain) tricks = random.below(14);
    }
    return table;
}

// Per strain North-South take about base tricks and East-West the rest; each
// declarer a trick more or less, as the opening lead moves it.
Table realisticTable(Random& random) {
    Table table;
    for (auto& strain : table.tricks) {
        const int base = random.below(14);
        for (int seat = 0; seat < SEATS; ++seat) {
            const int jitter = random.below(5) == 0 ? random.below(3) - 1 : 0;
            strain[seat] = clampTricks((seat % 2 == 0 ? base : 13 - base) + jitter);
        }
    }
    return table;
}

// As above with every seat up to two tricks off its side's share: more
// tables where both sides compete for the same contracts.
Table looseTable(Random& random) {
    Table table;
    for (auto& strain : table.tricks) {
        const int base = random.below(14);
        for (int seat = 0; seat < SEATS; ++seat) {
            strain[seat] = clampTricks((seat % 2 == 0 ? base : 13 - base) + random.below(5) - 2);
        }
    }
    return table;
}

// A random full deal (Fisher-Yates shuffle), its table solved by DDS.
bool dealTable(Random& random, Table& table) {
    int cards[52];
    for (int i = 0; i < 52; ++i) cards[i] = i;
    for (int i = 51; i > 0; --i) {
        const int j = random.below(i + 1);
        const int swap = cards[i];
        cards[i] = cards[j];
        cards[j] = swap;
    }
    ddTableDeal deal = {};
    for (int i = 0; i < 52; ++i) deal.cards[i / 13][cards[i] / 13] |= 1u << (2 + cards[i] % 13);
    ddTableResults results = {};
    if (CalcDDtable(deal, &results) != RETURN_NO_FAULT) return false;
    for (int strain = 0; strain < STRAINS; ++strain) {
        for (int seat = 0; seat < SEATS; ++seat)
            table.tricks[strain][seat] = results.resTable[strain][seat];
    }
    return true;
}

ddTableResults ddsTable(const Table& table) {
    ddTableResults results = {};
    for (int strain = 0; strain < STRAINS; ++strain) {
        for (int seat = 0; seat < SEATS; ++seat)
            results.resTable[strain][seat] = table.tricks[strain][seat];
    }
    return results;
}

std::string tableText(const Table& table) {
    std::string text;
    for (int strain = 0; strain < STRAINS; ++strain) {
        for (int seat = 0; seat < SEATS; ++seat) {
            if (strain + seat > 0) text += ' ';
            text += std::to_string(table.tricks[strain][seat]);
        }
    }
    return text;
}

std::string ourDealerContracts(const ParResult& par) {
    std::string text;
    for (int i = 0; i < par.count; ++i) {
        text += (i > 0 ? " " : "") + dealerParContractText(par.contracts[i]);
    }
    return text;
}

// DDS's binary contract against ours: DDS numbers strains no trump first. Its
// binary form of some sacrifices carries no sound trick count (0, or -48), so
// only the contract and seats count there.
bool sameContract(const contractType& theirs, const ParContract& ours) {
    const int strain = static_cast<int>(ours.strain);
    const int denomination = strain == NO_TRUMP ? 0 : strain + 1;
    const bool sameTricks =
        (ours.underTricks > 0 && theirs.underTricks <= 0) ||
        (theirs.underTricks == ours.underTricks && theirs.overTricks == ours.overTricks);
    return theirs.level == ours.level && theirs.denom == denomination &&
           theirs.seats == ours.seats && sameTricks;
}

struct Counts {
    long long tables = 0, dealerChecks = 0, dealerDiffer = 0, parChecks = 0, parDiffer = 0;
    long long ddsRefused = 0;
};

// All of DDS's par results for one table and vulnerability, in the columns
// of tests/data/dds_par_tables.tsv after dealer and deal.
struct DdsPar {
    parResults par;
    parResultsDealer dealer;
    parResultsMaster dealerBin;
    parResultsDealer sides[2];
};

bool ddsPar(const Table& table, int dealer, int vulnerability, DdsPar& out) {
    ddTableResults results = ddsTable(table);
    return Par(&results, &out.par, vulnerability) == RETURN_NO_FAULT &&
           DealerPar(&results, &out.dealer, dealer, vulnerability) == RETURN_NO_FAULT &&
           DealerParBin(&results, &out.dealerBin, dealer, vulnerability) == RETURN_NO_FAULT &&
           SidesPar(&results, out.sides, vulnerability) == RETURN_NO_FAULT;
}

std::string ddsDealerContracts(const parResultsDealer& par) {
    std::string text;
    for (int i = 0; i < par.number; ++i) text += (i > 0 ? " " : "") + std::string(par.contracts[i]);
    return text;
}

std::string dataLine(const Table& table, int dealer, int vulnerability, const DdsPar& dds) {
    return std::string(1, SEAT_NAMES[dealer]) + "\t" + VULNERABILITY_NAMES[vulnerability] +
           "\t-\t" + tableText(table) + "\t" + dds.par.parScore[0] + "\t" + dds.par.parScore[1] +
           "\t" + dds.par.parContractsString[0] + "\t" + dds.par.parContractsString[1] + "\t" +
           std::to_string(dds.dealer.score) + "\t" + ddsDealerContracts(dds.dealer);
}

bool dealerAgrees(const Table& table, int dealer, int vulnerability, const DdsPar& dds) {
    const ParResult ours = dealerParOf(table, dealer, vulnerability);
    bool same = ours.score == dds.dealer.score && ours.score == dds.dealerBin.score &&
                ourDealerContracts(ours) == ddsDealerContracts(dds.dealer) &&
                ours.count == dds.dealerBin.number;
    // DealerParBin lists the same contracts as DealerPar, in another order.
    for (int i = 0; same && i < ours.count; ++i) {
        bool found = false;
        for (int k = 0; k < dds.dealerBin.number; ++k)
            found = found || sameContract(dds.dealerBin.contracts[k], ours.contracts[i]);
        same = found;
    }
    if (!same) {
        std::printf(
            "DealerPar %s dealer %c vul %s: DDS %d %s, ours %d %s\n", tableText(table).c_str(),
            SEAT_NAMES[dealer], VULNERABILITY_NAMES[vulnerability], dds.dealer.score,
            ddsDealerContracts(dds.dealer).c_str(), ours.score, ourDealerContracts(ours).c_str());
    }
    return same;
}

// Par for either side bidding first: Par's texts, and SidesPar's scores
// (from the point of view of the side that bids first).
bool sidesAgree(const Table& table, int vulnerability, const DdsPar& dds) {
    bool same = true;
    for (int side = 0; side < 2; ++side) {
        const ParResult ours = sidesParOf(table, side, vulnerability);
        const bool sideSame =
            parScoreText(ours, static_cast<Side>(side)) == dds.par.parScore[side] &&
            sidesParContractsText(ours, static_cast<Side>(side)) ==
                dds.par.parContractsString[side] &&
            (side == 0 ? ours.score : -ours.score) == dds.sides[side].score;
        if (!sideSame) {
            std::printf("Par %s side %s vul %s: DDS %s %s (SidesPar %d), ours %s %s\n",
                        tableText(table).c_str(), side == 0 ? "NS" : "EW",
                        VULNERABILITY_NAMES[vulnerability], dds.par.parScore[side],
                        dds.par.parContractsString[side], dds.sides[side].score,
                        parScoreText(ours, static_cast<Side>(side)).c_str(),
                        sidesParContractsText(ours, static_cast<Side>(side)).c_str());
        }
        same = same && sideSame;
    }
    return same;
}

void compareTable(const Table& table, Counts& counts, FILE* save) {
    ++counts.tables;
    for (int vulnerability = 0; vulnerability < 4; ++vulnerability) {
        for (int dealer = 0; dealer < SEATS; ++dealer) {
            DdsPar dds;
            if (!ddsPar(table, dealer, vulnerability, dds)) {
                ++counts.ddsRefused;
                continue;
            }
            bool same = dealerAgrees(table, dealer, vulnerability, dds);
            ++counts.dealerChecks;
            counts.dealerDiffer += !same;
            if (dealer == 0) {
                const bool sidesSame = sidesAgree(table, vulnerability, dds);
                ++counts.parChecks;
                counts.parDiffer += !sidesSame;
                same = same && sidesSame;
            }
            if (!same && save) {
                std::fprintf(save, "%s\n", dataLine(table, dealer, vulnerability, dds).c_str());
            }
        }
    }
}

void report(const char* kind, const Counts& counts) {
    std::printf(
        "%-10s tables %lld: DealerPar %lld of %lld differ, Par %lld of %lld differ, DDS refused "
        "%lld\n",
        kind, counts.tables, counts.dealerDiffer, counts.dealerChecks, counts.parDiffer,
        counts.parChecks, counts.ddsRefused);
}

long long argument(int argc, char** argv, const char* name, long long fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) return std::atoll(argv[i + 1]);
    }
    return fallback;
}

const char* textArgument(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    SetMaxThreads(1);
    const long long uniformTables = argument(argc, argv, "--uniform", 0);
    const long long tables = argument(argc, argv, "--tables", 100000);
    const long long deals = argument(argc, argv, "--deals", 200);
    Random random{static_cast<unsigned long long>(argument(argc, argv, "--seed", 20261209))};
    const char* savePath = textArgument(argc, argv, "--save");
    FILE* save = savePath ? std::fopen(savePath, "w") : nullptr;
    if (savePath && !save) {
        std::printf("cannot write %s\n", savePath);
        return 2;
    }
    if (save) {
        std::fprintf(save,
                     "dealer\tvulnerable\tdeal\ttable\tpar_ns\tpar_ew\tpar_contracts_ns\t"
                     "par_contracts_ew\tdealer_par_score\tdealer_par_contracts\n");
    }
    const long long looseTables = argument(argc, argv, "--loose", tables);
    Counts uniform, realistic, loose, dealt;
    for (long long i = 0; i < uniformTables; ++i) compareTable(uniformTable(random), uniform, save);
    for (long long i = 0; i < tables; ++i) compareTable(realisticTable(random), realistic, save);
    for (long long i = 0; i < looseTables; ++i) compareTable(looseTable(random), loose, save);
    for (long long i = 0; i < deals; ++i) {
        Table table;
        if (dealTable(random, table)) compareTable(table, dealt, save);
    }
    if (save) std::fclose(save);
    report("uniform", uniform);
    report("realistic", realistic);
    report("loose", loose);
    report("dealt", dealt);
    long long differ = 0;
    for (const Counts* counts : {&uniform, &realistic, &loose, &dealt})
        differ += counts->dealerDiffer + counts->parDiffer;
    std::printf("disagreements %lld\n", differ);
    return differ == 0 ? 0 : 1;
}
