// The simulation program's command line, read into the run's options.
#pragma once

#include <string>
#include <vector>

#include "ddsolver/Simulation.h"

namespace ddsim {

enum class ReportFormat { Text, Json };

struct ProgramOptions {
    std::string dealText = "N:- - - -";
    std::string unseenText;
    std::string where;
    ddsolver::SimulationOptions run;
    bool rangeGiven = false, countGiven = false;
    ddsolver::Vulnerability vulnerability = ddsolver::Vulnerability::None;
    int compareFirst = -1, compareSecond = -1;  // places in run.contracts
    size_t askedContracts = 0;  // run.contracts given with --contract (the compared ones follow)
    ReportFormat format = ReportFormat::Text;
    std::string perDealFile;
    bool merge = false;
    std::vector<std::string> mergeFiles;  // with --merge: the reports to add up
    bool quiet = false;
    bool help = false;
};

// Reads the arguments (argv[1] on); on a refusal returns false with a
// one-line message in `error`.
bool readOptions(const std::vector<std::string>& args, ProgramOptions& options, std::string& error);

// The usage text.
extern const char USAGE[];

}  // namespace ddsim
