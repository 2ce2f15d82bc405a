// The double-dummy table of a deal: the tricks each seat takes as declarer in
// each strain, the seat on his left leading. A DdTable is a plain value;
// solveTable uses the solver it is given, so one call per solver at a time.
#pragma once

#include "BridgeSolver.h"
#include "Deal.h"
#include "Status.h"

namespace ddsolver {

struct DdTable {
    int tricks[5][4] = {};  // [strain][declarer], in the order of Strain and Seat

    int& at(Strain strain, Seat declarer) {
        return tricks[static_cast<int>(strain)][static_cast<int>(declarer)];
    }
    int at(Strain strain, Seat declarer) const {
        return tricks[static_cast<int>(strain)][static_cast<int>(declarer)];
    }
};

// Bit k stands for the strain of value k.
constexpr unsigned ALL_STRAINS_MASK = 0x1F;

// Solves the table of a full deal (13 cards each): one solve per declarer
// and strain, the solver's memory kept across the four leaders of a strain.
// `strains` limits it to some strains (the others are left as they were).
[[nodiscard]] Status solveTable(BridgeSolver& solver, const Deal& deal, DdTable& table,
                                unsigned strains = ALL_STRAINS_MASK);

}  // namespace ddsolver
