// Reads deals from text: one bare PBN deal per line, or PBN game files whose
// Deal, Dealer, Vulnerable and Board tags describe each game.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "ddsolver/Deal.h"
#include "ddsolver/Par.h"

namespace ddtable {

struct DealRecord {
    std::string source;  // the file name, or "<stdin>"
    int line = 0;        // the line of the deal text
    std::string board;   // the Board tag; empty for a bare deal line
    ddsolver::Deal deal;
    ddsolver::Seat dealer =
        ddsolver::Seat::North;  // the Dealer tag, else the deal text's first seat
    // The Vulnerable tag, else the default given; none when neither is there.
    std::optional<ddsolver::Vulnerability> vulnerability;
    std::string error;  // a short reason when the deal is malformed (then not to be solved)
};

// Appends the deals of one input to records, malformed ones with their error.
// Once a line starting with '[' has been seen, the input is a game file: other
// lines belong to the games (auction, play, commentary) and are skipped.
void readDeals(std::istream& in, const std::string& source,
               std::optional<ddsolver::Vulnerability> defaultVulnerability,
               std::vector<DealRecord>& records);

}  // namespace ddtable
