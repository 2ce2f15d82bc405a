// Bridge simulation: the hands or cards a player knows, the others dealt at
// random (or every layout of them once), filtered by constraints, each deal
// solved double dummy for the contracts asked, and the results summed up.
// KnownCards, Dealer, SimContract, SimulatedDeal and SimulationReport are
// plain values (a Dealer may deal from several threads at once); simulate
// runs its own worker threads, which call the host's accept function and
// stop check at the same time.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Constraint.h"
#include "Deal.h"
#include "Par.h"
#include "PrefSolver.h"
#include "Status.h"
#include "Table.h"

namespace ddsolver {

// An exact run takes at most this many layouts.
constexpr uint64_t MAX_EXACT_LAYOUTS = 10'000'000;
// A random deal is refused after this many candidates that miss the constraints.
constexpr uint64_t MAX_TRIES_PER_DEAL = 10'000'000;

// The cards whose holders are known, and the cards still to be dealt.
class KnownCards {
   public:
    // `dealText`: PBN deal form ("N:AKQ2.K32.A52.K32 - J54.AQ5.KQ4.AJ5 -"),
    // where "-" is a hand not seen at all and a hand of fewer cards than the
    // others end with is partly known. `unseenText`: the cards still to be
    // dealt, as one hand ("T987.QJT9.."); empty for every card not known,
    // thirteen to a hand. The hands end equal: the known and unseen cards
    // divided by four, no known hand holding more. On a refusal `reason`
    // (when given) receives the detail.
    [[nodiscard]] static Status fromText(std::string_view dealText, std::string_view unseenText,
                                         KnownCards& cards, std::string* reason = nullptr);

    const Deal& known() const { return known_; }
    // The cards to deal, bit Card::index() for each.
    uint64_t unseen() const { return unseen_; }
    // The number of cards every hand ends with.
    int handSize() const { return handSize_; }
    // How many unseen cards the seat receives.
    int missing(Seat seat) const { return handSize_ - known_.count(seat); }
    // How many ways the unseen cards can be dealt (a multinomial; may be
    // beyond 64 bits, hence a floating value).
    double layoutCount() const;

   private:
    Deal known_;
    uint64_t unseen_ = 0;
    int handSize_ = 0;
};

// Whether a deal counts: the constraint and the host's own test.
using DealFilter = std::function<bool(const Deal&)>;

// Deals from known cards: random deals from seeded streams, and the layouts
// of an exact run in a fixed order.
class Dealer {
   public:
    explicit Dealer(const KnownCards& cards);

    // Deal number `number` of the seed's run: the first deal of the stream
    // (seed, number) that `filter` (when given) accepts. Every unseen card
    // is equally likely to go to each place still open, whatever the seed.
    // False when `maxTries` candidates in a row miss; `tries` receives how
    // many candidates were drawn.
    bool deal(uint64_t seed, uint64_t number, const DealFilter& filter, Deal& deal, uint64_t& tries,
              uint64_t maxTries = MAX_TRIES_PER_DEAL) const;

    // The number of layouts of the unseen cards, when below 2^64 (else
    // UINT64_MAX), and layout number `number` (below that count): layouts
    // are numbered in a fixed order, North's share first, then East's, then
    // South's (West takes the rest); each share in lexicographic order of
    // the places its cards take among the unseen cards the earlier seats
    // left, in Card::index() order (layout 0 gives North the first ones).
    uint64_t layoutCount() const;
    Deal layout(uint64_t number) const;

    const KnownCards& cards() const { return cards_; }

