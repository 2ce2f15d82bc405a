// Reads the tab-separated played deals of tests/data.
#include "support/PlayTraces.h"

#include <fstream>
#include <sstream>

using namespace ddsolver;

std::vector<PlayTrace> readPlayTraces(const std::string& fileName) {
    std::vector<PlayTrace> traces;
    std::ifstream in(std::string(DDSOLVER_TESTDATA_DIR) + "/" + fileName);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
        if (fields.size() < 7) continue;
        PlayTrace trace;
        trace.dealText = fields[0];
        bool read = Deal::fromPbn(fields[0], trace.deal) == Status::Ok &&
                    strainFromText(fields[1], trace.strain) &&
                    seatFromText(fields[2], trace.declarer) &&
                    seatFromText(fields[3], trace.leader);
        std::istringstream cards(fields[4]), tricks(fields[5]);
        for (std::string text; read && cards >> text;) {
            trace.cards.emplace_back();
            read = Card::fromText(text, trace.cards.back());
        }
        for (int value; tricks >> value;) trace.ddsTricks.push_back(value);
        trace.declarerTricksTaken = std::stoi(fields[6]);
        if (read) traces.push_back(trace);
    }
    return traces;
}
