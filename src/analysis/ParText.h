// Par results written the way bridge software publishes them.
#pragma once

#include <string>

#include "analysis/Par.h"

namespace ddtable {

// A side's par score with that side named, from its own point of view: "NS -110", "EW 110".
std::string parScoreText(const ParResult& par, int side);

// The contracts of sidesPar, levels of one strain run together: "NS:EW 2Nx,EW 3Cx", "NS:W 45N".
std::string sidesParContractsText(const ParResult& par, int side);

// One contract of dealerPar: "4S*-EW-1", "2C-NS+2", "7N-NS"; as DDS writes them, a
// one-seat sacrifice in the strain of the contract it is against has no "*": "4N-W-2".
std::string dealerParContractText(const ParContract& contract);

// Strain and seat letters.
char strainLetter(int strain);
const char* seatsText(int seats);

}  // namespace ddtable
