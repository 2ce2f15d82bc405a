// Per-card evaluation for host programs: every card the player to move could
// play is valued and handed out through the host's callback; and who plays
// next once a card has been added to the current trick.
#include <cstring>

#include "compat/EstimateTrick.h"
#include "compat/PrefEstimate.h"
#include "core/EntryChecks.h"
#include "core/GameRules.h"
#include "ddsolver/compat/BridgePosition.h"
#include "ddsolver/compat/PrefPosition.h"

using namespace estimate;
using BP = BridgePosition;
using core::BRIDGE;
using core::PREFERANS;

namespace {

// ---- bridge ----

// The visible results of the host's solve, put back when the evaluation ends.
struct SavedResults {
    short eastWest;
    short northSouth;
    signed char bestRank;
    signed char bestSuit;
    int nextmove;

    static SavedResults take() {
        return {BP::EastWestTricks, BP::NorthSouthTricks, BP::bc, BP::bs, BP::nextmove};
    }
    void restore() const {
        BP::EastWestTricks = eastWest;
        BP::NorthSouthTricks = northSouth;
        BP::bc = bestRank;
        BP::bs = bestSuit;
        BP::nextmove = nextmove;
    }
    short tricksOf(int seat) const { return (seat & 1) == 0 ? northSouth : eastWest; }
};

// One bridge request: the position before the move, its trick leader, the
// seat to move and how many cards the trick holds once he has played.
struct BridgeRequest {
    const int* position;
    int leader;
    int mover;
    int count;
    char trumpSuit;
};

// No seat holds more than a hand's worth, so no move list can overflow.
bool handsFit(const int* deal) {
    const core::SeatCounts counts = core::countSeats(deal, BRIDGE);
    for (int seat = 0; seat < 4; ++seat) {
        if (counts.total(seat) > BRIDGE.maxHand) return false;
    }
    return true;
}

// The best card of the host's solve as a deal index, or NO_CARD.
int bridgeBestCard(const SavedResults& saved) {
    if (saved.bestSuit < 0 || saved.bestSuit > 3 || saved.bestRank < 0 || saved.bestRank > 12)
        return NO_CARD;
    return saved.bestSuit * 13 + 12 - saved.bestRank;
}

// The top card of each run of the seat's cards in suit s, from the highest
// run down or from the lowest up (the trick's cards still separate runs).
int runTops(const int* deal, int s, int seat, bool upward, int* out) {
    return core::runTops(deal, BRIDGE, s, seat, upward, out);
}

// The leader's candidates: the top card of each run of his adjacent cards,
// suits in order, each suit from its highest card down.
int leaderCandidates(const int* deal, int leader, int* out) {
    int n = 0;
    for (int s = 0; s < 4; ++s) n += runTops(deal, s, leader, false, out + n);
    return n;
}

// A later seat's candidates, one per run: following suit from the top down;
// void, his trumps from the lowest run up, then the lowest run of each other
// suit, then the other runs of those suits from the lowest up.
int followerCandidates(const BridgeRequest& request, int ledCard, int* out) {
    const int* deal = request.position;
    const int s = ledCard / 13, seat = request.mover;
    int n = runTops(deal, s, seat, false, out);
    if (n > 0) return n;
    const int trump = BP::trump;
    if (trump != NO_TRUMP && trump != s) n = runTops(deal, trump, seat, true, out);
    int later[CARDS_PER_SUIT];
    int lateCount = 0;
    for (int u = 0; u < 4; ++u) {
        if (u == s || u == trump) continue;
        int runs[CARDS_PER_SUIT];
        const int k = runTops(deal, u, seat, true, runs);
        if (k == 0) continue;
        out[n++] = runs[0];
        for (int i = 1; i < k; ++i) later[lateCount++] = runs[i];
    }
    for (int i = 0; i < lateCount; ++i) out[n++] = later[i];
    return n;
}

// The candidate's value: its side's tricks from the current trick on, found
// by solving the position after it is played. A trick it completes is taken
// off and counted for its winner. False when the solver refuses.
bool bridgeCandidateValue(const BridgeRequest& request, int card, int savedNext, int* value) {
    int copy[52];
    std::memcpy(copy, request.position, sizeof copy);
    copy[card] = onTrickCode(request.mover);
    BP::firstmove = request.leader;
    BP::nextmove = savedNext;
    int bonus = 0;
    if (request.count < 4) {
        BP::switchMove(copy, true);
    } else {
        int trick[4];
        core::trickInOrder(copy, BRIDGE, request.leader, trick);
        for (int c : trick) copy[c] = CODE_OUT_OF_PLAY;
        const int winner = (request.leader + core::winningPlace(trick, 4, BP::trump)) & 3;
        BP::firstmove = BP::nextmove = winner;
        bonus = ((winner ^ request.mover) & 1) == 0 ? 1 : 0;
    }
    if (!BP::solveposition(copy, request.trumpSuit)) return false;
    const int side = (request.mover & 1) == 0 ? BP::NorthSouthTricks : BP::EastWestTricks;
    *value = side + bonus;
    return true;
}

void estimateBridge(const BridgeRequest& base, const int* after, int level, const Reporter& out) {
    BridgeRequest request = base;
    request.count = countTrick(after, BRIDGE);
    if (request.count == 0 || request.count > 4) return;
    // Positions the lists and the move generation cannot take: nothing is
    // touched and nothing reported.
    int afterTrick[4], trick[4];
    if (!BRIDGE.validSeat(request.leader) || BP::trump < 0 || BP::trump > NO_TRUMP ||
        !handsFit(request.position) ||
        !trickIsOrderly(after, BRIDGE, request.leader, request.count, afterTrick) ||
        !trickIsOrderly(request.position, BRIDGE, request.leader, request.count - 1, trick))
        return;
    request.mover = BRIDGE.seatAt(request.leader, request.count - 1);

    const SavedResults saved = SavedResults::take();
    int candidates[CARDS_PER_SUIT];
    const int n = request.count == 1
                      ? leaderCandidates(request.position, request.leader, candidates)
                      : followerCandidates(request, afterTrick[0], candidates);
    if (n == 0) {
        if (request.count == 1) BP::firstmove = request.leader;
        return;
    }

    // First pass: every candidate at once, the best card with its known value.
    const bool everyCard = level == 3 || level == 4;
    const int best = bridgeBestCard(saved);
    const short known = saved.tricksOf(request.mover);
    const bool bestKnown = known != VALUE_TO_COME;
    for (int i = 0; i < n; ++i) {
        if (candidates[i] == best && bestKnown) {
            out.withEquivalents(candidates[i], known, TOWARDS_LOWER);
        } else if (everyCard) {
            out.withEquivalents(candidates[i], VALUE_TO_COME, TOWARDS_LOWER);
        }
    }
    // Second pass: one solve per candidate whose value is still to come.
    for (int i = 0; everyCard && i < n; ++i) {
        if (candidates[i] == best && bestKnown) continue;
        int value;
        if (!bridgeCandidateValue(request, candidates[i], saved.nextmove, &value)) break;
        out.withEquivalents(candidates[i], value, TOWARDS_LOWER);
    }
    saved.restore();
    BP::firstmove = request.leader;
}

}  // namespace

