// Command-line dispatch, the position string and the single-position solve.
#include "apps/ddsolver/CommandLine.h"

#include <cstdio>
#include <cstring>

#include "apps/ddsolver/HiddenLayoutCommand.h"
#include "ddsolver/compat/BridgePosition.h"
#include "ddsolver/compat/frontend/PositionString.h"

namespace {

// The solver entries check what the position check has already passed; a
// refusal would leave an earlier count in the result fields, never printed.
int refusedBySolver() {
    std::printf("error invalid position: refused by the solver\n");
    return -1;
}

// One preferans position: prints the declarer's tricks.
int solvePreferans(const DecodedPosition& position) {
    if (!BridgePosition::solve(position.deal, position.trump, position.leader, position.declarer,
                               false, position.misere, true)) {
        return refusedBySolver();
    }
    std::printf("%d ", BridgePosition::EastWestTricks);
    return 0;
}

// One bridge deal: solved for each opening leader in turn, printing the
// tricks of the side that does not lead. The table built for the first
// leader serves the three later solves of the same deal.
int solveBridge(const DecodedPosition& position) {
    if (!BridgePosition::allocateTables()) {
        std::printf("!BridgePosition::allocateTables()");
        return -1;
    }
    for (int leader = 0; leader < BRIDGE_SEATS; ++leader) {
        if (!BridgePosition::solve(position.deal, position.trump, leader, position.declarer, true,
                                   position.misere, leader == 0)) {
            BridgePosition::freeTables();
            return refusedBySolver();
        }
        std::printf("%d ", leader == 0 || leader == 2 ? BridgePosition::EastWestTricks
                                                      : BridgePosition::NorthSouthTricks);
    }
    BridgePosition::freeTables();
    return 0;
}

}  // namespace

int solve2args(const char* p) {
    size_t len = std::strlen(p);
    if (len < static_cast<size_t>(POSITION_LENGTH)) {
        // Front ends read minus the length as the status; an empty string
        // would make that 0, a success, so it fails like every other refusal.
        std::printf("strlen(p)<52+5 %d", static_cast<int>(len));
        return len == 0 ? -1 : -static_cast<int>(len);
    }
    DecodedPosition position = decodePosition(p);
    std::string problem = checkPosition(position);
    if (!problem.empty()) {
        std::printf("error invalid position: %s\n", problem.c_str());
        return -1;
    }
    return position.bridge ? solveBridge(position) : solvePreferans(position);
}

int runCommandLine(int argc, const char* const* argv) {
    int result;
    if (argc == 2) {
        result = solve2args(argv[1]);
    } else if (argc == 5) {
        result = analyseHiddenLayouts(argv[1], argv[2], argv[3], argv[4]);
    } else {
        std::printf("error invalid number of arguments\n");
        result = -1;
    }
    std::fflush(stdout);
    return result;
}
