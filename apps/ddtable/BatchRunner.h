// Solves a list of deals on worker threads, each with its own solver, and
// hands the results back on the calling thread in input order.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "apps/ddtable/DealAnalysis.h"
#include "apps/ddtable/DealReader.h"
#include "apps/ddtable/Progress.h"
#include "ddsolver/BridgeSolver.h"

namespace ddtable {

// Work on one well-formed deal; false when it could not be solved.
using DealJob = std::function<bool(ddsolver::BridgeSolver&, const DealRecord&, DealAnalysis&)>;
// Receives every record in input order: solved false for a malformed or unsolved deal.
using DealSink = std::function<void(const DealRecord&, bool solved, const DealAnalysis&)>;

// The job every deal gets by default: its table and par.
bool analyseRecord(ddsolver::BridgeSolver& solver, const DealRecord& record,
                   DealAnalysis& analysis);

// Workers take the next deal as they come free, so a slow deal holds up no
// other worker; a record is delivered as soon as it and all before it are done.
void runBatch(const std::vector<DealRecord>& records, int workers, const DealJob& job,
              const DealSink& sink, Progress& progress);

}  // namespace ddtable
