// The hidden-layout analysis of a preferans deal, its stop file, and the pieces
// that stand on their own: reading its numbers, listing the unseen cards and
// jumping to a numbered split.
#pragma once

class Permutations;

// The twenty cards the declarer cannot see, and the ways to deal them ten and ten.
constexpr int HIDDEN_CARDS = 20;
constexpr int HIDDEN_SPLITS = 184756;

// A decimal number as the command line gives it: leading blanks and a sign
// are skipped, reading stops at the first non-digit, no digit at all reads 0
// (and leaves sawDigit false), and a value beyond int saturates at its limit.
int readDecimal(const char* text, bool& sawDigit);

// The cards of rank ace to seven that are not among the twelve known cards
// (sorted ascending), in ascending card index.
void listHiddenCards(const int knownCards[12], int hiddenCards[HIDDEN_CARDS]);

// Puts a COMBINATION enumerator straight onto the combination that `split`
// steps from the first one would reach (0 <= split < its number()).
void seekSplit(Permutations& splits, int split);

// Stop-signal file looked up in the working directory before every split.
extern const char PREFERANS_SIGNAL_FILE_NAME[];

// True when the file can be opened for reading.
bool fileExists(const char* fileName);

// The hidden-layout analysis of a preferans deal (four command-line arguments):
// prints the histogram of the declarer's tricks and returns the exit status.
int analyseHiddenLayouts(const char* dealText, const char* range, const char* contract,
                         const char* leader);
