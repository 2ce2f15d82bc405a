// Contracts of a simulation as text, their scores and the IMPs between two scores.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

#include "analysis/Score.h"
#include "ddsolver/Simulation.h"

namespace ddsolver {

Status contractFromText(std::string_view text, SimContract& contract) {
    const size_t dash = text.find('-');
    if (dash == std::string_view::npos || dash < 2) return Status::BadContract;
    const char level = text[0];
    if (level < '1' || level > '7') return Status::BadContract;
    SimContract read;
    read.level = level - '0';
    if (!strainFromText(text.substr(1, dash - 1), read.strain)) return Status::BadContract;
    // strainFromText trims blanks; a contract text has none.
    if (std::isspace(static_cast<unsigned char>(text[1])) ||
        std::isspace(static_cast<unsigned char>(text[dash - 1])))
        return Status::BadContract;
    const std::string_view seat = text.substr(dash + 1);
    if (seat.size() != 1 || !seatFromText(seat, read.declarer)) return Status::BadContract;
    contract = read;
    return Status::Ok;
}

std::string contractText(const SimContract& contract) {
    std::string text = std::to_string(contract.level);
    text += contract.strain == Strain::NoTrump ? "N" : strainText(contract.strain);
    text += '-';
    text += seatLetter(contract.declarer);
    return text;
}

int contractPlace(std::vector<SimContract>& contracts, const SimContract& contract) {
    const auto found = std::find(contracts.begin(), contracts.end(), contract);
    if (found != contracts.end()) return static_cast<int>(found - contracts.begin());
    contracts.push_back(contract);
    return static_cast<int>(contracts.size()) - 1;
}

int contractScore(const SimContract& contract, int tricks, bool vulnerable) {
    const int needed = contract.level + 6;
    if (tricks >= needed)
        return madeScore(contract.level, static_cast<int>(contract.strain), tricks, vulnerable);
    return -(needed - tricks) * (vulnerable ? 100 : 50);
}

int impsFor(int scoreDifference) {
    // The upper ends of the score ranges worth 0, 1, 2, ... 23 IMPs.
    static const int LIMITS[] = {10,   40,   80,   120,  160,  210,  260,  310,
                                 360,  420,  490,  590,  740,  890,  1090, 1290,
                                 1490, 1740, 1990, 2240, 2490, 2990, 3490, 3990};
    const int size = std::abs(scoreDifference);
    int imps = 0;
    while (imps < 24 && size > LIMITS[imps]) ++imps;
    return scoreDifference < 0 ? -imps : imps;
}

}  // namespace ddsolver
