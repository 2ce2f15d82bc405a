// Par from a double-dummy table. The side with the highest contract it can
// make buys the auction; it picks, among its contracts above anything the
// other side can make, the one that leaves it most after the other side's
// cheapest doubled sacrifice; par is that contract or that sacrifice. Seats
// bid in turn (from the dealer, or the first side before the other), so a
// seat that comes before the buyer's declarer may take a contract first:
// the other side's highest one, or the buyer's own as a sacrifice.
#include "ddsolver/Par.h"

#include <algorithm>
#include <climits>

#include "analysis/Score.h"
#include "ddsolver/compat/DealCodes.h"

namespace ddsolver {

namespace {

constexpr int STRAINS = 5;
constexpr int SEATS = 4;
constexpr int SEATS_NS = PAR_SEATS_NS;
constexpr int SEATS_EW = PAR_SEATS_EW;

// Seats 0 and 2 are North-South (side 0), 1 and 3 East-West (side 1).
int sideOf(int seat) {
    return seat & 1;
}

constexpr int BIDS = 35;  // 1C up to 7NT

// Bids in auction order: within a level clubs, diamonds, hearts, spades, no trump.
int bidLevel(int bid) {
    return bid / 5 + 1;
}
int bidStrain(int bid) {
    int denomination = bid % 5;  // 0 clubs .. 3 spades, 4 no trump
    return denomination == 4 ? NO_TRUMP : 3 - denomination;
}

// What the auction works with: each side's best tricks per strain and vulnerability.
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
int declaringSeats(const DdTable& table, int side, int strain) {
    int first = table.tricks[strain][side], second = table.tricks[strain][side + 2];
    if (first == second) return side == 0 ? SEATS_NS : SEATS_EW;
    return first > second ? side : side + 2;
}

// The next contract of the list at a bid, by the given seats.
ParContract& addContract(ParResult& result, int bid, int seats) {
    // Never full: at most one made contract per bid or six sacrifices.
    ParContract& contract = result.contracts[std::min(result.count++, MAX_PAR_CONTRACTS - 1)];
    result.count = std::min(result.count, MAX_PAR_CONTRACTS);
    contract = ParContract();
    contract.level = bidLevel(bid);
    contract.strain = static_cast<Strain>(bidStrain(bid));
    contract.seats = seats;
    return contract;
}

void addMade(ParResult& result, const DdTable& table, const Auction& auction, int side, int bid) {
    ParContract& contract = addContract(result, bid, declaringSeats(table, side, bidStrain(bid)));
    contract.overTricks =
        auction.best[side][static_cast<int>(contract.strain)] - 6 - contract.level;
}

void addSacrifice(ParResult& result, const DdTable& table, const Auction& auction, int side,
                  int bid) {
    ParContract& contract = addContract(result, bid, declaringSeats(table, side, bidStrain(bid)));
    contract.doubled = true;
    contract.underTricks =
        contract.level + 6 - auction.best[side][static_cast<int>(contract.strain)];
}

// The order in which seats get to bid: with a dealer, round the table from
// him; without one, the first side's two seats before the other side's.
struct BiddingOrder {
    int firstSide;
    int dealer;  // -1 without a dealer
    int rank(int seat) const {
        if (dealer < 0) return sideOf(seat) == firstSide ? 0 : 1;
        return (seat - dealer + SEATS) % SEATS;
    }
};

// The side that gets to bid a contract first: with a dealer, the side of the
// first seat round the table from him that makes it; else the side given.
int firstToBid(const DdTable& table, int bid, const BiddingOrder& order) {
    if (order.dealer < 0) return order.firstSide;
    for (int k = 0; k < SEATS; ++k) {
        const int seat = (order.dealer + k) % SEATS;
        if (table.tricks[bidStrain(bid)][seat] >= bidLevel(bid) + 6) return sideOf(seat);
    }
    return order.firstSide;
}

// The seat that declares a side's contract in a strain: the one with more
// tricks, or the one that bids first when both take as many.
int declarerOf(const DdTable& table, const BiddingOrder& order, int side, int strain) {
    const int first = side, second = side + 2;
    const int a = table.tricks[strain][first], b = table.tricks[strain][second];
    if (a != b) return a > b ? first : second;
    return order.rank(second) < order.rank(first) ? second : first;
}

// Whether the side's declarer of a bid comes before every seat of the other
// side that makes it.
bool declaresFirst(const DdTable& table, const BiddingOrder& order, int side, int bid) {
    const int strain = bidStrain(bid);
    const int declarerRank = order.rank(declarerOf(table, order, side, strain));
    for (int seat = 1 - side; seat < SEATS; seat += 2) {
        if (table.tricks[strain][seat] >= bidLevel(bid) + 6 && order.rank(seat) <= declarerRank)
            return false;
    }
    return true;
}

// A sacrifice in the very contract the buyer would make, by a seat of the
// other side that bids before the buyer's declarer: the buyer must then bid
// higher. Its cost and seats (cost INT_MAX when no seat comes first).
struct Preempt {
    int cost = INT_MAX;
    int seats = 0;
};

Preempt preemptAt(const DdTable& table, const BiddingOrder& order, const Auction& auction,
                  int buyer, int bid) {
    const int strain = bidStrain(bid);
    const int declarerRank = order.rank(declarerOf(table, order, buyer, strain));
    const int other = 1 - buyer;
    int best = -1, seats = 0;
    for (int seat = other; seat < SEATS; seat += 2) {
        if (order.rank(seat) >= declarerRank) continue;
        const int tricks = table.tricks[strain][seat];
        if (tricks > best) {
            best = tricks;
            seats = seat;
        } else if (tricks == best) {
            seats = other == 0 ? SEATS_NS : SEATS_EW;
        }
    }
    Preempt preempt;
    if (best < 0 || best >= bidLevel(bid) + 6) return preempt;
    preempt.cost = doubledPenalty(bidLevel(bid) + 6 - best, auction.vulnerable[other]);
    preempt.seats = seats;
    return preempt;
}

void addPreempt(ParResult& result, const DdTable& table, int side, int bid, int seats) {
    ParContract& contract = addContract(result, bid, seats);
    const int seat = seats == SEATS_NS || seats == SEATS_EW ? side : seats;
    contract.doubled = true;
    contract.underTricks =
        contract.level + 6 - table.tricks[static_cast<int>(contract.strain)][seat];
}

// How the two par forms differ, as in DDS. DealerPar keeps one level per
// strain of the made contracts and lets a sacrifice bid before the buyer's
// declarer set the score; Par lists every level, lets such a sacrifice only
// push the buyer's contract a level up, and against a no-trump contract
// lists the no-trump sacrifice alone when there is one.
struct ParRules {
    bool lowestOnly;
    bool preemptsScore;
    bool noTrumpSacrificeAlone;
};

// The auction weighed for the buyer: for each contract it makes, its score,
// the other side's cheapest sacrifice above it, the sacrifice in it by a
// seat before its declarer, and the cheaper of the two (answer).
struct Weighing {
    Auction auction;
    int buyer, other, lowest, par;
    int cheapestAbove[BIDS], made[BIDS], answer[BIDS];
    Preempt preempts[BIDS];
};

// False when nobody makes anything (passed out) or, in a table beyond
// 0-13 tricks, the buyer is left no contract.
bool weighAuction(const DdTable& table, const BiddingOrder& order, Vulnerability vulnerability,
                  const ParRules& rules, Weighing& w) {
    Auction& auction = w.auction;
    for (int side = 0; side < 2; ++side) {
        auction.vulnerable[side] = isVulnerable(vulnerability, static_cast<Side>(side));
        for (int strain = 0; strain < STRAINS; ++strain) {
            auction.best[side][strain] =
                std::max(table.tricks[strain][side], table.tricks[strain][side + 2]);
        }
    }
    const int high[2] = {highestMade(auction, 0), highestMade(auction, 1)};
    if (high[0] < 0 && high[1] < 0) return false;
    w.buyer = high[0] == high[1] ? firstToBid(table, high[0], order) : (high[0] > high[1] ? 0 : 1);
    w.other = 1 - w.buyer;
    // The buyer must outbid the other side's highest contract, unless its
    // declarer can bid that contract itself before the other side does.
    w.lowest = high[w.other] < 0
                   ? 0
                   : high[w.other] + (declaresFirst(table, order, w.buyer, high[w.other]) ? 0 : 1);
    int cheapest = INT_MAX;
    for (int bid = BIDS - 1; bid >= 0; --bid) {
        w.cheapestAbove[bid] = cheapest;
        cheapest = std::min(cheapest, sacrificeCost(auction, w.other, bid));
    }
    std::fill(w.made, w.made + BIDS, INT_MIN);
    std::fill(w.answer, w.answer + BIDS, INT_MAX);
    w.par = INT_MIN;
    for (int bid = w.lowest; bid < BIDS; ++bid) {
        const int strain = bidStrain(bid), tricks = auction.best[w.buyer][strain];
        if (tricks < bidLevel(bid) + 6) continue;
        w.made[bid] = madeScore(bidLevel(bid), strain, tricks, auction.vulnerable[w.buyer]);
        w.preempts[bid] = preemptAt(table, order, auction, w.buyer, bid);
        w.answer[bid] = std::min(w.cheapestAbove[bid], w.preempts[bid].cost);
        const int against = rules.preemptsScore ? w.answer[bid] : w.cheapestAbove[bid];
        w.par = std::max(w.par, std::min(w.made[bid], against));
    }
    return w.par != INT_MIN;
}

// The buyer's contracts that stand at par, if the other side does not
// sacrifice. One that a cheaper sacrifice bid before its declarer would push
// up leaves the higher levels of its strain; Par keeps a strain whose levels
// are all pushed up, as DDS does.
void listMadeContracts(ParResult& result, const DdTable& table, const Weighing& w,
                       const ParRules& rules) {
    auto standsAtPar = [&](int bid) {
        return w.made[bid] == w.par && w.cheapestAbove[bid] >= w.par;
    };
    bool unpushed[STRAINS] = {};
    for (int bid = w.lowest; bid < BIDS; ++bid) {
        if (standsAtPar(bid) && w.preempts[bid].cost >= w.par) unpushed[bidStrain(bid)] = true;
    }
    bool strainDone[STRAINS] = {};
    for (int bid = w.lowest; bid < BIDS; ++bid) {
        const bool pushed = w.preempts[bid].cost < w.par;
        if (!standsAtPar(bid) || (pushed && (rules.preemptsScore || unpushed[bidStrain(bid)])))
            continue;
        if (rules.lowestOnly && strainDone[bidStrain(bid)]) continue;
        strainDone[bidStrain(bid)] = true;
        addMade(result, table, w.auction, w.buyer, bid);
    }
}

// The other side's sacrifices against the buyer's highest contract that
// scores more than they cost: in that contract itself when a seat of its side
// bids it first, and each strain at its lowest level above it.
void listSacrifices(ParResult& result, const DdTable& table, const Weighing& w,
                    const ParRules& rules) {
    const int* against = rules.preemptsScore ? w.answer : w.cheapestAbove;
    int over = BIDS - 1;
    while (over > w.lowest &&
           (w.made[over] == INT_MIN || w.made[over] <= w.par || against[over] != w.par)) {
        --over;
    }
    const bool preempted = rules.preemptsScore && w.preempts[over].cost == w.par;
    const int noTrumpAbove = over + 5;  // when over is a no-trump contract: the next level
    const bool noTrumpAlone = rules.noTrumpSacrificeAlone && bidStrain(over) == NO_TRUMP &&
                              noTrumpAbove < BIDS &&
                              sacrificeCost(w.auction, w.other, noTrumpAbove) == w.par;
    if (preempted) addPreempt(result, table, w.other, over, w.preempts[over].seats);
    for (int bid = over + 1; bid < BIDS && bid - over <= 5; ++bid) {
        if (preempted && bid - over == 5) break;  // that strain has its sacrifice already
        if (noTrumpAlone && bid != noTrumpAbove) continue;
        if (sacrificeCost(w.auction, w.other, bid) == w.par)
            addSacrifice(result, table, w.auction, w.other, bid);
    }
    for (int i = 0; i < result.count; ++i)
        result.contracts[i].sameStrain =
            static_cast<int>(result.contracts[i].strain) == bidStrain(over);
}

// Par with the given bidding order and rules: the buyer's contracts at par,
// or else the other side's sacrifices.
ParResult computePar(const DdTable& table, const BiddingOrder& order, Vulnerability vulnerability,
                     const ParRules& rules) {
    ParResult result;
    Weighing w;
    if (!weighAuction(table, order, vulnerability, rules, w)) return result;
    result.score = w.buyer == 0 ? w.par : -w.par;
    listMadeContracts(result, table, w, rules);
    if (result.count == 0) listSacrifices(result, table, w, rules);
    return result;
}

}  // namespace

bool isVulnerable(Vulnerability vulnerability, Side side) {
    return vulnerability == Vulnerability::All ||
           (vulnerability == Vulnerability::NorthSouth && side == Side::NorthSouth) ||
           (vulnerability == Vulnerability::EastWest && side == Side::EastWest);
}

ParResult sidesPar(const DdTable& table, Side firstToBid, Vulnerability vulnerability) {
    return computePar(table, BiddingOrder{static_cast<int>(firstToBid), -1}, vulnerability,
                      ParRules{false, false, true});
}

ParResult dealerPar(const DdTable& table, Seat dealerSeat, Vulnerability vulnerability) {
    const int dealer = static_cast<int>(dealerSeat);
    ParResult result = computePar(table, BiddingOrder{sideOf(dealer), dealer}, vulnerability,
                                  ParRules{true, true, false});
    // Made contracts come most tricks first, sacrifices highest level first;
    // ties in the order spades .. clubs, no trump for made contracts and
    // clubs .. spades, no trump for sacrifices.
    auto key = [](const ParContract& c) {
        const int strain = static_cast<int>(c.strain);
        int strainOrder = strain == NO_TRUMP ? 4 : (c.doubled ? 3 - strain : strain);
        int size = c.doubled ? c.level : c.level + c.overTricks;
        return -size * 8 + strainOrder;
    };
    std::sort(result.contracts, result.contracts + result.count,
              [&](const ParContract& a, const ParContract& b) { return key(a) < key(b); });
    return result;
}

}  // namespace ddsolver
