// Par from a double-dummy table. The side with the highest contract it can
// make buys the auction; it picks, among its contracts above anything the
// other side can make, the one that leaves it most after the other side's
// cheapest doubled sacrifice above it; par is that contract or that sacrifice.
#include "ddtable/Par.h"

#include <algorithm>
#include <climits>

#include "ddtable/Score.h"

namespace ddtable {

namespace {

constexpr int BIDS = 35;  // 1C up to 7NT

// Bids in auction order: within a level clubs, diamonds, hearts, spades, no trump.
int bidLevel(int bid) {
    return bid / 5 + 1;
}
int bidStrain(int bid) {
    int denomination = bid % 5;  // 0 clubs .. 3 spades, 4 no trump
    return denomination == 4 ? NO_TRUMP : 3 - denomination;
}

// What the auction works with: each side's best tricks per strain, and the
// first side to bid when both can make the same highest contract.
struct Auction {
    int best[2][STRAINS];
    bool vulnerable[2];
};

int highestMade(const Auction& auction, int side) {
    for (int bid = BIDS - 1; bid >= 0; --bid) {
        if (auction.best[side][bidStrain(bid)] >= bidLevel(bid) + 6) return bid;
    }
    return -1;
}

int sacrificeCost(const Auction& auction, int side, int bid) {
    int under = bidLevel(bid) + 6 - auction.best[side][bidStrain(bid)];
    return doubledPenalty(under, auction.vulnerable[side]);
}

// The seats of a side that take its best tricks in a strain.
int declaringSeats(const Table& table, int side, int strain) {
    int first = table.tricks[strain][side], second = table.tricks[strain][side + 2];
    if (first == second) return side == 0 ? SEATS_NS : SEATS_EW;
    return first > second ? side : side + 2;
}

void addContract(ParResult& result, const Table& table, const Auction& auction, int side, int bid,
                 bool doubled) {
    if (result.count == MAX_PAR_CONTRACTS) return;
    ParContract& contract = result.contracts[result.count++];
    contract.level = bidLevel(bid);
    contract.strain = bidStrain(bid);
    contract.seats = declaringSeats(table, side, contract.strain);
    contract.doubled = doubled;
    int tricks = auction.best[side][contract.strain];
    contract.overTricks = doubled ? 0 : tricks - 6 - contract.level;
    contract.underTricks = doubled ? contract.level + 6 - tricks : 0;
}

// The side that gets to bid a contract first: with a dealer, the side of the
// first seat round the table from him that makes it; else the side given.
int firstToBid(const Table& table, int bid, int firstSide, int dealer) {
    if (dealer < 0) return firstSide;
    for (int k = 0; k < SEATS; ++k) {
        const int seat = (dealer + k) % SEATS;
        if (table.tricks[bidStrain(bid)][seat] >= bidLevel(bid) + 6) return sideOf(seat);
    }
    return firstSide;
}

// Par with firstSide bidding first, or with the dealer's seat order when
// dealer >= 0; lowestOnly keeps one level per strain of the made contracts.
ParResult computePar(const Table& table, int firstSide, int dealer, int vulnerability,
                     bool lowestOnly) {
    Auction auction;
    for (int side = 0; side < 2; ++side) {
        auction.vulnerable[side] = isVulnerable(vulnerability, side);
        for (int strain = 0; strain < STRAINS; ++strain) {
            auction.best[side][strain] =
                std::max(table.tricks[strain][side], table.tricks[strain][side + 2]);
        }
    }
    ParResult result;
    int high[2] = {highestMade(auction, 0), highestMade(auction, 1)};
    if (high[0] < 0 && high[1] < 0) return result;  // passed out
    const int buyer = high[0] == high[1] ? firstToBid(table, high[0], firstSide, dealer)
                                         : (high[0] > high[1] ? 0 : 1);
    const int other = 1 - buyer;
    // The buyer must outbid the other side's highest contract, unless it can
    // bid that contract itself before the other side does.
    const int lowest =
        high[other] < 0
            ? 0
            : high[other] + (firstToBid(table, high[other], firstSide, dealer) == buyer ? 0 : 1);

    // cheapestAbove[b]: the other side's cheapest doubled sacrifice over bid b.
    int cheapestAbove[BIDS];
    int cheapest = INT_MAX;
    for (int bid = BIDS - 1; bid >= 0; --bid) {
        cheapestAbove[bid] = cheapest;
        cheapest = std::min(cheapest, sacrificeCost(auction, other, bid));
    }
    int made[BIDS];
    std::fill(made, made + BIDS, INT_MIN);
    int par = INT_MIN;
    for (int bid = lowest; bid < BIDS; ++bid) {
        const int strain = bidStrain(bid);
        made[bid] = auction.best[buyer][strain] >= bidLevel(bid) + 6
                        ? madeScore(bidLevel(bid), strain, auction.best[buyer][strain],
                                    auction.vulnerable[buyer])
                        : INT_MIN;
        if (made[bid] != INT_MIN) par = std::max(par, std::min(made[bid], cheapestAbove[bid]));
    }
    result.score = buyer == 0 ? par : -par;

    // The buyer's contracts that stand at par, if the other side does not sacrifice.
    bool strainDone[STRAINS] = {};
    for (int bid = lowest; bid < BIDS; ++bid) {
        if (made[bid] != par || cheapestAbove[bid] < par) continue;
        if (lowestOnly && strainDone[bidStrain(bid)]) continue;
        strainDone[bidStrain(bid)] = true;
        addContract(result, table, auction, buyer, bid, false);
    }
    if (result.count > 0) return result;

    // Otherwise the other side sacrifices over the buyer's highest contract that
    // scores more than the sacrifice costs: each strain at its lowest level above it.
    int over = BIDS - 1;
    while (over > lowest &&
           (made[over] == INT_MIN || made[over] <= par || cheapestAbove[over] != par)) {
        --over;
    }
    for (int bid = over + 1; bid < BIDS; ++bid) {
        if (bid - over > 5) break;
        if (sacrificeCost(auction, other, bid) == par)
            addContract(result, table, auction, other, bid, true);
    }
    return result;
}

}  // namespace

ParResult sidesPar(const Table& table, int firstSide, int vulnerability) {
    return computePar(table, firstSide, -1, vulnerability, false);
}

ParResult dealerPar(const Table& table, int dealer, int vulnerability) {
    ParResult result = computePar(table, sideOf(dealer), dealer, vulnerability, true);
    // Made contracts come most tricks first, sacrifices highest level first;
    // ties in the order spades .. clubs, no trump for made contracts and
    // clubs .. spades, no trump for sacrifices.
    auto key = [](const ParContract& c) {
        int strainOrder = c.strain == NO_TRUMP ? 4 : (c.doubled ? 3 - c.strain : c.strain);
        int size = c.doubled ? c.level : c.level + c.overTricks;
        return -size * 8 + strainOrder;
    };
    std::sort(result.contracts, result.contracts + result.count,
              [&](const ParContract& a, const ParContract& b) { return key(a) < key(b); });
    return result;
}

}  // namespace ddtable
