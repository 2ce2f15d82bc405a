// The rules of a trick over the deal array, shared by the cold paths.
#include "core/GameRules.h"

namespace core {

SeatCounts countSeats(const int* deal, const GameRules& game) {
    SeatCounts counts;
    for (int card = 0; card < DEAL_CARDS; card++) {
        if (!game.isRead(card)) continue;
        const int code = deal[card];
        if (isHandCode(code)) counts.held[seatOfCode(code)]++;
        if (::isTrickCode(code)) counts.played[seatOfCode(code)]++;
    }
    return counts;
}

namespace {

// The card that `seat` has put on the trick (the lowest index should a
// faulty array hold several), or NO_CARD.
int trickCardOf(const int* deal, const GameRules& game, int seat) {
    for (int card = 0; card < DEAL_CARDS; ++card) {
        if (game.isRead(card) && deal[card] == onTrickCode(seat)) return card;
    }
    return NO_CARD;
}

}  // namespace

int trickInOrder(const int* deal, const GameRules& game, int leader, int cards[4]) {
    int n = 0;
    while (n < game.trickSize) {
        const int card = trickCardOf(deal, game, game.seatAt(leader, n));
        if (card == NO_CARD) break;
        cards[n++] = card;
    }
    return n;
}

int winningPlace(const int* cards, int n, int trump) {
    int w = 0;
    for (int k = 1; k < n; ++k) {
        const int suit = cards[k] / CARDS_PER_SUIT, winningSuit = cards[w] / CARDS_PER_SUIT;
        const bool higher =
            suit == winningSuit && cards[k] % CARDS_PER_SUIT < cards[w] % CARDS_PER_SUIT;
        const bool ruffs = suit == trump && winningSuit != trump;
        if (higher || ruffs) w = k;
    }
    return w;
}

int runTops(const int* deal, const GameRules& game, int s, int seat, bool upward, int* out) {
    int tops[CARDS_PER_SUIT];
    int n = 0, previous = -1;
    for (int r = 0; r < game.ranks; ++r) {
        const int code = deal[s * CARDS_PER_SUIT + r];
        if (!isInPlayCode(code)) continue;
        const int owner = seatOfCode(code);
        if (owner == seat && previous != seat && isHandCode(code))
            tops[n++] = s * CARDS_PER_SUIT + r;
        previous = isHandCode(code) ? owner : -1;
    }
    for (int i = 0; i < n; ++i) out[i] = tops[upward ? n - 1 - i : i];
    return n;
}

}  // namespace core
