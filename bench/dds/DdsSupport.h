// The DDS bridge library as a peer of the benchmarks: a deal array handed to
// DDS, and the program's four-leader job solved with DDS on one thread.
#pragma once

#include <dds/dll.h>

#include <string>

// One DDS thread for every later call: the peer is timed on one core, as
// this solver is.
inline void useOneDdsThread() {
    SetMaxThreads(1);
}

// DDS's text for one of its result codes.
inline std::string ddsErrorText(int code) {
    char line[80] = {};
    ErrorMessage(code, line);
    return line;
}

// The hands of a deal array (codes 1 to 4 for seats 0 to 3) in DDS's form:
// per seat and suit a mask with bit 14 for the ace down to bit 2 for the two.
// Seats (North, East, South, West) and suits (spades, hearts, diamonds,
// clubs) are numbered alike on both sides; cards of other codes are left out.
inline void fillDdsHands(const int* deal, unsigned int hands[DDS_HANDS][DDS_SUITS]) {
    for (int seat = 0; seat < DDS_HANDS; ++seat) {
        for (int suit = 0; suit < DDS_SUITS; ++suit) hands[seat][suit] = 0;
    }
    for (int card = 0; card < 52; ++card) {
        int code = deal[card];
        if (code < 1 || code > 4) continue;
        int rankPosition = card % 13;  // 0 = ace ... 12 = two
        hands[code - 1][card / 13] |= 1u << (14 - rankPosition);
    }
}

// The program's job for a deal without cards on the trick: for leaders 0 to 3
// the tricks of the side that does not lead, each from one DDS SolveBoard
// call (highest reachable count, one card asked for). The first leader
// searches afresh (mode 1); the other three reuse DDS's transposition table
// of the same deal and strain (mode 2), DDS's fastest way to this job.
// False with *error set when DDS refuses the deal.
inline bool solveFourLeadersWithDds(const int* deal, int trump, int tricks[4], std::string* error) {
    struct deal position = {};
    position.trump = trump;
    fillDdsHands(deal, position.remainCards);
    int cardsHeld = 0;
    for (int card = 0; card < 52; ++card) cardsHeld += deal[card] >= 1 && deal[card] <= 4;
    for (int leader = 0; leader < 4; ++leader) {
        position.first = leader;
        futureTricks result = {};
        int status = SolveBoard(position, -1, 1, leader == 0 ? 1 : 2, &result, 0);
        if (status != RETURN_NO_FAULT) {
            *error = ddsErrorText(status);
            return false;
        }
        tricks[leader] = cardsHeld / 4 - result.score[0];
    }
    return true;
}
