// Command-line dispatch, the position string and the single-position solve.
#include "main.h"

#include <cstdio>
#include <cstring>

#include "BridgePosition.h"

const char RANK[] = "akqjt98765432";
const char PREFERANS_SIGNAL_FILE_NAME[] = "uvcyZDTh.pyM";

int get(char c) {
    return static_cast<signed char>(c) - '0';
}

bool fileExists(const char* fileName) {
    FILE* file = std::fopen(fileName, "r");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

namespace {

// Position-string characters past the cards: trump, leader, declarer, game, misere.
constexpr int TRUMP_CHAR = 52;
constexpr int LEADER_CHAR = 53;
constexpr int DECLARER_CHAR = 54;
constexpr int GAME_CHAR = 55;
constexpr int MISERE_CHAR = 56;
constexpr size_t POSITION_LENGTH = 57;

DecodedPosition decodePosition(const char* p) {
    DecodedPosition position;
    for (int i = 0; i < 52; i++) position.deal[i] = get(p[i]);
    position.trump = static_cast<signed char>(get(p[TRUMP_CHAR]));
    position.leader = get(p[LEADER_CHAR]);
    position.declarer = get(p[DECLARER_CHAR]);
    position.bridge = p[GAME_CHAR] != '0';
    position.misere = p[MISERE_CHAR] != '0';
    return position;
}

// One preferans position: prints the declarer's tricks.
int solvePreferans(const DecodedPosition& position) {
    BridgePosition::solve(position.deal, position.trump, position.leader, position.declarer, false,
                          position.misere, true);
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
    for (int leader = 0; leader < 4; ++leader) {
        BridgePosition::solve(position.deal, position.trump, leader, position.declarer, true,
                              position.misere, leader == 0);
        std::printf("%d ", leader == 0 || leader == 2 ? BridgePosition::EastWestTricks
                                                      : BridgePosition::NorthSouthTricks);
    }
    BridgePosition::freeTables();
    return 0;
}

}  // namespace

int solve2args(const char* p) {
    size_t len = std::strlen(p);
    if (len < POSITION_LENGTH) {
        std::printf("strlen(p)<52+5 %d", static_cast<int>(len));
        return -static_cast<int>(len);
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
