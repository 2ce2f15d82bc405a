// A board's strain, declarer and leader worked out from what was read, and
// its play reviewed.
#include "apps/ddplay/BoardReview.h"

namespace ddplay {

using namespace ddsolver;

bool reviewBoard(BridgeSolver& solver, const BoardInput& input, bool allCards,
                 BoardResult& result) {
    const PlayedBoard& board = input.board;
    if (!board.error.empty()) {
        result.problem = board.error;
        return false;
    }
    if (board.contract) {
        result.strain = board.contract->strain;
    } else if (input.strain) {
        result.strain = *input.strain;
    } else {
        result.problem = "no contract: nothing to review";
        return false;
    }
    if (board.leader) {
        result.leader = *board.leader;
    } else if (board.declarer) {
        result.leader = nextSeat(*board.declarer);
    } else {
        result.problem = "no declarer or opening leader";
        return false;
    }
    // The declarer sits on the leader's right.
    result.declarer = static_cast<Seat>((static_cast<int>(result.leader) + 3) & 3);
    const ReviewDetail detail = allCards ? ReviewDetail::EveryCard : ReviewDetail::Optimal;
    const Status status = reviewPlay(solver, board.deal, result.strain, result.leader, board.play,
                                     result.review, detail);
    if (status == Status::Ok) return true;
    result.problem = describe(status);
    if (result.review.refusedCard >= 0) {
        const int place = result.review.refusedCard;
        result.problem = "card " + std::to_string(place + 1) + " (" +
                         board.play[static_cast<size_t>(place)].text() + "): " + result.problem;
    }
    return false;
}

}  // namespace ddplay
