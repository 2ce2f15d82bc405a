// The program's hidden-layout analysis (four arguments): its numbers, its
// stop file and its thread count.
#pragma once

// Stop-signal file looked up in the working directory before every split.
extern const char PREFERANS_SIGNAL_FILE_NAME[];

// True when the file can be opened for reading.
bool fileExists(const char* fileName);

// A decimal number as the command line gives it: leading blanks and a sign
// are skipped, reading stops at the first non-digit, no digit at all reads 0
// (and leaves sawDigit false), and a value beyond int saturates at its limit.
int readDecimal(const char* text, bool& sawDigit);

// Threads an analysis uses: DDSOLVER_THREADS when it holds a count of at
// least 1 (at most 256), else one per core.
int analysisThreads();

// The hidden-layout analysis of a preferans deal: prints the histogram of the
// declarer's tricks and returns the exit status.
int analyseHiddenLayouts(const char* dealText, const char* range, const char* contract,
                         const char* leader);
