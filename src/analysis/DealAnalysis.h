// The library call of the table program: a deal in, its double-dummy table and
// par out, with no text in between.
#pragma once

#include "analysis/Par.h"
#include "analysis/Table.h"
#include "bridge/Engine.h"

namespace ddtable {

// Solves the 20 entries of a full deal's table (deal: 52 ints, 1-4 the holding
// seat N, E, S, W). For each strain, one solve per opening leader; the declarer
// is the seat before the leader. False, with the table unspecified, when the
// solver refuses the deal. `strains` (bit k for strain k) limits it to some
// strains, for benchmarks that time one strain; the others stay unset.
bool solveTable(bridge::Engine& solver, const int deal[52], Table& table, unsigned strains = 0x1F);

struct DealAnalysis {
    Table table;
    bool parKnown = false;  // false when the vulnerability is unknown
    ParResult dealerPar;    // par with the dealer deciding ties
    ParResult sidesPar[2];  // par with North-South, East-West bidding first
};

// Table and, when the vulnerability is known (VUL_NONE .. VUL_EW), par for the dealer (0-3).
bool analyseDeal(bridge::Engine& solver, const int deal[52], int dealer, int vulnerability,
                 DealAnalysis& analysis);

// Par of a table already known.
void computeParResults(DealAnalysis& analysis, int dealer, int vulnerability);

}  // namespace ddtable
