// The static request and result fields of the bridge entries, the default
// engine behind them, and the table and solve wrappers over it.
#include "ddsolver/compat/BridgePosition.h"

#include <algorithm>

#include "bridge/Engine.h"
#include "compat/DefaultEngine.h"
#include "core/EntryChecks.h"
#include "ddsolver/compat/DealCodes.h"

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

bridge::Engine& compat::defaultEngine() {
    static bridge::Engine engine;
    return engine;
}

bool BridgePosition::allocateTables() {
    trump = 4;
    freeTables();
    bridge::Engine& engine = compat::defaultEngine();
    if (!engine.reserveTable()) return false;
    engine.forgetDeal();
    tablesAllocated = true;
    return true;
}

void BridgePosition::freeTables() {
    compat::defaultEngine().releaseTable();
    tablesAllocated = false;
}

// Codes outside 0 to 8 are cards out of play here. The trump passed comes
// into force only when the table is cleared; the results change only when
// the engine accepts the position.
bool BridgePosition::solveposition(const int* deal, char trumpSuit) {
    if (checkBridgeDeal(deal, trumpSuit, firstmove) != Status::Ok) return false;
    if (!tablesAllocated) return false;
    int copy[DEAL_CARDS];
    for (int i = 0; i < DEAL_CARDS; ++i) {
        copy[i] = deal[i] >= CODE_OUT_OF_PLAY && deal[i] < CODE_COUNT ? deal[i] : CODE_OUT_OF_PLAY;
    }
    bridge::Engine& engine = compat::defaultEngine();
    bridge::Result result;
    if (!engine.solveKeepingTrump(copy, trumpSuit, trump, firstmove, trumpChanged, old_ptr, result))
        return false;
    std::copy(deal, deal + DEAL_CARDS, old_ptr);
    trump = static_cast<signed char>(engine.trumpInForce());
    trumpChanged = false;
    NodeCount = static_cast<int>(result.nodes);
    EastWestTricks = static_cast<short>(result.eastWest);
    NorthSouthTricks = static_cast<short>(result.northSouth);
    bc = static_cast<signed char>(result.bestRank);
    bs = static_cast<signed char>(result.bestSuit);
    return true;
}
