// The position string of the command line, the form front ends exchange
// positions in: one character per card, then the trump, leader, declarer,
// game and misere characters, decoded as they stand. Pure functions and a
// plain value: any thread.
#pragma once

#include <string>

#include "../DealCodes.h"

// Characters of a position string past the cards.
constexpr int TRUMP_CHAR = 52;
constexpr int LEADER_CHAR = 53;
constexpr int DECLARER_CHAR = 54;
constexpr int GAME_CHAR = 55;
constexpr int MISERE_CHAR = 56;
constexpr int POSITION_LENGTH = 57;

// A position-string character's value: its code, taken as signed, minus '0'.
inline int get(char c) {
    return static_cast<signed char>(c) - '0';
}

// Decoded position string, as the single-position solve receives it.
struct DecodedPosition {
    int deal[DEAL_CARDS];
    signed char trump;
    int leader;
    int declarer;
    bool bridge;
    bool misere;
};

// Decodes the first POSITION_LENGTH characters of `p`, which must have them,
// without judging them.
inline DecodedPosition decodePosition(const char* p) {
    DecodedPosition position;
    for (int i = 0; i < DEAL_CARDS; i++) position.deal[i] = get(p[i]);
    position.trump = static_cast<signed char>(get(p[TRUMP_CHAR]));
    position.leader = get(p[LEADER_CHAR]);
    position.declarer = get(p[DECLARER_CHAR]);
    position.bridge = p[GAME_CHAR] != '0';
    position.misere = p[MISERE_CHAR] != '0';
    return position;
}

// Checks a decoded position before any solver sees it; returns an empty string
// when it is sound, else a short reason.
std::string checkPosition(const DecodedPosition& position);
