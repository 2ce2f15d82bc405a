// One deal's table and par through one solver object. The solver keeps its
// table across the four leaders of a strain, so only the first is fresh.
#include "analysis/DealAnalysis.h"

namespace ddtable {

bool solveTable(bridge::Engine& solver, const int deal[52], Table& table, unsigned strains) {
    int held[SEATS] = {0, 0, 0, 0};
    for (int i = 0; i < 52; ++i) {
        if (deal[i] < 1 || deal[i] > 4) return false;
        ++held[deal[i] - 1];
    }
    for (int seat = 0; seat < SEATS; ++seat) {
        if (held[seat] != 13) return false;
    }
    for (int strain = 0; strain < STRAINS; ++strain) {
        if ((strains >> strain & 1) == 0) continue;
        for (int leader = 0; leader < SEATS; ++leader) {
            bridge::Result result;
            if (!solver.solve(deal, strain, leader, leader == 0, result)) return false;
            const int declarer = (leader + 3) % SEATS;
            table.tricks[strain][declarer] =
                sideOf(declarer) == 0 ? result.northSouth : result.eastWest;
        }
    }
    return true;
}

void computeParResults(DealAnalysis& analysis, int dealer, int vulnerability) {
    analysis.parKnown =
        vulnerability >= VUL_NONE && vulnerability <= VUL_EW && dealer >= 0 && dealer < SEATS;
    if (!analysis.parKnown) return;
    analysis.dealerPar = dealerPar(analysis.table, dealer, vulnerability);
    for (int side = 0; side < 2; ++side) {
        analysis.sidesPar[side] = sidesPar(analysis.table, side, vulnerability);
    }
}

bool analyseDeal(bridge::Engine& solver, const int deal[52], int dealer, int vulnerability,
                 DealAnalysis& analysis) {
    if (!solveTable(solver, deal, analysis.table)) return false;
    computeParResults(analysis, dealer, vulnerability);
    return true;
}

}  // namespace ddtable
