// The three output forms of the table program: text for reading, CSV and JSON
// Lines for programs. One record per deal.
#pragma once

#include <string>

#include "apps/ddtable/DealAnalysis.h"
#include "apps/ddtable/DealReader.h"

namespace ddtable {

enum class OutputFormat { Text, Csv, Json };

// What comes before the first record: the CSV header line, nothing otherwise.
std::string outputHeader(OutputFormat format);

// One deal's record, ending in a line end.
std::string formatRecord(OutputFormat format, const DealRecord& record,
                         const DealAnalysis& analysis);

}  // namespace ddtable
