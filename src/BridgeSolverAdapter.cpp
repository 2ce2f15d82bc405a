// The solver object over the static bridge solver: every solve takes one
// process-wide lock, so objects on several threads take turns on one table.
#include <atomic>
#include <mutex>

#include "BridgePosition.h"
#include "BridgeSolver.h"

namespace {

std::mutex solverLock;
bool tablesReady = false;
// The object whose solve ran last: the shared table holds its entries only.
unsigned long long lastUser = 0;
std::atomic<unsigned long long> nextSerial{1};

}  // namespace

BridgeSolver::BridgeSolver() : serial_(nextSerial++) {}

BridgeSolver::~BridgeSolver() = default;

bool BridgeSolver::solve(const int* deal, int trump, int leader, bool trumpChanged) {
    if (deal == nullptr || trump < 0 || trump > 4 || leader < 0 || leader > 3) return false;
    std::lock_guard<std::mutex> hold(solverLock);
    if (!tablesReady) {
        if (!BridgePosition::allocateTables()) return false;
        tablesReady = true;
    }
    // Another object's entries may sit in the table: start this one afresh.
    const bool fresh = trumpChanged || lastUser != serial_;
    lastUser = serial_;
    if (!BridgePosition::solve(deal, static_cast<char>(trump), leader, 0, true, false, fresh)) {
        lastUser = 0;
        return false;
    }
    EastWestTricks = BridgePosition::EastWestTricks;
    NorthSouthTricks = BridgePosition::NorthSouthTricks;
    bc = BridgePosition::bc;
    bs = BridgePosition::bs;
    NodeCount = BridgePosition::NodeCount;
    return true;
}
