// Trick values of fixed cards: the last trick of a position, the winner of
// four cards and the score of one trick or of the last two.
#include "bridge/Internal.h"

using namespace bridge;

int BridgePosition::LastTrickValue() {
    ++NodeCount;
    return lastTrickScore(*this);
}

int BridgePosition::WhoTake(uint16_t c1, uint16_t c2, uint16_t c3, uint16_t c4) {
    return trickWinner(c1, c2, c3, c4);
}

int BridgePosition::Est(uint16_t c1, uint16_t c2, uint16_t c3, uint16_t c4) {
    // Once the second card has taken over and holds off the third, only an
    // opponent can win the trick, whatever the fourth card is.
    if (!beats(c1, c2) && beats(c2, c3)) return -1;
    return (trickWinner(c1, c2, c3, c4) & 1) == 0 ? 1 : -1;
}

int BridgePosition::Est(uint16_t c1, uint16_t c2, uint16_t c3, uint16_t c4, uint16_t d0,
                        uint16_t d1, uint16_t d2, uint16_t d3) {
    const uint16_t last[4] = {d0, d1, d2, d3};
    int w = trickWinner(c1, c2, c3, c4);
    int w2 =
        (w + trickWinner(last[w], last[(w + 1) & 3], last[(w + 2) & 3], last[(w + 3) & 3])) & 3;
    int first = (w & 1) == 0 ? 1 : -1;
    int second = (w2 & 1) == 0 ? 1 : -1;
    return first + second;
}
