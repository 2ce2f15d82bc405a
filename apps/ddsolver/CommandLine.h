// Front end of the solver program: the command-line dispatch and the
// single-position solve.
#pragma once

// The whole program: dispatches on the argument count and returns the exit status.
int runCommandLine(int argc, const char* const* argv);

// Decodes, checks and solves one position string; prints the trick counts.
int solve2args(const char* p);
