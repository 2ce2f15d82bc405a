// The solver entry shared by both games: a preferans position goes to the
// preferans solver and its answer is copied into the bridge result fields; a
// bridge position sets the bridge solver's request state and runs its driver.
#include "core/EntryChecks.h"
#include "ddsolver/compat/BridgePosition.h"
#include "ddsolver/compat/DealCodes.h"
#include "ddsolver/compat/PrefPosition.h"

namespace {

int cardsOnTrick(const int* deal) {
    int count = 0;
    for (int i = 0; i < DEAL_CARDS; i++) count += isTrickCode(deal[i]);
    return count;
}

}  // namespace

bool BridgePosition::solve(const int* deal, char trumpSuit, int leader, int declarer, bool bridge,
                           bool misere, bool trumpChangedFlag) {
    const Status problem = bridge ? checkBridgeDeal(deal, trumpSuit, leader)
                                  : checkPreferansDeal(deal, trumpSuit, leader, declarer, misere);
    if (problem != Status::Ok) return false;
    if (!bridge) {
        PrefPosition::solve(deal, trumpSuit, leader, declarer, misere, true);
        NodeCount = 0;
        bs = static_cast<signed char>(PrefPosition::bs & 0xFF);
        bc = static_cast<signed char>(PrefPosition::bc + 5);  // seven..ace become 5..12
        EastWestTricks = PrefPosition::number_of_tricks_of_player;
        NorthSouthTricks = PrefPosition::number_of_tricks_of_vist;
        return true;
    }
    trump = trumpSuit;
    trumpChanged = trumpChangedFlag;
    guess = 0;
    maximize = 0;
    firstmove = leader;
    nextmove = (leader + cardsOnTrick(deal)) % 4;
    return solveposition(deal, trumpSuit);
}

bool BridgePosition::hasSuit(int suit, int seat, const int* deal) {
    if (deal == nullptr || suit < 0 || suit > 3) return false;
    for (int i = suit * CARDS_PER_SUIT; i < (suit + 1) * CARDS_PER_SUIT; ++i) {
        if (deal[i] == inHandCode(seat)) return true;
    }
    return false;
}
