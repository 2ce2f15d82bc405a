// What the table program computes for a deal: its double-dummy table and,
// when the vulnerability is known, par for its dealer and for either side
// bidding first.
#pragma once

#include <optional>

#include "ddsolver/Par.h"
#include "ddsolver/Table.h"

namespace ddtable {

struct DealAnalysis {
    ddsolver::DdTable table;
    bool parKnown = false;            // false when the vulnerability is unknown
    ddsolver::ParResult dealerPar;    // par with the dealer deciding ties
    ddsolver::ParResult sidesPar[2];  // par with North-South, East-West bidding first
};

// The table of a full deal, and par when the vulnerability is known.
ddsolver::Status analyseDeal(ddsolver::BridgeSolver& solver, const ddsolver::Deal& deal,
                             ddsolver::Seat dealer,
                             std::optional<ddsolver::Vulnerability> vulnerability,
                             DealAnalysis& analysis);

// Par of a table already known.
void computeParResults(DealAnalysis& analysis, ddsolver::Seat dealer,
                       std::optional<ddsolver::Vulnerability> vulnerability);

}  // namespace ddtable
