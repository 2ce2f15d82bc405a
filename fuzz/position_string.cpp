// Fuzz target: the position string of `ddsolver POSITION`. Every string is
// decoded and checked; a refused or short one must print its message and
// fail, an accepted preferans position is solved through the program's own
// path and an accepted small bridge ending through the four solves the
// program makes, each answer checked against the plain-minimax references.
#include <cstdio>
#include <string>

#include "FuzzSupport.h"
#include "apps/ddsolver/CommandLine.h"
#include "ddsolver/compat/BridgePosition.h"
#include "ddsolver/compat/frontend/PositionString.h"
#include "support/BridgeReference.h"
#include "support/PrefReference.h"

namespace {

// Bridge endings up to this many tricks are solved; every new deal clears
// the whole transposition table, which is what such a run costs.
constexpr int MAX_BRIDGE_TRICKS = 4;
// Preferans positions of any size are solved; up to this many tricks the
// reference solves them too.
constexpr int MAX_REFERENCE_PREFERANS_TRICKS = 6;

void checkPreferans(const char* text, const DecodedPosition& position) {
    const int status = solve2args(text);
    const std::string printed = takeOutput();
    FUZZ_CHECK(status == 0);
    int tricks = -1;
    char after = 0;
    FUZZ_CHECK(std::sscanf(printed.c_str(), "%d%c", &tricks, &after) == 2 && after == ' ');
    FUZZ_CHECK(printed == std::to_string(tricks) + " ");
    const int left = tricksLeft(position.deal, false);
    FUZZ_CHECK(tricks >= 0 && tricks <= left);
    if (left > MAX_REFERENCE_PREFERANS_TRICKS) return;
    PrefReference reference(position.deal, position.trump, position.leader, position.declarer,
                            position.misere);
    FUZZ_CHECK(reference.declarerTricks() == tricks);
}

void checkBridge(const DecodedPosition& position) {
    const int left = tricksLeft(position.deal, true);
    if (left > MAX_BRIDGE_TRICKS) return;
    static const bool allocated = BridgePosition::allocateTables();
    FUZZ_CHECK(allocated);
    for (int leader = 0; leader < BRIDGE_SEATS; leader++) {
        FUZZ_CHECK(BridgePosition::solve(position.deal, position.trump, leader, position.declarer,
                                         true, position.misere, leader == 0));
        FUZZ_CHECK(BridgePosition::NorthSouthTricks + BridgePosition::EastWestTricks == left);
        bridgeref::Position reference;
        for (int card = 0; card < DEAL_CARDS; card++) reference.deal[card] = position.deal[card];
        reference.trump = position.trump;
        reference.leader = leader;
        bridgeref::Tricks tricks;
        FUZZ_CHECK(bridgeref::solveSmall(reference, &tricks));
        FUZZ_CHECK(tricks.northSouth == BridgePosition::NorthSouthTricks);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const char* p = text.c_str();  // as the program sees it: up to the first NUL
    const size_t length = std::char_traits<char>::length(p);
    if (length < static_cast<size_t>(POSITION_LENGTH)) {
        const int status = solve2args(p);
        FUZZ_CHECK(takeOutput() == "strlen(p)<52+5 " + std::to_string(length));
        FUZZ_CHECK(status == (length == 0 ? -1 : -static_cast<int>(length)));
        return 0;
    }
    const DecodedPosition position = decodePosition(p);
    const std::string problem = checkPosition(position);
    if (!problem.empty()) {
        const int status = solve2args(p);
        FUZZ_CHECK(takeOutput() == "error invalid position: " + problem + "\n");
        FUZZ_CHECK(status == -1);
        return 0;
    }
    if (position.bridge) {
        checkBridge(position);
    } else {
        checkPreferans(p, position);
    }
    return 0;
}
