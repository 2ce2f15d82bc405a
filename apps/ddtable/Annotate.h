// ddtable --annotate: copies PBN game files with each game's double-dummy
// table and par added as the tags hand records carry (OptimumScore,
// ParContract, OptimumResultTable), right after the game's Deal tag.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ddsolver/Par.h"

namespace ddtable {

// Reads the files ("-": standard input) and writes them annotated to standard
// output: every line as it was except the tags of earlier annotations, which
// give way to the new ones. A game that is malformed or cannot be solved is
// reported and copied as it was. Returns 0 when every game was annotated, 1
// when some game was malformed or unsolved or a file could not be read.
int runAnnotate(const std::vector<std::string>& files,
                std::optional<ddsolver::Vulnerability> defaultVulnerability, int workers,
                bool quiet);

}  // namespace ddtable
