// The preferans double-dummy solver: the declarer's and the defenders' tricks
// in a position, the best card and every legal card's value; and the
// hidden-layout analysis, which solves every way the twenty cards the
// declarer cannot see may lie. PrefSolver: one object per thread, used by
// one thread at a time. prefHistogram: any thread; it runs its own workers,
// which call the stop check at the same time. PrefContract, PrefResult and
// PrefHistogram are plain values.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "Deal.h"
#include "Status.h"

namespace ddsolver {

// Trump (or no trump), misère, and the declarer (North, East or West).
struct PrefContract {
    Strain trump = Strain::NoTrump;  // not read in misère, which has no trump
    bool misere = false;
    Seat declarer = Seat::North;
};

// The tricks from the current trick on (this trick included).
struct PrefResult {
    int declarer = 0;
    int defenders = 0;
    Card best;  // a card of the player to move that keeps the optimum; none when no card is left
    uint64_t nodes = 0;  // positions searched
};

class PrefSolver {
   public:
    PrefSolver();
    ~PrefSolver();
    PrefSolver(PrefSolver&&) noexcept;
    PrefSolver& operator=(PrefSolver&&) noexcept;
    PrefSolver(const PrefSolver&) = delete;
    PrefSolver& operator=(const PrefSolver&) = delete;

    // The position's strain is not read: the contract gives the trump. Cards
    // run from the seven to the ace; South holds none.
    [[nodiscard]] Status solve(const Position& position, const PrefContract& contract,
                               PrefResult& result);

    // Every legal card of the player to move with the tricks his side takes
    // (in misère the declarer's side counts the declarer's tricks), best
    // first, equal values in suit order, high cards first.
    [[nodiscard]] Status cardValues(const Position& position, const PrefContract& contract,
                                    std::vector<CardValue>& values);

   private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The ways to deal the twenty unseen cards ten and ten, numbered in
// lexicographic order of the cards West gets.
constexpr int PREF_SPLITS = 184756;

// How many splits gave the declarer 0, 1, ..., 10 tricks.
using PrefHistogram = std::array<uint64_t, 11>;

// Asked before every split, from every worker: true stops the analysis.
using StopCheck = std::function<bool()>;

// The hidden-layout analysis of a preferans deal: `dealText` holds North's
// (the declarer's) ten cards, the two cards out of play marked '*', and
// optionally North's card already led marked '#' (then nine cards besides),
// suits separated by dots ("aqjt9.ak*7*8.kq.a"). Splits `first` to `end` - 1
// (clamped to 0 .. PREF_SPLITS) are solved on `threads` threads (0: one per
// core) and counted into `histogram`, which is added to. With a stop check,
// the histogram counts exactly the splits solved before it said stop.
[[nodiscard]] Status prefHistogram(std::string_view dealText, const PrefContract& contract,
                                   Seat leader, int first, int end, int threads,
                                   const StopCheck& stop, PrefHistogram& histogram);

}  // namespace ddsolver
