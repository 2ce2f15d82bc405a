// The table program's batch over the generic one.
#include "apps/ddtable/BatchRunner.h"

#include <cstdio>

namespace ddtable {

bool analyseRecord(ddsolver::BridgeSolver& solver, const DealRecord& record,
                   DealAnalysis& analysis) {
    return analyseDeal(solver, record.deal, record.dealer, record.vulnerability, analysis) ==
           ddsolver::Status::Ok;
}

void reportUnsolved(const DealRecord& record, Progress& progress) {
    progress.finish();  // keep the message off the progress line
    std::fprintf(stderr, "ddtable: %s:%d: %s\n", record.source.c_str(), record.line,
                 record.error.empty() ? "the solver refused the deal" : record.error.c_str());
}

void runBatch(const std::vector<DealRecord>& records, int workers, const DealJob& job,
              const DealSink& sink, Progress& progress) {
    const DealJob wellFormedOnly = [&job](ddsolver::BridgeSolver& solver, const DealRecord& record,
                                          DealAnalysis& analysis) {
        return record.error.empty() && job(solver, record, analysis);
    };
    apps::runBatch(records, workers, wellFormedOnly, sink, progress);
}

}  // namespace ddtable
