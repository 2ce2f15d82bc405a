// The simulation report as JSON: written for programs, and read back so that
// reports of ranges run elsewhere add up into one.
#pragma once

#include <string>

#include "ddsolver/Simulation.h"

namespace ddsim {

// The report with the texts it was run from: reports add up only when these agree.
struct ReportRecord {
    ddsolver::SimulationReport report;
    std::string dealText, unseenText, where;
};

std::string jsonReport(const ReportRecord& record);

// Reads a report jsonReport wrote; false with a message when the text is not one.
bool readJsonReport(const std::string& text, ReportRecord& record, std::string& error);

}  // namespace ddsim
