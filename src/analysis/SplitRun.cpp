// The solving half of the hidden-layout analysis: contiguous shares of the
// range on worker threads, so that each solver's table stays warm across
// neighbouring splits.
#include "analysis/SplitRun.h"

#include <algorithm>
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
// A short share needs no large table: this much per split at most.
constexpr size_t TABLE_BYTES_PER_SPLIT = size_t{512} << 10;

struct Share {
    int first = 0;
    int end = 0;
    int histogram[TRICK_COUNTS] = {0};
    uint64_t nodes = 0;  // the share's solver's, read after the join
    preferans::LayoutCounters counters;
};

void solveShare(const SplitJob& job, size_t tableBytes, const StopCheck& stop, Share& share) {
    if (share.first >= share.end) return;
    const size_t forShare = static_cast<size_t>(share.end - share.first) * TABLE_BYTES_PER_SPLIT;
    std::unique_ptr<preferans::LayoutSolver> made;
    try {
        made.reset(new preferans::LayoutSolver(std::min(tableBytes, forShare)));
    } catch (const std::bad_alloc&) {
        made.reset(new preferans::LayoutSolver(0));  // the smallest table
    }
    preferans::LayoutSolver& solver = *made;
    Permutations splits(HIDDEN_CARDS / 2, HIDDEN_CARDS, COMBINATION);
    seekSplit(splits, share.first);
    preferans::LayoutPosition position;
    position.leader = job.leader;
    position.hands[job.game.declarer] = job.declarerHand;
    if (job.leadCard >= 0) {
        position.trickCount = 1;
        position.trick[0] = __builtin_ctz(layoutCardBit(job.leadCard));
    }
    const int seat1 = (job.game.declarer + 1) % preferans::PLAYERS;
    const int seat3 = (job.game.declarer + 2) % preferans::PLAYERS;
    int guess = 0;
    for (int split = share.first; split < share.end; split++) {
        if (stop && stop()) break;
        preferans::CardSet all = 0;
        preferans::CardSet chosen = 0;
        for (preferans::CardSet c : job.hidden) all |= c;
        const int* digits = splits.current();
        for (int i = 0; i < splits.k; i++) chosen |= job.hidden[digits[i]];
        position.hands[seat1] = all & ~chosen;
        position.hands[seat3] = chosen;
        guess = solver.declarerTricks(job.game, position, guess);
        assert(guess >= 0 && guess < TRICK_COUNTS);
        share.histogram[guess]++;
        splits.next();
    }
    share.nodes = solver.nodes();
    share.counters = solver.counters();
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
    const size_t tableBytes =
        std::min(preferans::LayoutSolver::DEFAULT_TABLE_BYTES, RUN_TABLE_BYTES / count);
    std::vector<Share> shares(count);
    for (int i = 0; i < count; i++) {
        shares[i].first = first + static_cast<int>(static_cast<long long>(end - first) * i / count);
        shares[i].end =
            first + static_cast<int>(static_cast<long long>(end - first) * (i + 1) / count);
    }
    // Share 0 runs on the calling thread; a share whose thread cannot be
    // started runs there too, after its own.
    std::vector<std::thread> workers;
    std::vector<int> unstarted;
    for (int i = 1; i < count; i++) {
        try {
            workers.emplace_back(solveShare, std::cref(job), tableBytes, std::cref(stop),
                                 std::ref(shares[i]));
        } catch (const std::system_error&) {
            unstarted.push_back(i);
        }
    }
    solveShare(job, tableBytes, stop, shares[0]);
    for (int i : unstarted) solveShare(job, tableBytes, stop, shares[i]);
    for (std::thread& t : workers) t.join();
    for (const Share& share : shares) {
        for (int t = 0; t < TRICK_COUNTS; t++) histogram[t] += share.histogram[t];
        if (nodes != nullptr) *nodes += share.nodes;
        if (counters != nullptr) counters->add(share.counters);
    }
}
