// The table program's batch over the generic one.
#include "apps/ddtable/BatchRunner.h"

namespace ddtable {

bool analyseRecord(ddsolver::BridgeSolver& solver, const DealRecord& record,
                   DealAnalysis& analysis) {
    return analyseDeal(solver, record.deal, record.dealer, record.vulnerability, analysis) ==
           ddsolver::Status::Ok;
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
