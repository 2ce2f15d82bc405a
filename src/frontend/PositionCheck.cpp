// Checks a decoded position string before any solver sees it: the solvers trust
// their input, so characters out of range or inconsistent hands are refused here.
#include "frontend/PositionString.h"

namespace {

constexpr int HELD = inHandCode(0);       // code of a card held by seat 0
constexpr int ON_TRICK = onTrickCode(0);  // code of a card seat 0 has played to the trick

const int ALL_BRIDGE_SEATS[] = {0, 1, 2, 3};

struct CodeCounts {
    int of[CODE_COUNT] = {};
};

// Counts the codes of the cards the game reads (the first `ranksRead` of every
// suit); false when one of them is not a card code.
bool countCodes(const int deal[DEAL_CARDS], int ranksRead, CodeCounts& counts) {
    for (int suit = 0; suit < SUITS; suit++) {
        for (int rank = 0; rank < ranksRead; rank++) {
            int code = deal[suit * CARDS_PER_SUIT + rank];
            if (code < 0 || code >= CODE_COUNT) return false;
            counts.of[code]++;
        }
    }
    return true;
}

bool isTrump(int trump) {
    return trump >= 0 && trump <= NO_TRUMP;
}

bool isPreferansSeat(int seat) {
    return seat == 0 || seat == 1 || seat == 3;
}

// The preferans seat that plays after `seat`: 0, 1, 3, then 0 again.
int preferansSeatAfter(int seat) {
    return seat == 0 ? 1 : seat == 1 ? 3 : 0;
}

// Every seat in play must start the trick with the same number of cards, its
// card on the trick included. Equal hands cannot exceed the deck's share
// (13 of 52, 10 of 32), so no separate limit is needed.
bool handsEven(const CodeCounts& counts, const int* seats, int seatCount) {
    int first = counts.of[HELD + seats[0]] + counts.of[ON_TRICK + seats[0]];
    for (int i = 1; i < seatCount; i++) {
        int size = counts.of[HELD + seats[i]] + counts.of[ON_TRICK + seats[i]];
        if (size != first) return false;
    }
    return true;
}

std::string checkBridge(const DecodedPosition& position) {
    CodeCounts counts;
    if (!countCodes(position.deal, CARDS_PER_SUIT, counts)) return "card character out of range";
    if (!isTrump(position.trump)) return "trump character out of range";
    // The four solves start a fresh trick for each leader in turn.
    for (int seat : ALL_BRIDGE_SEATS) {
        if (counts.of[ON_TRICK + seat] > 0) return "card on the trick in a bridge deal";
    }
    if (!handsEven(counts, ALL_BRIDGE_SEATS, BRIDGE_SEATS)) return "uneven hands";
    return std::string();
}

// The current trick holds the leader's card, then the card of the seat after him.
std::string checkPreferansTrick(const CodeCounts& counts, int leader) {
    int onTrick = 0;
    for (int seat : PREFERANS_SEATS) {
        if (counts.of[ON_TRICK + seat] > 1) return "two cards on the trick from one seat";
        onTrick += counts.of[ON_TRICK + seat];
    }
    if (onTrick > 2) return "more than two cards on the trick";
    if (onTrick >= 1 && counts.of[ON_TRICK + leader] == 0)
        return "card on the trick not the leader's";
    if (onTrick == 2 && counts.of[ON_TRICK + preferansSeatAfter(leader)] == 0) {
        return "second card on the trick not from the seat after the leader";
    }
    return std::string();
}

std::string checkPreferans(const DecodedPosition& position) {
    CodeCounts counts;
    if (!countCodes(position.deal, PREFERANS_RANKS, counts)) return "card character out of range";
    if (!position.misere && !isTrump(position.trump)) return "trump character out of range";
    if (!isPreferansSeat(position.leader)) return "leader not 0, 1 or 3";
    if (!isPreferansSeat(position.declarer)) return "declarer not 0, 1 or 3";
    std::string trickProblem = checkPreferansTrick(counts, position.leader);
    if (!trickProblem.empty()) return trickProblem;
    if (!handsEven(counts, PREFERANS_SEATS, 3)) return "uneven hands";
    return std::string();
}

}  // namespace

std::string checkPosition(const DecodedPosition& position) {
    return position.bridge ? checkBridge(position) : checkPreferans(position);
}
