// Bridge solve driver: keeps or clears the transposition table, rebuilds the
// per-deal tables, lists and records, and bisects over the tricks of the side
// to move with null-window root searches. Also hasSuit.
#include "EntryChecks.h"
#include "bridge/TrickPlay.h"

using namespace bridge;

namespace {

// The trump under which the table's entries were computed (-1: none yet).
// The entries are scores under one trump, so a table searched under another
// trump must be cleared first, whatever the caller's flag says.
int tableTrump = -1;

bool isHandCode(int code) {
    return code >= 1 && code <= 4;
}
bool isTrickCode(int code) {
    return code >= 5 && code <= 8;
}

// True when some card is in a hand in both deals, but in different hands.
bool handsChanged(const int* deal) {
    for (int i = 0; i < 52; ++i) {
        int now = deal[i], before = BridgePosition::old_ptr[i];
        if (isHandCode(now) && isHandCode(before) && now != before) return true;
    }
    return false;
}

// The search needs a position it can play out: the trick's cards are those
// of the first seats in playing order from the leader, one each, and every
// seat holds as many cards as the others once its card on the trick counts.
bool isPlayable(const int* deal, int leader) {
    if (leader < 0 || leader > 3) return false;
    int held[4] = {0, 0, 0, 0};
    int played[4] = {0, 0, 0, 0};
    for (int i = 0; i < 52; ++i) {
        if (isHandCode(deal[i])) ++held[deal[i] - 1];
        if (isTrickCode(deal[i])) ++played[deal[i] - 5];
    }
    int onTrick = 0;
    for (int k = 0; k < 4; ++k) {
        const int seat = (leader + k) & 3;
        if (played[seat] > 1) return false;
        if (played[seat] == 1 && onTrick != k) return false;  // a gap before it
        onTrick += played[seat];
    }
    for (int seat = 1; seat < 4; ++seat) {
        if (held[seat] + played[seat] != held[0] + played[0]) return false;
    }
    return true;
}

// Clears the table when the request asks for it (the new trump then comes
// into force) or when the trump in force is not the table's.
void prepareTable(bool clear, char trumpSuit) {
    if (clear) BridgePosition::trump = static_cast<signed char>(trumpSuit);
    if (BridgePosition::trump != tableTrump) clear = true;
    if (!clear) return;
    clearHashTable();
    BridgePosition::trumpChanged = false;
    tableTrump = BridgePosition::trump;
}

// One null-window test: does the side to move reach a score above t?
int rootTest(BridgePosition& root, int t, Item* const* trick, int count) {
    switch (count) {
        case 0:
            return root.fg(t);
        case 1:
            return root.fg1(t, trick[0]);
        case 2:
            return root.fg2(t, trick[0], trick[1]);
        default:
            return root.fg3(t, trick[0], trick[1], trick[2]);
    }
}

// Where the search starts: the leader of the trick to search, the tricks
// left (the current one included) and the cards already on that trick. A
// completed trick goes to its winner, who leads the next one.
struct SearchStart {
    int leader;
    int tricks;
    int cards;
    int completed;  // 1 when a full trick was on the table
};

// Takes the trick's cards out of the lists (the search plays around them)
// and settles a completed trick.
SearchStart startOfSearch(const int* deal, int firstmove, Item* const* trick) {
    int inPlay = 0, onTrick = 0;
    for (int i = 0; i < 52; ++i) {
        if (isHandCode(deal[i]) || isTrickCode(deal[i])) ++inPlay;
        if (isTrickCode(deal[i])) ++onTrick;
    }
    for (int i = 0; i < onTrick; ++i) unlinkCard(trick[i]);
    if (onTrick < 4) return {firstmove, inPlay / 4, onTrick, 0};
    const int w =
        trickWinner(trick[0]->code(), trick[1]->code(), trick[2]->code(), trick[3]->code());
    return {(firstmove + w) & 3, inPlay / 4 - 1, 0, 1};
}

// Bisection over the tricks of the side to move, each test a null-window
// root search; returns those tricks and leaves the best card in bs/bc: the
// card of the highest test passed, else the first test's default card.
int bisect(BridgePosition& root, const SearchStart& start, Item* const* trick) {
    const int n = start.tricks;
    BridgePosition::startIndex = 0;
    int lo = 0, hi = n + 1;
    signed char bestSuit = -1, bestRank = -1;
    while (lo + 1 < hi) {
        const int mid = (lo + hi) / 2;
        const int t = 2 * mid - n - 2;
        const bool reached = rootTest(root, t, trick, start.cards) >= t + 2;
        if (reached)
            lo = mid;
        else
            hi = mid;
        if (reached || bestSuit < 0) {
            bestSuit = BridgePosition::bs;
            bestRank = BridgePosition::bc;
        }
    }
    BridgePosition::bs = bestSuit;
    BridgePosition::bc = bestRank;
    return lo;
}

// A lead stands for its group of equivalent cards (same hand, only cards out
// of play between them) and is named by the group's highest card, the one the
// per-card evaluation lists for a leader. The search's own choice is already
// such a card, but the default when the side on lead takes nothing is not.
void nameLeadByTopOfGroup(const int* deal) {
    if (BridgePosition::bs < 0 || BridgePosition::bc < 0) return;
    const int suitBase = BridgePosition::bs * 13;
    int top = 12 - BridgePosition::bc;
    for (int r = top - 1; r >= 0; --r) {
        const int code = deal[suitBase + r];
        if (code == 0) continue;
        if (code != deal[suitBase + top]) break;
        top = r;
    }
    BridgePosition::bc = static_cast<signed char>(12 - top);
}

}  // namespace

bool BridgePosition::solveposition(const int* deal, char trumpSuit) {
    if (checkBridgeDeal(deal, trumpSuit, firstmove) != EntryProblem::NONE) return false;
    if (hashtable == nullptr) return false;
    if (!isPlayable(deal, firstmove)) return false;
    // A card moved to another hand, a new trump or a fresh table: clear. The
    // trump that is then in force must name a suit or no trump.
    const bool clear = tableUncleared || trumpChanged || handsChanged(deal);
    const int inForce = clear ? trumpSuit : trump;
    if (inForce < 0 || inForce > 4) return false;

    prepareTable(clear, trumpSuit);
    for (int i = 0; i < 52; ++i) old_ptr[i] = deal[i];
    buildCompareTable(trump);
    Item* trick[4];
    buildSuitLists(deal, firstmove, trick);
    buildSuitCodes(deal);
    NodeCount = 0;

    const SearchStart start = startOfSearch(deal, firstmove, trick);
    linkRecords();
    buildWhoArray(start.leader);
    BridgePosition& root = P[start.tricks];
    setRootOrder(root);
    const int tricks = bisect(root, start, trick);
    if (start.cards == 0) nameLeadByTopOfGroup(deal);
    if (start.completed) bs = bc = -1;  // no card to choose on a completed trick
    const short mover = static_cast<short>(tricks + start.completed);
    const short other = static_cast<short>(start.tricks - tricks);
    const bool eastWestMoves = ((start.leader + start.cards) & 1) == 1;
    EastWestTricks = eastWestMoves ? mover : other;
    NorthSouthTricks = eastWestMoves ? other : mover;
    return true;
}

bool BridgePosition::hasSuit(int suit, int seat, const int* deal) {
    if (suit < 0 || suit > 3) return false;
    for (int i = suit * 13; i < suit * 13 + 13; ++i) {
        if (deal[i] == seat + 1) return true;
    }
    return false;
}
