// The static request and result fields of the bridge entries, the default
// solver behind them, and the table and solve wrappers over it.
#include "BridgePosition.h"

#include <algorithm>
#include <iterator>

#include "BridgeSolver.h"
#include "DealCodes.h"
#include "EntryChecks.h"

signed char BridgePosition::trump;
int BridgePosition::NodeCount;
bool BridgePosition::trumpChanged;
int BridgePosition::firstmove;
int BridgePosition::nextmove;
int BridgePosition::maximize;
int BridgePosition::guess;
int BridgePosition::old_ptr[52];
signed char BridgePosition::bc;
signed char BridgePosition::bs;
short BridgePosition::EastWestTricks;
short BridgePosition::NorthSouthTricks;

namespace {

// True between allocateTables and freeTables: the entries solve only then.
bool tablesAllocated = false;

}  // namespace

BridgeSolver& BridgePosition::defaultSolver() {
    static BridgeSolver solver;
    return solver;
}

bool BridgePosition::allocateTables() {
    trump = 4;
    freeTables();
    BridgeSolver& solver = defaultSolver();
    if (!solver.reserveTable()) return false;
    solver.forgetDeal();
    tablesAllocated = true;
    return true;
}

void BridgePosition::freeTables() {
    defaultSolver().releaseTable();
    tablesAllocated = false;
}

// Codes outside 0 to 8 are cards out of play here. The trump passed comes
// into force only when the table is cleared; the results change only when
// the solver accepts the position.
bool BridgePosition::solveposition(const int* deal, char trumpSuit) {
    if (checkBridgeDeal(deal, trumpSuit, firstmove) != EntryProblem::NONE) return false;
    if (!tablesAllocated) return false;
    int copy[DEAL_CARDS];
    for (int i = 0; i < DEAL_CARDS; ++i) {
        copy[i] = deal[i] >= CODE_OUT_OF_PLAY && deal[i] < CODE_COUNT ? deal[i] : CODE_OUT_OF_PLAY;
    }
    BridgeSolver& solver = defaultSolver();
    std::copy(std::begin(old_ptr), std::end(old_ptr), solver.previousDeal);
    if (!solver.solveKeepingTrump(copy, trumpSuit, trump, firstmove, trumpChanged)) return false;
    std::copy(deal, deal + 52, old_ptr);
    trump = static_cast<signed char>(solver.trumpInForce());
    trumpChanged = false;
    NodeCount = static_cast<int>(solver.NodeCount);
    EastWestTricks = solver.EastWestTricks;
    NorthSouthTricks = solver.NorthSouthTricks;
    bc = solver.bc;
    bs = solver.bs;
    return true;
}