   private:
    KnownCards cards_;
    // Worked out once for every deal: the unseen cards' indices in card
    // order, how many go to North, East and South (West takes the rest), the
    // layouts of each of those three shares, and their product.
    std::array<uint8_t, 52> unseenCards_ = {};
    int unseenCount_ = 0;
    std::array<int, 3> shares_ = {};
    std::array<uint64_t, 3> shareLayouts_ = {};
    uint64_t layoutCount_ = 1;
};

// A contract to solve: level, strain and declarer, as "4S-N" or "3NT-S".
struct SimContract {
    int level = 1;
    Strain strain = Strain::NoTrump;
    Seat declarer = Seat::North;
};
inline bool operator==(const SimContract& a, const SimContract& b) {
    return a.level == b.level && a.strain == b.strain && a.declarer == b.declarer;
}
inline bool operator!=(const SimContract& a, const SimContract& b) {
    return !(a == b);
}
// The contract's place in the list, appended when it is not there yet (a
// compared contract that was not also asked for on its own).
int contractPlace(std::vector<SimContract>& contracts, const SimContract& contract);
// "4S-N", "3N-S", "3NT-s", "7c-w" (level 1-7; "N" or "NT" for no trump).
[[nodiscard]] Status contractFromText(std::string_view text, SimContract& contract);
// "4S-N", "3N-S".
std::string contractText(const SimContract& contract);
// The declaring side's score of an undoubled contract making `tricks`
// (negative when it goes down).
int contractScore(const SimContract& contract, int tricks, bool vulnerable);
// The IMPs for a difference of scores (signed: -24 to 24).
int impsFor(int scoreDifference);

struct SimulationOptions {
    KnownCards cards;
    Constraint constraint;
    DealFilter accept;  // the host's own test, after the constraint; may be empty
    uint64_t seed = 1;
    // With exact, every layout of the unseen cards once (those that pass the
    // filters); else random deals. Either way numbers first .. end - 1.
    bool exact = false;
    uint64_t first = 0, end = 1000;
    // Declarer's tricks in each of these (one solve per declarer and strain).
    std::vector<SimContract> contracts;
    // The defence's tricks for every opening lead of this seat, which must
    // be wholly known and lead against one of the contracts (the first such):
    // none when -1, else the seat's value.
    int leader = -1;
    bool table = false;  // the whole double-dummy table
    int threads = 0;     // 0: one per core
    uint64_t maxTries = MAX_TRIES_PER_DEAL;
    StopCheck stop;  // asked between deals, from every worker: true stops the run
};

// One deal of a run and what was solved on it.
struct SimulatedDeal {
    uint64_t number = 0;  // its number (a layout's number in an exact run)
    Deal deal;
    std::vector<int> tricks;       // declarer's tricks, one per contract of the options
    std::vector<CardValue> leads;  // with a leader: the defence's tricks for each lead
    DdTable table;                 // with table
};

// Receives every deal that passed the filters, in number order, on the
// thread that called simulate.
using SimulationSink = std::function<void(const SimulatedDeal&)>;

struct SimulationRun {
    uint64_t deals = 0;    // deals handed to the sink
    bool stopped = false;  // the stop check ended the run early
};

// Deals, filters and solves on `options.threads` workers. Refuses
// (TooManyLayouts, ConstraintsTooStrict, LeaderNotKnown, NoSuchLeader,
// BadThreadCount) before anything reaches the sink, except
// ConstraintsTooStrict, which may come after some deals. When stopped, every
// deal solved before is still handed over.
[[nodiscard]] Status simulate(const SimulationOptions& options, const SimulationSink& sink,
                              SimulationRun& run);

// Declarer's tricks in one contract over the deals.
struct ContractReport {
    SimContract contract;
    std::array<uint64_t, 14> tricks{};  // deals by declarer's tricks, 0 to 13

    uint64_t deals() const;
    uint64_t makes() const;
    double makePercent() const;
    // The 95% Wilson score interval of the make percentage.
    std::array<double, 2> makeInterval95() const;
    double averageScore(bool vulnerable) const;
};

// The first contract against the second, deal by deal, from the first
// contract's declaring side's point of view.
struct CompareReport {
    int first = 0, second = 1;                // places in the report's contracts
    std::array<uint64_t, 49> imps{};          // deals by IMPs won, -24 to 24
    uint64_t wins = 0, ties = 0, losses = 0;  // by score

    uint64_t deals() const;
    double averageImps() const;
    double impsStandardError() const;  // sample standard deviation / sqrt(deals)
    double matchpointShare() const;    // a tie counts half
};

// One opening lead over the deals.
struct LeadReport {
    Card card;
    std::array<uint64_t, 14> defenceTricks{};

    uint64_t deals() const;
    double averageDefenceTricks() const;
    // How often the defence takes enough to beat a contract needing `declarerNeeds`.
    double beatsPercent(int declarerNeeds) const;
};

// Everything a run reports, summed deal by deal; reports of disjoint ranges
// of one set of options add up.
struct SimulationReport {
    uint64_t deals = 0;
    bool exact = false;
    bool partial = false;  // a run that stopped before its range was done
    uint64_t seed = 1;
    uint64_t first = 0, end = 0;  // the range asked for
    Vulnerability vulnerability = Vulnerability::None;
    std::vector<ContractReport> contracts;
    bool hasCompare = false;
    CompareReport compare;
    int leadContract = -1;  // the contract the leads were against, or -1 for none
    std::vector<LeadReport> leads;
    bool hasTable = false;
    // [strain][declarer][tricks]
    std::array<std::array<std::array<uint64_t, 14>, 4>, 5> table{};

    // A report of no deals for these options; with compare, contracts
    // `compareFirst` and `compareSecond` of options.contracts are compared.
    static SimulationReport start(const SimulationOptions& options, Vulnerability vulnerability,
                                  int compareFirst = -1, int compareSecond = -1);
    void add(const SimulatedDeal& deal);
    // Adds a report of the same options over the range just before or just
    // after this one's; false (and nothing changed) when the options differ
    // or the ranges do not meet.
    bool merge(const SimulationReport& other);
};

}  // namespace ddsolver
