// Bridge positions as text for tests: hands written by rank letters, the
// program's position string, and the lines of the double-dummy table files.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "support/BridgeReference.h"

namespace bridgeref {

// Builds a position from four hands (seats 0..3), each written as the rank
// letters "AKQJT98765432" (either case) of suits 0, 1, 2, 3 separated by dots,
// e.g. "AK.Q..72": ace and king of suit 0, queen of suit 1, seven and two of
// suit 3. Cards named by no hand are out of play; nothing is on the trick.
// False (and *error set when given) on a bad letter, a missing suit or a card
// named twice. Hand sizes are not checked here: checkPosition does that.
bool positionFromHands(const std::array<std::string, 4>& hands, int trump, int leader,
                       Position* position, std::string* error = nullptr);

// A full deal in the notation bridge programs exchange (PBN): the letter of
// the first seat (N, E, S or W), a colon, then the four hands clockwise from
// that seat in the hand form above, separated by single spaces, e.g.
// "E:QJT5432.T.6.QJ82 .J97543.K7532.94 87.A62.QJT4.AT75 AK96.KQ8.A98.K63".
std::string pbnDeal(const Position& position, int firstSeat);

// Reads a deal in that notation into a position with the given trump and
// leader 0. False (and *error set when given) on a bad seat letter, a hand
// count other than four, or any fault that positionFromHands reports.
bool positionFromPbnDeal(const std::string& text, int trump, Position* position,
                         std::string* error = nullptr);

// A card written as its rank letter and suit digit, "Q1" for the queen of
// suit 1; its deal index, or -1 when the text is not a card.
int parseCard(const std::string& text);

// Moves a card from the seat's hand to the current trick (code seat + 5).
// False when the text is not a card or the seat does not hold it.
bool putOnTrick(Position* position, int seat, const std::string& card);

// The program's 57-character position string of a bridge position: the 52
// card codes, the trump, then "0010" as the table files write it (leader 0,
// declarer 0, bridge, no misere; the program solves all four leaders itself).
std::string tablePositionString(const Position& position);

// Reads a bridge position string (57 characters or more): card codes "0".."8",
// trump "0".."4", and the leader from character 53 ("0".."3"). False on any
// other character or a short string.
bool parsePositionString(const std::string& text, Position* position);

// One line of a double-dummy table file: a full deal and strain, and for
// leaders 0, 1, 2, 3 the tricks of the side that does not lead.
struct TableLine {
    std::string text;  // the position string as written
    Position position;
    std::array<int, 4> tricks{};
};

// Parses "<57-character position string>\t<n0> <n1> <n2> <n3>".
bool parseTableLine(const std::string& line, TableLine* parsed);

// Every line of a table file; false with *error set on a file that cannot be
// read or a line that does not parse (blank lines are skipped).
bool readTableFile(const std::string& path, std::vector<TableLine>* lines, std::string* error);

// A table-file line (without the line end) for a full deal and its four numbers.
std::string formatTableLine(const Position& position, const std::array<int, 4>& tricks);

}  // namespace bridgeref
