// The batch: an atomic next-deal counter feeds the workers; results wait in
// their slots until the caller's thread delivers them in order.
#include "apps/ddtable/BatchRunner.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace ddtable {

bool analyseRecord(ddsolver::BridgeSolver& solver, const DealRecord& record,
                   DealAnalysis& analysis) {
    return analyseDeal(solver, record.deal, record.dealer, record.vulnerability, analysis) ==
           ddsolver::Status::Ok;
}

void runBatch(const std::vector<DealRecord>& records, int workers, const DealJob& job,
              const DealSink& sink, Progress& progress) {
    const std::size_t total = records.size();
    enum : char { PENDING, SOLVED, FAILED };
    std::vector<char> state(total, PENDING);
    std::vector<std::unique_ptr<DealAnalysis>> results(total);
    std::atomic<std::size_t> next{0};
    std::mutex lock;
    std::condition_variable doneSignal;

    auto work = [&]() {
        ddsolver::BridgeSolver solver;
        for (std::size_t i = next++; i < total; i = next++) {
            auto analysis = std::make_unique<DealAnalysis>();
            bool solved = records[i].error.empty() && job(solver, records[i], *analysis);
            std::lock_guard<std::mutex> hold(lock);
            results[i] = std::move(analysis);
            state[i] = solved ? SOLVED : FAILED;
            doneSignal.notify_one();
        }
    };
    if (workers < 1) workers = 1;
    std::vector<std::thread> threads;
    for (int w = 0; w < workers && static_cast<std::size_t>(w) < total; ++w)
        threads.emplace_back(work);

    progress.update(0);
    for (std::size_t i = 0; i < total; ++i) {
        std::unique_lock<std::mutex> hold(lock);
        while (state[i] == PENDING) {
            doneSignal.wait_for(hold, std::chrono::milliseconds(250));
            progress.update(i);
        }
        std::unique_ptr<DealAnalysis> analysis = std::move(results[i]);
        bool solved = state[i] == SOLVED;
        hold.unlock();
        sink(records[i], solved, *analysis);
        progress.update(i + 1);
    }
    for (std::thread& thread : threads) thread.join();
    progress.finish();
}

}  // namespace ddtable
