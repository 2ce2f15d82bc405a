// The simulation report as a player reads it: histograms drawn with bars,
// make rates, the comparison of two contracts, the opening leads, the table.
#pragma once

#include <string>

#include "apps/ddsim/JsonReport.h"

namespace ddsim {

std::string textReport(const ReportRecord& record);

}  // namespace ddsim
