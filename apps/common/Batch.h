// A batch of items (deals, boards) solved on worker threads, each worker with
// its own bridge solver, the results handed back on the calling thread in
// input order.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "apps/common/Progress.h"
#include "ddsolver/BridgeSolver.h"

namespace apps {

// Work on one item; false when it failed.
template <typename Item, typename Result>
using BatchJob = std::function<bool(ddsolver::BridgeSolver&, const Item&, Result&)>;
// Receives every item in input order, with whether its job succeeded.
template <typename Item, typename Result>
using BatchSink = std::function<void(const Item&, bool done, const Result&)>;

// Workers take the next item as they come free, so a slow item holds up no
// other worker; an item is delivered as soon as it and all before it are done.
template <typename Item, typename Result>
void runBatch(const std::vector<Item>& items, int workers, const BatchJob<Item, Result>& job,
              const BatchSink<Item, Result>& sink, Progress& progress) {
    const std::size_t total = items.size();
    enum : char { PENDING, DONE, FAILED };
    std::vector<char> state(total, PENDING);
    std::vector<std::unique_ptr<Result>> results(total);
    std::atomic<std::size_t> next{0};
    std::mutex lock;
    std::condition_variable doneSignal;

    auto work = [&]() {
        ddsolver::BridgeSolver solver;
        for (std::size_t i = next++; i < total; i = next++) {
            auto result = std::make_unique<Result>();
            const bool done = job(solver, items[i], *result);
            std::lock_guard<std::mutex> hold(lock);
            results[i] = std::move(result);
            state[i] = done ? DONE : FAILED;
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
        std::unique_ptr<Result> result = std::move(results[i]);
        const bool done = state[i] == DONE;
        hold.unlock();
        sink(items[i], done, *result);
        progress.update(i + 1);
    }
    for (std::thread& thread : threads) thread.join();
    progress.finish();
}

}  // namespace apps
