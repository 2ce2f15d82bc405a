// Reads deals from text: one bare PBN deal per line, or PBN game files whose
// Deal, Dealer, Vulnerable and Board tags describe each game.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace ddtable {

struct DealRecord {
    std::string source;      // the file name, or "<stdin>"
    int line = 0;            // the line of the deal text
    std::string board;       // the Board tag; empty for a bare deal line
    int deal[52] = {};       // 1-4: the holding seat N, E, S, W
    int dealer = 0;          // the Dealer tag, else the first seat of the deal text
    int vulnerability = -1;  // the Vulnerable tag, else the default given; VUL_UNKNOWN if none
    std::string error;       // a short reason when the deal is malformed (then not to be solved)
};

// Appends the deals of one input to records, malformed ones with their error.
// Once a line starting with '[' has been seen, the input is a game file: other
// lines belong to the games (auction, play, commentary) and are skipped.
void readDeals(std::istream& in, const std::string& source, int defaultVulnerability,
               std::vector<DealRecord>& records);

}  // namespace ddtable