void BridgePosition::estimateAll(const int* position, const int* positionAfterMove,
                                 signed char trumpSuit, int leader, int declarer, bool bridge,
                                 bool misere, int level, EstimateCallback callback, void* context) {
    if (checkEstimate(position, positionAfterMove, trumpSuit, leader, declarer, bridge, misere,
                      callback != nullptr) != Status::Ok)
        return;
    if (bridge) {
        const Reporter out{callback, context, position, BRIDGE};
        const BridgeRequest request{position, leader, 0, 0, static_cast<char>(trumpSuit)};
        estimateBridge(request, positionAfterMove, level, out);
        return;
    }
    preferans::estimateAll(position, positionAfterMove, trumpSuit, leader, declarer, misere, level,
                           Reporter{callback, context, position, PREFERANS});
}

void BridgePosition::switchMove(const int* deal, bool bridge) {
    const GameRules& game = core::rulesOf(bridge);
    if (checkSwitchMove(deal, firstmove, bridge) != Status::Ok) return;
    int cards[4];
    const int n = core::trickInOrder(deal, game, firstmove, cards);
    if (n == 0) return;
    if (n == game.trickSize) {
        firstmove = nextmove = game.seatAt(firstmove, core::winningPlace(cards, n, trump));
        return;
    }
    nextmove = game.seatAt(firstmove, n);
}
