// The public preferans solver: positions of the public vocabulary checked and
// turned into deal arrays for the single-position engine, results turned back.
#include "ddsolver/PrefSolver.h"

#include "core/EntryChecks.h"
#include "core/PositionRules.h"
#include "preferans/Solver.h"

namespace ddsolver {

struct PrefSolver::Impl {
    preferans::Solver engine;
};

namespace {

// The trump in force: none in misere.
int trumpOf(const PrefContract& contract) {
    return contract.misere ? NO_TRUMP : static_cast<int>(contract.trump);
}

Status checkContract(const PrefContract& contract) {
    if (!contract.misere && static_cast<int>(contract.trump) > NO_TRUMP) return Status::BadStrain;
    if (!core::PREFERANS.validSeat(static_cast<int>(contract.declarer))) return Status::BadDeclarer;
    return Status::Ok;
}

}  // namespace

PrefSolver::PrefSolver() : impl_(std::make_unique<Impl>()) {}
PrefSolver::~PrefSolver() = default;
PrefSolver::PrefSolver(PrefSolver&&) noexcept = default;
PrefSolver& PrefSolver::operator=(PrefSolver&&) noexcept = default;

Status PrefSolver::solve(const Position& position, const PrefContract& contract,
                         PrefResult& result) {
    if (impl_ == nullptr) return Status::NullArgument;  // a moved-from solver
    int deal[DEAL_CARDS];
    Status status = checkContract(contract);
    if (status == Status::Ok) status = core::toDealArray(core::PREFERANS, position, deal);
    const int leader = static_cast<int>(position.leader);
    const int declarer = static_cast<int>(contract.declarer);
    if (status == Status::Ok) {
        status = checkPreferansDeal(deal, trumpOf(contract), leader, declarer, contract.misere);
    }
    if (status != Status::Ok) return status;
    preferans::Solver& engine = impl_->engine;
    const uint64_t nodesBefore = engine.node_count;
    engine.solve(deal, trumpOf(contract), leader, declarer, contract.misere);
    result.declarer = engine.number_of_tricks_of_player;
    result.defenders = engine.number_of_tricks_of_vist;
    // The engine names no card when the player to move has none left.
    const bool cardsLeft =
        position.hands.count(static_cast<Seat>(core::seatToMove(core::PREFERANS, position))) > 0;
    result.best = cardsLeft ? Card(static_cast<Suit>(engine.bs), engine.bc + 7) : Card();
    result.nodes = engine.node_count - nodesBefore;
    return Status::Ok;
}

Status PrefSolver::cardValues(const Position& position, const PrefContract& contract,
                              std::vector<CardValue>& values) {
    values.clear();
    const Status status = checkContract(contract);
    if (status != Status::Ok) return status;
    const int declarer = static_cast<int>(contract.declarer);
    auto childValue = [&](const Position& after, Card, int mover, int winner, int& value) {
        const bool moverDeclares = mover == declarer;
        PrefResult result;
        const Status solved = solve(after, contract, result);
        if (solved != Status::Ok) return solved;
        value = moverDeclares ? result.declarer : result.defenders;
        if (winner >= 0 && (winner == declarer) == moverDeclares) ++value;
        return Status::Ok;
    };
    return core::valueEveryCard(core::PREFERANS, position, trumpOf(contract), childValue, values);
}

}  // namespace ddsolver
