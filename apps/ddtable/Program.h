// The table program's command line: options, inputs, the batch and the exit status.
#pragma once

namespace ddtable {

// Runs `ddtable [options] [files]`; returns 0 when every deal was solved, 1
// when some input was malformed, unreadable or unsolved, 2 on a usage error.
int runTableProgram(int argc, const char* const* argv);

}  // namespace ddtable
