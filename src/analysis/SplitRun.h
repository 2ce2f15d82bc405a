// The solving half of the hidden-layout analysis: a range of splits shared
// out to worker threads, each with its own solver, their histograms added.
#pragma once

#include <cstdint>
#include <functional>

#include "preferans/LayoutSolver.h"

// What the splits of one analysis have in common.
struct SplitJob {
    preferans::LayoutGame game;
    preferans::CardSet declarerHand = 0;  // without the card led, if any
    preferans::CardSet hidden[20] = {};   // the unseen cards, in split order
    int leadCard = -1;                    // deal array index of the declarer's lead, or -1
    int leader = 0;                       // player index
};

// The job of a deal text that parseDeal accepted: its player cards (nine
// when it holds a lead card), known cards and lead card (or -1); the trump
// (0-3, or 4 for none) and misere of the contract; the leader as a player
// in playing order (0 the declarer, 1 and 2 the defenders).
SplitJob makeSplitJob(const int playerCards[10], const int knownCards[12], int leadCard, int trump,
                      bool misere, int leader);

// The solver's card of a deal array index (suit * 13 + rank position, ace first).
preferans::CardSet layoutCardBit(int dealIndex);

// Asked before every split, from every worker thread: true stops the run.
using StopCheck = std::function<bool()>;

// Solves splits first to end-1 (clamped to the splits there are) on `threads`
// threads (at least 1) and adds the declarer's trick counts to `histogram`.
// Every worker asks `stop` (when given) before each split and stops when it
// says so; the histogram counts exactly the splits solved. When `nodes` is
// given, the positions the run's solvers searched are added to it: with a
// fixed thread count and range, a signature of the search; `counters` gets
// their search counters likewise.
void solveSplits(const SplitJob& job, int first, int end, int threads, const StopCheck& stop,
                 int histogram[11], uint64_t* nodes = nullptr,
                 preferans::LayoutCounters* counters = nullptr);
