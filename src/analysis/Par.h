// Par of a double-dummy table: the contract both sides reach when each bids
// what it can make and sacrifices, doubled, when going down costs less.
#pragma once

#include "analysis/Table.h"

namespace ddtable {

enum ParSeats { SEATS_NS = 4, SEATS_EW = 5 };  // 0-3: one seat declares

struct ParContract {
    int level = 0;            // 1-7
    int strain = 0;           // 0-3 spades .. clubs, 4 no trump
    int seats = 0;            // 0-3 the declaring seat, or SEATS_NS / SEATS_EW when either can
    bool doubled = false;     // a sacrifice, going down doubled
    bool sameStrain = false;  // a sacrifice in the strain of the contract it is against
    int overTricks = 0;
    int underTricks = 0;
};

constexpr int MAX_PAR_CONTRACTS = 40;

struct ParResult {
    int score = 0;  // North-South's score; 0 with no contracts when the deal is passed out
    int count = 0;
    ParContract contracts[MAX_PAR_CONTRACTS];
};

// Par when the given side (0 North-South, 1 East-West) may bid first: every
// level of every contract that scores the par is listed.
ParResult sidesPar(const Table& table, int firstSide, int vulnerability);

// Par when the given seat deals: the auction runs from the dealer round the
// table, and each par contract appears once, at its lowest level.
ParResult dealerPar(const Table& table, int dealer, int vulnerability);

}  // namespace ddtable
