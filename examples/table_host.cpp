// A host program that gets a deal's double-dummy table and par from the
// library: PBN text in, numbers out, no text parsing of results.
#include <ddsolver/ddsolver.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    using namespace ddsolver;
    // Each hand holds one suit: hand analysis gives every entry (see the README).
    const char* text = argc > 1 ? argv[1]
                                : "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. "
                                  "...AKQJT98765432";
    Deal deal;
    std::string reason;
    if (Deal::fromPbn(text, deal, DealSize::Full, &reason) != Status::Ok) {
        std::fprintf(stderr, "bad deal: %s\n", reason.c_str());
        return 1;
    }
    BridgeSolver solver;  // one per thread; reused across deals
    DdTable table;
    if (const Status status = solveTable(solver, deal, table); status != Status::Ok) {
        std::fprintf(stderr, "the solver refused the deal: %s\n", describe(status));
        return 1;
    }
    for (Strain strain : ALL_STRAINS) {
        std::printf("%-2s", strainText(strain));
        for (Seat seat : ALL_SEATS) std::printf(" %2d", table.at(strain, seat));
        std::printf("\n");
    }
    const ParResult par = dealerPar(table, Seat::North, Vulnerability::None);
    std::printf("par %d:", par.score);
    for (int i = 0; i < par.count; ++i) {
        std::printf(" %s", dealerParContractText(par.contracts[i]).c_str());
    }
    std::printf("\n");
    return 0;
}
