// Bridge test deals: notation, seeded random deals and the plain trick rule.
#include "support/BridgeTestDeals.h"

#include <algorithm>
#include <vector>

static const char RANK_LETTERS[] = "AKQJT98765432";

static int rankOfLetter(char letter) {
    const char* at = std::find(RANK_LETTERS, RANK_LETTERS + 13, letter);
    return 12 - static_cast<int>(at - RANK_LETTERS);
}

TestCard parseCard(const std::string& name) {
    return {name[0] - '0', rankOfLetter(name[1])};
}

std::string cardName(const TestCard& card) {
    return std::string(1, static_cast<char>('0' + card.suit)) + RANK_LETTERS[12 - card.rank];
}

Deal dealFromHands(const std::array<std::string, 4>& hands) {
    Deal deal{};
    for (int seat = 0; seat < 4; ++seat) {
        int suit = 0;
        for (char c : hands[seat]) {
            if (c == '.') {
                ++suit;
            } else {
                deal[dealIndex(suit, rankOfLetter(c))] = seat + 1;
            }
        }
    }
    return deal;
}

Deal randomDeal(std::mt19937& rng, int tricks, int cardsOnTrick, int firstmove) {
    std::vector<int> cards(52);
    for (int i = 0; i < 52; ++i) cards[i] = i;
    std::shuffle(cards.begin(), cards.end(), rng);
    Deal deal{};
    for (int i = 0; i < 4 * tricks; ++i) deal[cards[i]] = i % 4 + 1;
    for (int c = 0; c < cardsOnTrick; ++c) {
        int seat = (firstmove + c) % 4;
        // cards[4 * k + seat] for k < tricks are this seat's cards.
        int k = static_cast<int>(rng() % static_cast<unsigned>(tricks));
        deal[cards[4 * k + seat]] = seat + 5;
    }
    return deal;
}

int referenceWinner(const TestCard trick[4], int trump) {
    int winner = -1;
    for (int i = 0; i < 4; ++i) {
        if (trick[i].suit != trump) continue;
        if (winner < 0 || trick[i].rank > trick[winner].rank) winner = i;
    }
    if (winner >= 0) return winner;
    winner = 0;
    for (int i = 1; i < 4; ++i) {
        if (trick[i].suit == trick[0].suit && trick[i].rank > trick[winner].rank) winner = i;
    }
    return winner;
}
