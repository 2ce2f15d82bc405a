// The simulation program: deals, filters and solves, and reports.
#pragma once

namespace ddsim {

// Runs `ddsim [options]`; returns 0 when the report is complete, 130 or 143
// when Ctrl-C or SIGTERM stopped the run (the report, marked partial, covers
// the deals solved), 1 when a file could not be read or written, 2 on a usage
// error or input the run cannot take.
int runSimulationProgram(int argc, const char* const* argv);

}  // namespace ddsim
