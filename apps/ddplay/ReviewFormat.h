// The play-review program's two output forms: text for players, JSON Lines
// for programs. One record per board.
#pragma once

#include <string>

#include "apps/ddplay/BoardReview.h"

namespace ddplay {

// The deal, contract and result, the play trick by trick with each card's
// double-dummy result for declarer (and what a card that gave tricks away
// cost, with the cards that kept the optimum), then the summary.
std::string textRecord(const BoardInput& input, const BoardResult& result, bool allCards);

// One JSON object on one line.
std::string jsonRecord(const BoardInput& input, const BoardResult& result, bool allCards);

}  // namespace ddplay
