// Text forms of par results: the side's score, the grouped contract list and
// the one-contract form with over- and undertricks.
#include "analysis/ParText.h"

#include <algorithm>

namespace ddtable {

// A result a host program filled itself may hold any numbers: out of range
// they are written as "?" rather than read past the names.
char strainLetter(int strain) {
    return strain >= 0 && strain < STRAINS ? "SHDCN"[strain] : '?';
}

const char* seatsText(int seats) {
    static const char* const NAMES[] = {"N", "E", "S", "W", "NS", "EW"};
    return seats >= 0 && seats <= SEATS_EW ? NAMES[seats] : "?";
}

std::string parScoreText(const ParResult& par, int side) {
    const long long score = par.score;  // negating INT_MIN would overflow an int
    return std::string(side == 0 ? "NS " : "EW ") + std::to_string(side == 0 ? score : -score);
}

std::string sidesParContractsText(const ParResult& par, int side) {
    std::string text = side == 0 ? "NS:" : "EW:";
    // No trump first, then spades down to clubs; levels ascending within a group.
    static const int STRAIN_ORDER[] = {NO_TRUMP, 0, 1, 2, 3};
    bool first = true;
    for (int strain : STRAIN_ORDER) {
        for (int seats = 0; seats <= SEATS_EW; ++seats) {
            for (int doubled = 0; doubled < 2; ++doubled) {
                std::string levels;
                for (int i = 0; i < std::min(std::max(par.count, 0), MAX_PAR_CONTRACTS); ++i) {
                    const ParContract& c = par.contracts[i];
                    if (c.strain == strain && c.seats == seats && c.doubled == (doubled == 1)) {
                        levels += static_cast<char>('0' + c.level);
                    }
                }
                if (levels.empty()) continue;
                if (!first) text += ',';
                first = false;
                text += std::string(seatsText(seats)) + ' ' + levels + strainLetter(strain);
                if (doubled) text += 'x';
            }
        }
    }
    return text;
}

std::string dealerParContractText(const ParContract& contract) {
    std::string text = std::to_string(contract.level) + strainLetter(contract.strain);
    // DDS leaves out the doubled mark of a one-seat sacrifice in the strain
    // of the contract it is against ("4N-W-2"); written alike to compare equal.
    const bool oneSeat = contract.seats < SEATS_NS;
    if (contract.doubled && !(contract.sameStrain && oneSeat)) text += '*';
    text += '-';
    text += seatsText(contract.seats);
    if (contract.overTricks > 0) text += '+' + std::to_string(contract.overTricks);
    if (contract.underTricks > 0) text += '-' + std::to_string(contract.underTricks);
    return text;
}

}  // namespace ddtable
