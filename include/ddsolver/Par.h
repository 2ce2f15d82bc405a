// Par of a double-dummy table: the contract both sides reach when each bids
// what it can make and sacrifices, doubled, when going down costs less; as
// numbers and as the text bridge software publishes. Plain values and pure
// functions: any thread.
#pragma once

#include <string>
#include <string_view>

#include "Deal.h"
#include "Table.h"

namespace ddsolver {

// Numbered as bridge software usually exchanges it.
enum class Vulnerability : uint8_t { None = 0, All = 1, NorthSouth = 2, EastWest = 3 };
bool isVulnerable(Vulnerability vulnerability, Side side);

// PBN's words ("None", "Love", "-", "NS", "EW", "All", "Both", either case);
// false when unknown.
bool vulnerabilityFromText(std::string_view text, Vulnerability& vulnerability);
// "None", "All", "NS", "EW".
const char* vulnerabilityText(Vulnerability vulnerability);

// ParContract::seats beyond the four seats: either seat of a side declares.
constexpr int PAR_SEATS_NS = 4;
constexpr int PAR_SEATS_EW = 5;

struct ParContract {
    int level = 0;  // 1-7
    Strain strain = Strain::Spades;
    int seats = 0;            // 0-3 the declaring seat, or PAR_SEATS_NS / PAR_SEATS_EW
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

// Par when the given side may bid first: every level of every contract that
// scores the par is listed (DDS's Par).
ParResult sidesPar(const DdTable& table, Side firstToBid, Vulnerability vulnerability);

// Par when the given seat deals: the auction runs from the dealer round the
// table, and each par contract appears once, at its lowest level (DDS's DealerPar).
ParResult dealerPar(const DdTable& table, Seat dealer, Vulnerability vulnerability);

// A side's par score from its own point of view: "NS -110", "EW 110".
std::string parScoreText(const ParResult& par, Side side);
// The contracts of sidesPar, levels of one strain run together: "NS:EW 2Nx,EW 3Cx", "NS:W 45N".
std::string sidesParContractsText(const ParResult& par, Side side);
// One contract of dealerPar: "4S*-EW-1", "2C-NS+2", "7N-NS"; as DDS writes
// them, a one-seat sacrifice in the strain of the contract it is against has
// no "*": "4N-W-2".
std::string dealerParContractText(const ParContract& contract);

}  // namespace ddsolver
