// The double-dummy table of one deal: the tricks each seat takes as declarer
// in each strain, and the seat, strain and vulnerability numbering it uses.
#pragma once

namespace ddtable {

constexpr int STRAINS = 5;  // 0-3 spades, hearts, diamonds, clubs (the solver's trumps), 4 no trump
constexpr int NO_TRUMP = 4;
constexpr int SEATS = 4;  // 0-3 North, East, South, West

// Vulnerability, numbered as bridge software usually exchanges it.
enum Vulnerability { VUL_NONE = 0, VUL_ALL = 1, VUL_NS = 2, VUL_EW = 3, VUL_UNKNOWN = -1 };

struct Table {
    int tricks[STRAINS][SEATS] = {};  // [strain][declarer]: the declarer's tricks
};

// Seat 0 and 2 are North-South (side 0), 1 and 3 East-West (side 1).
inline int sideOf(int seat) {
    return seat & 1;
}
inline bool isVulnerable(int vulnerability, int side) {
    return vulnerability == VUL_ALL || (vulnerability == VUL_NS && side == 0) ||
           (vulnerability == VUL_EW && side == 1);
}

}  // namespace ddtable
