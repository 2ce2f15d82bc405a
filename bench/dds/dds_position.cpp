// The job of `ddsolver POSITION` for a bridge position string, done with the
// DDS bridge library on one thread: prints "%d " for leaders 0, 1, 2, 3, the
// tricks of the side that does not lead. The whole-process bench runs it
// beside ddsolver. Cards on the current trick and preferans strings are not
// part of that job and are refused.
#include <cstdio>
#include <cstring>
#include <string>

#include "DdsSupport.h"

namespace {

constexpr size_t POSITION_LENGTH = 57;
constexpr int TRUMP_CHAR = 52;
constexpr int GAME_CHAR = 55;

// The deal array of a bridge string whose cards are all held or out of play,
// with the same number of cards in every hand; false otherwise.
bool readDeal(const char* text, int deal[52], int* trump) {
    if (std::strlen(text) < POSITION_LENGTH || text[GAME_CHAR] == '0') return false;
    int held[4] = {};
    for (int card = 0; card < 52; ++card) {
        if (text[card] < '0' || text[card] > '4') return false;
        deal[card] = text[card] - '0';
        if (deal[card] > 0) ++held[deal[card] - 1];
    }
    if (held[0] != held[1] || held[0] != held[2] || held[0] != held[3]) return false;
    if (text[TRUMP_CHAR] < '0' || text[TRUMP_CHAR] > '4') return false;
    *trump = text[TRUMP_CHAR] - '0';
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int deal[52];
    int trump = 0;
    if (argc != 2 || !readDeal(argv[1], deal, &trump)) {
        std::printf("error invalid position\n");
        return 1;
    }
    useOneDdsThread();
    int tricks[4];
    std::string error;
    if (!solveFourLeadersWithDds(deal, trump, tricks, &error)) {
        std::printf("error %s\n", error.c_str());
        return 1;
    }
    for (int leader = 0; leader < 4; ++leader) std::printf("%d ", tricks[leader]);
    return 0;
}
