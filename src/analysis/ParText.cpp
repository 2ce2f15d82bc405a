// Text forms of par results (the side's score, the grouped contract list and
// the one-contract form with over- and undertricks) and of vulnerability.
#include <algorithm>
#include <cctype>

#include "ddsolver/Par.h"

namespace ddsolver {

namespace {

constexpr int STRAINS = 5;

// A result a host program filled itself may hold any numbers: out of range
// they are written as "?" rather than read past the names.
char strainLetter(Strain strainValue) {
    const int strain = static_cast<int>(strainValue);
    return strain >= 0 && strain < STRAINS ? "SHDCN"[strain] : '?';
}

const char* seatsText(int seats) {
    static const char* const NAMES[] = {"N", "E", "S", "W", "NS", "EW"};
    return seats >= 0 && seats <= PAR_SEATS_EW ? NAMES[seats] : "?";
}

}  // namespace

std::string parScoreText(const ParResult& par, Side side) {
    const long long score = par.score;  // negating INT_MIN would overflow an int
    return std::string(side == Side::NorthSouth ? "NS " : "EW ") +
           std::to_string(side == Side::NorthSouth ? score : -score);
}

std::string sidesParContractsText(const ParResult& par, Side side) {
    std::string text = side == Side::NorthSouth ? "NS:" : "EW:";
    // No trump first, then spades down to clubs; levels ascending within a group.
    static const Strain STRAIN_ORDER[] = {Strain::NoTrump, Strain::Spades, Strain::Hearts,
                                          Strain::Diamonds, Strain::Clubs};
    bool first = true;
    for (Strain strain : STRAIN_ORDER) {
        for (int seats = 0; seats <= PAR_SEATS_EW; ++seats) {
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
    const bool oneSeat = contract.seats < PAR_SEATS_NS;
    if (contract.doubled && !(contract.sameStrain && oneSeat)) text += '*';
    text += '-';
    text += seatsText(contract.seats);
    if (contract.overTricks > 0) text += '+' + std::to_string(contract.overTricks);
    if (contract.underTricks > 0) text += '-' + std::to_string(contract.underTricks);
    return text;
}

bool vulnerabilityFromText(std::string_view text, Vulnerability& vulnerability) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    std::string word(text);
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (word == "NONE" || word == "LOVE" || word == "-") {
        vulnerability = Vulnerability::None;
    } else if (word == "NS") {
        vulnerability = Vulnerability::NorthSouth;
    } else if (word == "EW") {
        vulnerability = Vulnerability::EastWest;
    } else if (word == "ALL" || word == "BOTH") {
        vulnerability = Vulnerability::All;
    } else {
        return false;
    }
    return true;
}

const char* vulnerabilityText(Vulnerability vulnerability) {
    static const char* const NAMES[] = {"None", "All", "NS", "EW"};
    const int i = static_cast<int>(vulnerability);
    return i >= 0 && i < 4 ? NAMES[i] : "?";
}

}  // namespace ddsolver
