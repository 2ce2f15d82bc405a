// Bridge deals for the tests: a hand notation, seeded random deals and the
// plain rule of who wins a trick, written without the solver's tables.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>

// Deal array: suit * 13 + (12 - rank); 0 out of play, 1 to 4 in the hand of
// seat code - 1, 5 to 8 played to the current trick by seat code - 5.
using Deal = std::array<int, 52>;

// A card with the solver's internal rank: 0 = two ... 12 = ace.
struct TestCard {
    int suit;
    int rank;
    bool operator==(const TestCard& o) const { return suit == o.suit && rank == o.rank; }
};

inline int dealIndex(int suit, int rank) {
    return suit * 13 + 12 - rank;
}
inline uint16_t cardCode(const TestCard& c) {
    return static_cast<uint16_t>(c.suit * 256 + c.rank);
}

// "2K" is the king of suit 2; ranks are "AKQJT98765432".
TestCard parseCard(const std::string& name);
std::string cardName(const TestCard& card);

// Hands written suit by suit (suits 0 to 3, separated by dots), e.g.
// "AKQ.J..T9"; every card not named is out of play.
Deal dealFromHands(const std::array<std::string, 4>& hands);

// Every seat holds `tricks` cards; the first `cardsOnTrick` seats in playing
// order from `firstmove` have played one of them to the current trick. The
// cards are drawn at random from the whole deck; the rest are out of play.
Deal randomDeal(std::mt19937& rng, int tricks, int cardsOnTrick = 0, int firstmove = 0);

// Position (0 to 3) of the card that wins the trick: the highest trump when a
// trump was played, else the highest card of the suit led (trick[0]).
int referenceWinner(const TestCard trick[4], int trump);
