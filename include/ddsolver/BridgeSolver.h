// The bridge double-dummy solver: how many tricks each side takes from a
// position with best play, which card to play, and what every legal card is
// worth. One object per thread: an object is used by one thread at a time,
// and objects on different threads never share anything. BridgeResult and
// BridgeOptions are plain values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Deal.h"
#include "Status.h"

namespace ddsolver {

// The tricks each side takes from the current trick on (this trick included).
struct BridgeResult {
    int northSouth = 0;
    int eastWest = 0;
    Card best;  // a card of the seat to move that keeps the optimum; none when no card is left
    uint64_t nodes = 0;  // positions searched: a measure of the work
};

struct BridgeOptions {
    // Address space reserved for the transposition table, rounded down to a
    // power of two of its buckets (at least about 1 MB). The memory is
    // touched only as the search fills it: a full deal uses some 40 MB.
    std::size_t tableMegabytes = 42;
};

class BridgeSolver {
   public:
    explicit BridgeSolver(const BridgeOptions& options = {});
    ~BridgeSolver();
    BridgeSolver(BridgeSolver&&) noexcept;
    BridgeSolver& operator=(BridgeSolver&&) noexcept;
    BridgeSolver(const BridgeSolver&) = delete;
    BridgeSolver& operator=(const BridgeSolver&) = delete;

    // Solves the position. The solver keeps what it learnt while the cards
    // stay with their holders and the strain stays the same, so the leaders
    // of a deal and the positions of one play cost little after the first.
    [[nodiscard]] Status solve(const Position& position, BridgeResult& result);

    // Whether `side` takes at least `target` tricks from the current trick on
    // (this trick included): one null-window test, cheaper than a solve when
    // only the question "does it make?" matters.
    [[nodiscard]] Status reaches(const Position& position, Side side, int target, bool& reached);

    // Every legal card of the seat to move with its value, best first (equal
    // values in suit order, high cards first); cards equivalent to one
    // another are solved once. What DDS's SolveBoard gives with solutions 3.
    [[nodiscard]] Status cardValues(const Position& position, std::vector<CardValue>& values);

   private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace ddsolver
