// Random preferans positions for the tests, in the 52-int deal array form.
#pragma once

#include <random>
#include <string>

struct PrefTestPosition {
    int deal[52];
    int trump;  // 0 to 3, or 4 for no trump
    int leaderSeat;
    int declarerSeat;
    bool misere;
};

// A position with `tricks` cards in each of seats 0, 1 and 3 (counting the
// cards on the table), `onTable` of them (0 to 2) already played to the
// current trick by the leader and the seat after him, following the rules.
// Cards out of play get code 0 or, now and then, a seat-2 code (3 or 7), and
// the unused rank positions 8 to 12 get random codes: both must be ignored.
PrefTestPosition randomPrefPosition(std::mt19937& rng, int tricks, int onTable);

// The 57-character position string of a preferans position, and back.
std::string prefPositionString(const PrefTestPosition& position);
PrefTestPosition prefPositionFromString(const std::string& text);
