// The public bridge solver: positions of the public vocabulary checked and
// turned into deal arrays for one engine, results turned back.
#include "ddsolver/BridgeSolver.h"

#include "bridge/Engine.h"
#include "core/EntryChecks.h"
#include "core/PositionRules.h"

namespace ddsolver {

struct BridgeSolver::Impl {
    explicit Impl(int tableBits) : engine(tableBits) {}
    bridge::Engine engine;
};

namespace {

// The largest table that fits in the megabytes given (the smallest at least).
int tableBitsFor(std::size_t megabytes) {
    const std::size_t bytes = megabytes << 20;
    int bits = bridge::Engine::MIN_TABLE_BITS;
    while (bits < bridge::Engine::MAX_TABLE_BITS && bridge::Engine::tableBytes(bits + 1) <= bytes)
        ++bits;
    return bits;
}

}  // namespace

BridgeSolver::BridgeSolver(const BridgeOptions& options)
    : impl_(std::make_unique<Impl>(tableBitsFor(options.tableMegabytes))) {}
BridgeSolver::~BridgeSolver() = default;
BridgeSolver::BridgeSolver(BridgeSolver&&) noexcept = default;
BridgeSolver& BridgeSolver::operator=(BridgeSolver&&) noexcept = default;

namespace {

// The position as the engine reads it, or why it is refused.
Status engineDeal(const Position& position, int deal[DEAL_CARDS]) {
    const int strain = static_cast<int>(position.strain);
    if (strain > NO_TRUMP) return Status::BadStrain;
    const Status status = core::toDealArray(core::BRIDGE, position, deal);
    if (status != Status::Ok) return status;
    return checkBridgeDeal(deal, strain, static_cast<int>(position.leader));
}

}  // namespace

Status BridgeSolver::solve(const Position& position, BridgeResult& result) {
    if (impl_ == nullptr) return Status::NullArgument;  // a moved-from solver
    int deal[DEAL_CARDS];
    const Status status = engineDeal(position, deal);
    if (status != Status::Ok) return status;
    const int strain = static_cast<int>(position.strain);
    const int leader = static_cast<int>(position.leader);
    bridge::Result found;
    if (!impl_->engine.solve(deal, strain, leader, false, found)) return Status::OutOfMemory;
    result.northSouth = found.northSouth;
    result.eastWest = found.eastWest;
    result.best =
        found.bestSuit < 0 ? Card() : Card(static_cast<Suit>(found.bestSuit), found.bestRank + 2);
    result.nodes = static_cast<uint64_t>(found.nodes);
    return Status::Ok;
}

Status BridgeSolver::reaches(const Position& position, Side side, int target, bool& reached) {
    if (impl_ == nullptr) return Status::NullArgument;
    int deal[DEAL_CARDS];
    const Status status = engineDeal(position, deal);
    if (status != Status::Ok) return status;
    int cards = 0;
    for (int code : deal) cards += isInPlayCode(code);
    // East-West take `target` when North-South take no more than the rest.
    const bool northSouth = side == Side::NorthSouth;
    const int targetNorthSouth = northSouth ? target : cards / 4 - target + 1;
    bool reachedNorthSouth = false;
    if (!impl_->engine.reaches(deal, static_cast<int>(position.strain),
                               static_cast<int>(position.leader), targetNorthSouth,
                               reachedNorthSouth))
        return Status::OutOfMemory;
    reached = reachedNorthSouth == northSouth;
    return Status::Ok;
}

Status BridgeSolver::cardValues(const Position& position, std::vector<CardValue>& values) {
    values.clear();
    const int strain = static_cast<int>(position.strain);
    if (strain > NO_TRUMP) return Status::BadStrain;
    auto childValue = [&](const Position& after, Card, int mover, int winner, int& value) {
        BridgeResult result;
        const Status status = solve(after, result);
        if (status != Status::Ok) return status;
        value = (mover & 1) == 0 ? result.northSouth : result.eastWest;
        if (winner >= 0 && ((winner ^ mover) & 1) == 0) ++value;
        return Status::Ok;
    };
    return core::valueEveryCard(core::BRIDGE, position, strain, childValue, values);
}

}  // namespace ddsolver
