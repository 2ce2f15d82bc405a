// Front end of the solver program: command-line dispatch, the position string,
// the preferans deal notation and the hidden-layout analysis.
#pragma once

#include <string>

// Rank letters in rank-position order: position 0 is the ace, 12 the two.
extern const char RANK[];
// Stop-signal file looked up in the working directory by the hidden-layout analysis.
extern const char PREFERANS_SIGNAL_FILE_NAME[];

// The whole program: dispatches on the argument count and returns the exit status.
int runCommandLine(int argc, const char* const* argv);

// Decodes, checks and solves one position string; prints the trick counts.
int solve2args(const char* p);

// A position-string character's value: its code, taken as signed, minus '0'.
int get(char c);

// True when the file can be opened for reading.
bool fileExists(const char* fileName);

// Checks a preferans deal text and fills the caller's card arrays; returns an
// empty string when the text is valid, else the error message.
std::string parseDeal(const char* text, int leaderArgument, int playerCards[10], int absentCards[2],
                      int knownCards[12], int& leadCard);

// Decoded position string, as the single-position solve receives it.
struct DecodedPosition {
    int deal[52];
    signed char trump;
    int leader;
    int declarer;
    bool bridge;
    bool misere;
};

// Checks a decoded position before any solver sees it; returns an empty string
// when it is sound, else a short reason.
std::string checkPosition(const DecodedPosition& position);

// The hidden-layout analysis of a preferans deal (four command-line arguments).
int analyseHiddenLayouts(const char* dealText, const char* range, const char* contract,
                         const char* leader);
