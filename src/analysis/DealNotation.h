// The preferans deal text: the declarer's cards, the two absent cards and an
// optional lead card.
#pragma once

#include <string>

// Checks a preferans deal text and fills the caller's card arrays; returns an
// empty string when the text is valid, else the error message.
std::string parseDeal(const char* text, int leaderArgument, int playerCards[10], int absentCards[2],
                      int knownCards[12], int& leadCard);
