// One deal's table and par through one solver.
#include "apps/ddtable/DealAnalysis.h"

namespace ddtable {

using namespace ddsolver;

void computeParResults(DealAnalysis& analysis, Seat dealer,
                       std::optional<Vulnerability> vulnerability) {
    analysis.parKnown = vulnerability.has_value();
    if (!analysis.parKnown) return;
    analysis.dealerPar = dealerPar(analysis.table, dealer, *vulnerability);
    analysis.sidesPar[0] = sidesPar(analysis.table, Side::NorthSouth, *vulnerability);
    analysis.sidesPar[1] = sidesPar(analysis.table, Side::EastWest, *vulnerability);
}

Status analyseDeal(BridgeSolver& solver, const Deal& deal, Seat dealer,
                   std::optional<Vulnerability> vulnerability, DealAnalysis& analysis) {
    const Status status = solveTable(solver, deal, analysis.table);
    if (status == Status::Ok) computeParResults(analysis, dealer, vulnerability);
    return status;
}

}  // namespace ddtable
