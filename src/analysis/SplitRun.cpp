// The solving half of the hidden-layout analysis. In misere the worker
// threads share one table, where each finds what the others stored, and
// take the range in blocks, in order, so that all of them work on
// neighbouring splits, whose positions overlap most. In trump games each
// worker keeps a table of its own and solves a contiguous share of the
// range, over which the table stays warm.
#include "analysis/SplitRun.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "analysis/HiddenLayout.h"
#include "core/Permutations.h"

namespace {

constexpr int TRICK_COUNTS = 11;
constexpr int MAX_THREADS = 256;
// All the tables of one run together stay within this size, whatever the
// thread count.
constexpr size_t RUN_TABLE_BYTES = size_t{128} << 20;
// A short range needs no large table: this much per split at most.
constexpr size_t TABLE_BYTES_PER_SPLIT = size_t{512} << 10;
// Splits a worker on the shared table takes at a time: few enough that the
// workers stay close in the range and finish together.
constexpr int BLOCK_SPLITS = 64;

// The most table a run of `splits` splits can use.
size_t forSplits(int splits) {
    return static_cast<size_t>(splits) * TABLE_BYTES_PER_SPLIT;
}

// What the workers of one run share.
struct Run {
    const SplitJob& job;
    const StopCheck& stop;
    int end;
    std::atomic<int> next;           // the first split no worker has taken
    preferans::LayoutTable* shared;  // the table of all workers, or null
    size_t tableBytes;               // each worker's own table otherwise, at most
};

struct Worker {
    int first = 0;  // the worker's share, when it has a table of its own
    int end = 0;
    int histogram[TRICK_COUNTS] = {0};
    uint64_t nodes = 0;  // the worker's solver's, read after the join
    preferans::LayoutCounters counters;
};

std::unique_ptr<preferans::LayoutSolver> makeSolver(const Run& run, const Worker& worker) {
    if (run.shared != nullptr) {
        return std::unique_ptr<preferans::LayoutSolver>(
            new preferans::LayoutSolver(*run.shared, run.job.game));
    }
    // A short share needs no large table.
    const size_t bytes = std::min(run.tableBytes, forSplits(worker.end - worker.first));
    try {
        return std::unique_ptr<preferans::LayoutSolver>(new preferans::LayoutSolver(bytes));
    } catch (const std::bad_alloc&) {
        return std::unique_ptr<preferans::LayoutSolver>(
            new preferans::LayoutSolver(0));  // the smallest table
    }
}

// Solves splits first to end-1 into the worker's histogram; false when the
// stop check ended the block early.
bool solveBlock(const Run& run, preferans::LayoutSolver& solver, int first, int end,
                Worker& worker) {
    const SplitJob& job = run.job;
    Permutations splits(HIDDEN_CARDS / 2, HIDDEN_CARDS, COMBINATION);
    seekSplit(splits, first);
    preferans::LayoutPosition position;
    position.leader = job.leader;
    position.hands[job.game.declarer] = job.declarerHand;
    if (job.leadCard >= 0) {
        position.trickCount = 1;
        position.trick[0] = __builtin_ctz(layoutCardBit(job.leadCard));
    }
    const int seat1 = (job.game.declarer + 1) % preferans::PLAYERS;
    const int seat3 = (job.game.declarer + 2) % preferans::PLAYERS;
    preferans::CardSet all = 0;
    for (preferans::CardSet c : job.hidden) all |= c;
    int guess = 0;
    for (int split = first; split < end; split++) {
        if (run.stop && run.stop()) return false;
        preferans::CardSet chosen = 0;
        const int* digits = splits.current();
        for (int i = 0; i < splits.k; i++) chosen |= job.hidden[digits[i]];
        position.hands[seat1] = all & ~chosen;
        position.hands[seat3] = chosen;
        guess = solver.declarerTricks(job.game, position, guess);
        assert(guess >= 0 && guess < TRICK_COUNTS);
        worker.histogram[guess]++;
        splits.next();
    }
    return true;
}

void work(Run& run, Worker& worker) {
    if (run.shared == nullptr && worker.first >= worker.end) return;
    const std::unique_ptr<preferans::LayoutSolver> solver = makeSolver(run, worker);
    if (run.shared == nullptr) {
        solveBlock(run, *solver, worker.first, worker.end, worker);
    } else {
        for (;;) {
            const int first = run.next.fetch_add(BLOCK_SPLITS, std::memory_order_relaxed);
            if (first >= run.end) break;
            const int end = std::min(run.end, first + BLOCK_SPLITS);
            if (!solveBlock(run, *solver, first, end, worker)) break;
        }
    }
    worker.nodes = solver->nodes();
    worker.counters = solver->counters();
}

// The table all workers of a misere run share, sized for the run; null when
// it cannot be made or would be too small to share.
std::unique_ptr<preferans::LayoutTable> sharedTable(const SplitJob& job, int splits) {
    if (!job.game.misere) return nullptr;
    const size_t bytes = std::min(RUN_TABLE_BYTES, forSplits(splits));
    std::unique_ptr<preferans::LayoutTable> table;
    try {
        table.reset(new preferans::LayoutTable(bytes));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    table->reset(false);
    if (!table->shareable()) table.reset();
    return table;
}

}  // namespace

SplitJob makeSplitJob(const int playerCards[10], const int knownCards[12], int leadCard, int trump,
                      bool misere, int leader) {
    int hiddenCards[HIDDEN_CARDS];
    listHiddenCards(knownCards, hiddenCards);
    SplitJob job;
    const int playerCount = leadCard >= 0 ? 9 : 10;
    for (int i = 0; i < playerCount; i++) job.declarerHand |= layoutCardBit(playerCards[i]);
    for (int i = 0; i < HIDDEN_CARDS; i++) job.hidden[i] = layoutCardBit(hiddenCards[i]);
    job.leadCard = leadCard;
    job.game.misere = misere;
    job.game.trump = misere ? preferans::NO_TRUMP : trump;
    job.game.declarer = 0;
    job.leader = leader;
    return job;
}

preferans::CardSet layoutCardBit(int dealIndex) {
    const int suit = dealIndex / 13;
    const int rank = 7 - dealIndex % 13;
    return 1u << (suit * 8 + rank);
}

void solveSplits(const SplitJob& job, int first, int end, int threads, const StopCheck& stop,
                 int histogram[11], uint64_t* nodes, preferans::LayoutCounters* counters) {
    // Only the splits there are: none is counted twice.
    first = std::max(first, 0);
    end = std::min(end, HIDDEN_SPLITS);
    if (first >= end) return;
    const int count = std::min(std::clamp(threads, 1, MAX_THREADS), end - first);
    const std::unique_ptr<preferans::LayoutTable> shared = sharedTable(job, end - first);
    Run run{job, stop, end, {first}, shared.get(),
            std::min(preferans::LayoutSolver::DEFAULT_TABLE_BYTES, RUN_TABLE_BYTES / count)};
    std::vector<Worker> workers(count);
    for (int i = 0; i < count; i++) {
        workers[i].first = first + static_cast<int>(static_cast<long long>(end - first) * i / count);
        workers[i].end =
            first + static_cast<int>(static_cast<long long>(end - first) * (i + 1) / count);
    }
    // Worker 0 runs on the calling thread; a worker whose thread cannot be
    // started runs there too, after it.
    std::vector<std::thread> threadsStarted;
    std::vector<int> unstarted;
    for (int i = 1; i < count; i++) {
        try {
            threadsStarted.emplace_back(work, std::ref(run), std::ref(workers[i]));
        } catch (const std::system_error&) {
            unstarted.push_back(i);
        }
    }
    work(run, workers[0]);
    for (int i : unstarted) work(run, workers[i]);
    for (std::thread& t : threadsStarted) t.join();
    for (const Worker& worker : workers) {
        for (int t = 0; t < TRICK_COUNTS; t++) histogram[t] += worker.histogram[t];
        if (nodes != nullptr) *nodes += worker.nodes;
        if (counters != nullptr) counters->add(worker.counters);
    }
}
