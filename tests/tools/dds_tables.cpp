// Offline writer of double-dummy tables and par scores computed by the DDS
// bridge library, in the columns of tests/data/bridge_pbn10.tsv (dealer,
// vulnerability, PBN deal, 20-number table, both Par forms, DealerPar).
//
//   dds_tables validate FILE
//       Recomputes each line's table and par from its dealer, vulnerability
//       and deal and compares the whole line. Exit status 1 on any difference.
//   dds_tables generate SEED DEALS
//       Prints the header and one line for each of DEALS random full deals
//       drawn from SEED; deal i (from 0) has dealer i mod 4 and vulnerability
//       (i / 4) mod 4 in the order None, All, NS, EW, so every sixteen deals
//       cover each dealer with each vulnerability.
#include <dds/dll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/BridgeDealText.h"
#include "support/RandomBridgePositions.h"

namespace {

constexpr char HEADER[] =
    "dealer\tvulnerable\tdeal\ttable\tpar_ns\tpar_ew\tpar_contracts_ns\tpar_contracts_ew\t"
    "dealer_par_score\tdealer_par_contracts";
constexpr char SEAT_LETTERS[] = "NESW";
// Indexed by DDS's vulnerability code.
const char* const VULNERABILITY_NAMES[] = {"None", "All", "NS", "EW"};

std::string ddsError(int code) {
    char line[80] = {};
    ErrorMessage(code, line);
    return line;
}

// One line of the file for a deal written from the dealer's seat, or an empty
// string (with the reason on stderr) when DDS refuses it.
std::string tableLine(int dealer, int vulnerability, const std::string& deal) {
    ddTableDealPBN tableDeal = {};
    if (deal.size() >= sizeof tableDeal.cards) return "";
    std::strcpy(tableDeal.cards, deal.c_str());
    ddTableResults table = {};
    parResults par = {};
    parResultsDealer dealerPar = {};
    int status = CalcDDtablePBN(tableDeal, &table);
    if (status == RETURN_NO_FAULT) status = Par(&table, &par, vulnerability);
    if (status == RETURN_NO_FAULT) status = DealerPar(&table, &dealerPar, dealer, vulnerability);
    if (status != RETURN_NO_FAULT) {
        std::fprintf(stderr, "%s: %s\n", deal.c_str(), ddsError(status).c_str());
        return "";
    }
    std::ostringstream line;
    line << SEAT_LETTERS[dealer] << '\t' << VULNERABILITY_NAMES[vulnerability] << '\t' << deal
         << '\t';
    // Strains spades, hearts, diamonds, clubs, no trump; declarers N, E, S, W.
    for (int strain = 0; strain < DDS_STRAINS; ++strain) {
        for (int declarer = 0; declarer < DDS_HANDS; ++declarer) {
            line << (strain + declarer > 0 ? " " : "") << table.resTable[strain][declarer];
        }
    }
    line << '\t' << par.parScore[0] << '\t' << par.parScore[1] << '\t' << par.parContractsString[0]
         << '\t' << par.parContractsString[1] << '\t' << dealerPar.score << '\t';
    for (int i = 0; i < dealerPar.number; ++i) line << (i > 0 ? " " : "") << dealerPar.contracts[i];
    return line.str();
}

int indexOf(const std::string& text, const char* const* names, int count) {
    for (int i = 0; i < count; ++i) {
        if (text == names[i]) return i;
    }
    return -1;
}

int validate(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    if (!file || !std::getline(file, line) || line != HEADER) {
        std::printf("%s: cannot read, or not the expected header\n", path.c_str());
        return 2;
    }
    const char* const SEAT_NAMES[] = {"N", "E", "S", "W"};
    int checked = 0, differences = 0;
    while (std::getline(file, line)) {
        std::istringstream columns(line);
        std::string dealer, vulnerability, deal;
        std::getline(columns, dealer, '\t');
        std::getline(columns, vulnerability, '\t');
        std::getline(columns, deal, '\t');
        int seat = indexOf(dealer, SEAT_NAMES, 4);
        int vul = indexOf(vulnerability, VULNERABILITY_NAMES, 4);
        std::string computed = seat < 0 || vul < 0 ? "" : tableLine(seat, vul, deal);
        ++checked;
        if (computed != line) {
            ++differences;
            std::printf("file:     %s\nDDS gives %s\n", line.c_str(), computed.c_str());
        }
    }
    std::printf("%d lines, %d differences\n", checked, differences);
    return differences == 0 ? 0 : 1;
}

int generate(unsigned long long seed, int deals) {
    bridgeref::TestRandom random(seed);
    std::printf("%s\n", HEADER);
    for (int i = 0; i < deals; ++i) {
        bridgeref::Position position = bridgeref::randomFullDeal(random, bridgeref::NO_TRUMP, 0);
        int dealer = i % 4;
        std::string line = tableLine(dealer, (i / 4) % 4, bridgeref::pbnDeal(position, dealer));
        if (line.empty()) return 2;
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SetMaxThreads(1);
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "validate" && argc == 3) return validate(argv[2]);
    if (mode == "generate" && argc == 4) {
        return generate(std::strtoull(argv[2], nullptr, 10), std::atoi(argv[3]));
    }
    std::printf(
        "usage: dds_tables validate FILE\n"
        "       dds_tables generate SEED DEALS\n");
    return 2;
}
