// The played deals of tests/data/bridge_play20.tsv with the values DDS's play
// analyser gave for them (see tests/data/README.md).
#pragma once

#include <string>
#include <vector>

#include "ddsolver/Deal.h"

struct PlayTrace {
    std::string dealText;
    ddsolver::Deal deal;
    ddsolver::Strain strain = ddsolver::Strain::NoTrump;
    ddsolver::Seat declarer = ddsolver::Seat::North;
    ddsolver::Seat leader = ddsolver::Seat::East;
    std::vector<ddsolver::Card> cards;
    std::vector<int> ddsTricks;  // before the first card, then after each up to the 48th
    int declarerTricksTaken = 0;
};

std::vector<PlayTrace> readPlayTraces(const std::string& fileName = "bridge_play20.tsv");
