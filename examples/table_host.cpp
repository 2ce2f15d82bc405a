// A host program that gets a deal's double-dummy table and par from the
// library directly: PBN text in, numbers out, no text parsing of results.
#include <cstdio>

#include "analysis/DealAnalysis.h"
#include "analysis/ParText.h"
#include "analysis/PbnDeal.h"
#include "bridge/Engine.h"

int main(int argc, char** argv) {
    // Each hand holds one suit: hand analysis gives every entry (see the README).
    const char* text = argc > 1 ? argv[1]
                                : "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. "
                                  "...AKQJT98765432";
    int deal[52];
    std::string reason = ddtable::parseDealText(text, deal);
    if (!reason.empty()) {
        std::fprintf(stderr, "bad deal: %s\n", reason.c_str());
        return 1;
    }
    bridge::Engine solver;  // one per thread; reused across deals
    ddtable::DealAnalysis analysis;
    if (!ddtable::analyseDeal(solver, deal, 0, ddtable::VUL_NONE, analysis)) {
        std::fprintf(stderr, "the solver refused the deal\n");
        return 1;
    }
    const char* strains[] = {"S", "H", "D", "C", "NT"};
    for (int strain = 0; strain < ddtable::STRAINS; ++strain) {
        std::printf("%-2s", strains[strain]);
        for (int seat = 0; seat < ddtable::SEATS; ++seat) {
            std::printf(" %2d", analysis.table.tricks[strain][seat]);
        }
        std::printf("\n");
    }
    std::printf("par %d:", analysis.dealerPar.score);
    for (int i = 0; i < analysis.dealerPar.count; ++i) {
        std::printf(" %s", ddtable::dealerParContractText(analysis.dealerPar.contracts[i]).c_str());
    }
    std::printf("\n");
    return 0;
}
