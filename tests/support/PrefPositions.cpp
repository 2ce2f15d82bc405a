// Random preferans positions for the tests.
#include "PrefPositions.h"

#include <algorithm>
#include <vector>

namespace {

int nextSeat(int seat) {
    return seat == 0 ? 1 : seat == 1 ? 3 : 0;
}

int pick(std::mt19937& rng, int count) {
    return std::uniform_int_distribution<int>(0, count - 1)(rng);
}

// A card the seat holding code `held` may play to a trick led in `ledSuit`
// (any card when nothing is led yet).
int legalCard(std::mt19937& rng, const int* deal, int held, int ledSuit, int trump) {
    std::vector<int> all, follow, trumps;
    for (int card = 0; card < 52; card++) {
        if (card % 13 > 7 || deal[card] != held) continue;
        all.push_back(card);
        if (card / 13 == ledSuit) follow.push_back(card);
        if (card / 13 == trump) trumps.push_back(card);
    }
    const std::vector<int>& from = ledSuit < 0       ? all
                                   : !follow.empty() ? follow
                                   : !trumps.empty() ? trumps
                                                     : all;
    return from[pick(rng, static_cast<int>(from.size()))];
}

}  // namespace

PrefTestPosition randomPrefPosition(std::mt19937& rng, int tricks, int onTable) {
    PrefTestPosition position;
    std::vector<int> cards;
    for (int card = 0; card < 52; card++) {
        if (card % 13 <= 7) {
            cards.push_back(card);
        } else {
            position.deal[card] = pick(rng, 9);
        }
    }
    std::shuffle(cards.begin(), cards.end(), rng);
    const int seatCodes[3] = {1, 2, 4};
    for (size_t i = 0; i < cards.size(); i++) {
        const int outOfPlay[5] = {0, 0, 0, 3, 7};
        bool held = i < static_cast<size_t>(3 * tricks);
        position.deal[cards[i]] = held ? seatCodes[i % 3] : outOfPlay[pick(rng, 5)];
    }
    const int seats[3] = {0, 1, 3};
    position.trump = pick(rng, 5);
    position.leaderSeat = seats[pick(rng, 3)];
    position.declarerSeat = seats[pick(rng, 3)];
    position.misere = pick(rng, 4) == 0;
    const int playTrump = position.misere ? -1 : position.trump;
    int ledSuit = -1;
    int seat = position.leaderSeat;
    for (int k = 0; k < onTable; k++, seat = nextSeat(seat)) {
        int card = legalCard(rng, position.deal, seat + 1, ledSuit, playTrump);
        if (k == 0) ledSuit = card / 13;
        position.deal[card] = seat + 5;
    }
    return position;
}

std::string prefPositionString(const PrefTestPosition& position) {
    std::string text;
    for (int card = 0; card < 52; card++) text += static_cast<char>('0' + position.deal[card]);
    text += static_cast<char>('0' + position.trump);
    text += static_cast<char>('0' + position.leaderSeat);
    text += static_cast<char>('0' + position.declarerSeat);
    text += '0';
    text += position.misere ? '1' : '0';
    return text;
}

PrefTestPosition prefPositionFromString(const std::string& text) {
    PrefTestPosition position;
    for (int card = 0; card < 52; card++) position.deal[card] = text[card] - '0';
    position.trump = text[52] - '0';
    position.leaderSeat = text[53] - '0';
    position.declarerSeat = text[54] - '0';
    position.misere = text[56] != '0';
    return position;
}
