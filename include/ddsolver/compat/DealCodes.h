// The deal array's vocabulary shared by the front end, the host entries and
// their callers: card codes, deck layout, no trump and the preferans seats.
// Constants and pure functions: any thread.
#pragma once

// One int per card, index suit * 13 + rank position (0 = ace ... 12 = two).
constexpr int DEAL_CARDS = 52;
constexpr int SUITS = 4;
constexpr int CARDS_PER_SUIT = 13;
// Preferans reads the ace to the seven of each suit, rank positions 0 to 7.
constexpr int PREFERANS_RANKS = 8;
// Rank letters in rank-position order: position 0 is the ace, 12 the two.
inline constexpr char RANK[] = "akqjt98765432";

// A card out of play: out of the deck, or played to an earlier trick.
constexpr int CODE_OUT_OF_PLAY = 0;
// Codes 1 to 4: held by seat 0 to 3.
constexpr int inHandCode(int seat) {
    return 1 + seat;
}
// Codes 5 to 8: put on the current trick by seat 0 to 3.
constexpr int onTrickCode(int seat) {
    return 5 + seat;
}
// One past the highest code.
constexpr int CODE_COUNT = 9;

// A trump value of 0 to 3 names a suit; this one names none.
constexpr int NO_TRUMP = 4;

constexpr int BRIDGE_SEATS = 4;
// The preferans seats in playing order; seat 2 stays empty.
inline constexpr int PREFERANS_SEATS[3] = {0, 1, 3};

// Codes 1 to 8 are cards in play: held (1 to 4) or on the trick (5 to 8).
constexpr bool isHandCode(int code) {
    return code >= inHandCode(0) && code < onTrickCode(0);
}
constexpr bool isTrickCode(int code) {
    return code >= onTrickCode(0) && code < CODE_COUNT;
}
constexpr bool isInPlayCode(int code) {
    return code >= inHandCode(0) && code < CODE_COUNT;
}
// The seat of a card in play, in hand or on the trick.
constexpr int seatOfCode(int code) {
    return (code - inHandCode(0)) % BRIDGE_SEATS;
}
