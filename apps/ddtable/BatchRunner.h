// The table program's batch: every deal's table and par on worker threads,
// each with its own solver, delivered in input order.
#pragma once

#include <vector>

#include "apps/common/Batch.h"
#include "apps/ddtable/DealAnalysis.h"
#include "apps/ddtable/DealReader.h"

namespace ddtable {

using apps::Progress;
using DealJob = apps::BatchJob<DealRecord, DealAnalysis>;
// Receives every record in input order: solved false for a malformed or unsolved deal.
using DealSink = apps::BatchSink<DealRecord, DealAnalysis>;

// The job every deal gets by default: its table and par.
bool analyseRecord(ddsolver::BridgeSolver& solver, const DealRecord& record,
                   DealAnalysis& analysis);

// Reports a deal that was not solved on standard error, off the progress line.
void reportUnsolved(const DealRecord& record, Progress& progress);

// The batch of apps::runBatch, a malformed record failing without its job.
void runBatch(const std::vector<DealRecord>& records, int workers, const DealJob& job,
              const DealSink& sink, Progress& progress);

}  // namespace ddtable
