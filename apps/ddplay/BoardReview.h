// One played board reviewed: what it was read as, and its review.
#pragma once

#include <optional>
#include <string>

#include "ddsolver/PlayReview.h"
#include "ddsolver/PlayedBoard.h"

namespace ddplay {

struct BoardInput {
    std::string source;  // the file name, "<stdin>" or "<command line>"
    ddsolver::PlayedBoard board;
    std::optional<ddsolver::Strain> strain;  // the strain when the board has no contract
};

struct BoardResult {
    ddsolver::Strain strain = ddsolver::Strain::NoTrump;
    ddsolver::Seat declarer = ddsolver::Seat::North;
    ddsolver::Seat leader = ddsolver::Seat::East;
    ddsolver::PlayReview review;
    std::string problem;  // why the board was not reviewed, when it was not
};

// Reviews the board's play (every legal card's value too with allCards);
// false with `problem` set when the board cannot be reviewed.
bool reviewBoard(ddsolver::BridgeSolver& solver, const BoardInput& input, bool allCards,
                 BoardResult& result);

}  // namespace ddplay
