// PBN deal text ("N:QJ6.K652.J85.T98 873.J97.AT764.Q4 ...") to and from the
// solver's deal array, and the seat and vulnerability words of PBN tags.
#pragma once

#include <string>

namespace ddtable {

// Fills deal[52] with 1-4 (the holding seat N, E, S, W) from a PBN deal text.
// Accepts ranks in either case, "10" for the ten, "-" for a void suit and a
// text without the "N:" seat prefix (then North's hand comes first). Returns an
// empty string on success, else a short reason; deal is then unspecified.
std::string parseDealText(const std::string& text, int deal[52], int* firstSeat = nullptr);

// The deal array as PBN text starting with North: "N:AKQ.. ... ... ...".
std::string dealText(const int deal[52]);

// "N", "E", "S", "W" (either case) to 0-3; -1 otherwise.
int seatFromText(const std::string& text);

// PBN vulnerability words ("None", "Love", "-", "NS", "EW", "All", "Both") to
// a Vulnerability; VUL_UNKNOWN otherwise.
int vulnerabilityFromText(const std::string& text);

// "None", "NS", "EW", "All".
const char* vulnerabilityText(int vulnerability);

}  // namespace ddtable
