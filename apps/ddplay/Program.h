// The play-review program's command line: options, inputs, the batch and the exit status.
#pragma once

namespace ddplay {

// Runs `ddplay [options] [files]`; returns 0 when every board was reviewed,
// 1 when a board was refused or a file could not be read, 2 on a usage error.
int runPlayProgram(int argc, const char* const* argv);

}  // namespace ddplay
