// Per-card evaluation in preferans: every card the player to move may play,
// valued by a solve of the position after it.
#include "compat/PrefEstimate.h"

#include <cstring>

#include "ddsolver/compat/PrefPosition.h"

using namespace estimate;
using BP = BridgePosition;
using core::PREFERANS;

namespace {

struct PrefRequest {
    const int* position;
    int trump;      // as the host gave it, for the solver
    int playTrump;  // the trump in force for the play: none in misere
    int leader;
    int declarer;
    bool misere;
    int count;  // cards on the trick once the mover has played
    int mover;
};

// Three hands of equal size, at most ten cards, once the trick's cards are
// counted with their seats: a position the preferans solver can play out.
bool prefHandsEven(const int* deal) {
    const core::SeatCounts counts = core::countSeats(deal, PREFERANS);
    return counts.total(0) <= PREFERANS.maxHand && counts.total(1) == counts.total(0) &&
           counts.total(3) == counts.total(0);
}

// The best card of the host's solve as a deal index (its rank counted from
// the two lies between the seven and the ace), or NO_CARD.
int prefBestCard() {
    if (BP::bs < 0 || BP::bs > 3 || BP::bc < 5 || BP::bc > 12) return NO_CARD;
    return BP::bs * 13 + 12 - BP::bc;
}

bool holdsSuit(const int* deal, int seat, int suit) {
    for (int r = 0; r < PREFERANS.ranks; ++r) {
        if (deal[suit * 13 + r] == seat + 1) return true;
    }
    return false;
}

// The suit the mover must play (ANY_SUIT when he may play any card): the
// suit led when he holds it, else a trump when he holds one.
int requiredSuit(const PrefRequest& request, int ledSuit) {
    if (request.count == 1) return ANY_SUIT;
    if (holdsSuit(request.position, request.mover, ledSuit)) return ledSuit;
    if (request.playTrump != NO_TRUMP &&
        holdsSuit(request.position, request.mover, request.playTrump))
        return request.playTrump;
    return ANY_SUIT;
}

// The candidate's value for its side, this trick included; a trick it
// completes is taken off and counted for its winner, who leads the next.
int prefCandidateValue(const PrefRequest& request, int card) {
    int copy[52];
    std::memcpy(copy, request.position, sizeof copy);
    copy[card] = onTrickCode(request.mover);
    int leader = request.leader;
    int bonus = 0;
    const bool declares = request.mover == request.declarer;
    if (request.count == 3) {
        int trick[3];
        core::trickInOrder(copy, PREFERANS, request.leader, trick);
        for (int c : trick) copy[c] = CODE_OUT_OF_PLAY;
        leader = PREFERANS.seatAt(request.leader, core::winningPlace(trick, 3, request.playTrump));
        bonus = (leader == request.declarer) == declares ? 1 : 0;
    }
    PrefPosition::solve(copy, request.trump, leader, request.declarer, request.misere, true);
    return (declares ? PrefPosition::number_of_tricks_of_player
                     : PrefPosition::number_of_tricks_of_vist) +
           bonus;
}

void estimatePreferans(const PrefRequest& base, const int* after, int level, const Reporter& out) {
    PrefRequest request = base;
    if (!PREFERANS.validSeat(request.leader) || !PREFERANS.validSeat(request.declarer)) return;
    if (request.playTrump < 0 || request.playTrump > NO_TRUMP) return;
    request.count = countTrick(after, PREFERANS);
    int afterTrick[3], trick[3];
    if (request.count == 0 || request.count > 3 ||
        !trickIsOrderly(after, PREFERANS, request.leader, request.count, afterTrick) ||
        !trickIsOrderly(request.position, PREFERANS, request.leader, request.count - 1, trick) ||
        !prefHandsEven(request.position))
        return;
    request.mover = PREFERANS.seatAt(request.leader, request.count - 1);

    // The best card of the host's solve, when it is the mover's, with the
    // solve's count for his side.
    const int best = prefBestCard();
    if (best != NO_CARD && request.position[best] == request.mover + 1) {
        const bool declares = request.mover == request.declarer;
        out.withEquivalents(best, declares ? BP::EastWestTricks : BP::NorthSouthTricks,
                            TOWARDS_HIGHER);
    }
    if (level != 3 && level != 4) return;

    // Every card he still holds after the move that he may play, one solve each.
    const int suit = requiredSuit(request, afterTrick[0] / 13);
    for (int card = 0; card < 52; ++card) {
        if (!PREFERANS.isRead(card) || after[card] != request.mover + 1) continue;
        if (suit != ANY_SUIT && card / 13 != suit) continue;
        out.report(card, prefCandidateValue(request, card));
    }
}

}  // namespace

namespace preferans {

void estimateAll(const int* position, const int* positionAfterMove, signed char trumpSuit,
                 int leader, int declarer, bool misere, int level, const Reporter& out) {
    const int playTrump = misere ? NO_TRUMP : trumpSuit;
    const PrefRequest request{position, trumpSuit, playTrump, leader, declarer, misere, 0, 0};
    estimatePreferans(request, positionAfterMove, level, out);
}

}  // namespace preferans
