// Simulation runs on several threads: the same deals and tricks whatever the
// thread count, the host's filter called from the workers, and a stop that
// still hands over every deal solved before it.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "ddsolver/Simulation.h"

using namespace ddsolver;

namespace {

// Six cards each: North and South known, East and West dealt from twelve.
SimulationOptions endingRun(int threads) {
    SimulationOptions options;
    std::string reason;
    EXPECT_EQ(KnownCards::fromText("N:AKQ.A2.3. - JT9.K3.4. -", "876.QJT.AKQ.AKQ", options.cards,
                                   &reason),
              Status::Ok)
        << reason;
    options.seed = 99;
    options.end = 300;
    options.threads = threads;
    options.contracts = {{1, Strain::NoTrump, Seat::South}, {2, Strain::Hearts, Seat::North}};
    return options;
}

std::vector<SimulatedDeal> runDeals(const SimulationOptions& options, SimulationRun& run) {
    std::vector<SimulatedDeal> deals;
    EXPECT_EQ(simulate(
                  options, [&](const SimulatedDeal& deal) { deals.push_back(deal); }, run),
              Status::Ok);
    return deals;
}

std::string summary(const SimulatedDeal& deal) {
    std::string text = std::to_string(deal.number) + " " + deal.deal.toPbn();
    for (int tricks : deal.tricks) text += " " + std::to_string(tricks);
    return text;
}

}  // namespace

TEST(SimulationThreads, SameDealsWhateverTheThreadCount) {
    SimulationRun run;
    std::vector<std::string> one;
    for (const SimulatedDeal& deal : runDeals(endingRun(1), run)) one.push_back(summary(deal));
    ASSERT_EQ(one.size(), 300u);
    for (int threads : {2, 3}) {
        SimulationOptions options = endingRun(threads);
        std::atomic<int> calls{0};
        // The host's filter keeps the deals where East holds the heart queen.
        options.accept = [&](const Deal& deal) {
            ++calls;
            return deal.holds(Seat::East, Card(Suit::Hearts, Card::QUEEN));
        };
        std::vector<SimulatedDeal> filtered = runDeals(options, run);
        EXPECT_EQ(filtered.size(), 300u);
        EXPECT_GE(calls.load(), 300);
        for (const SimulatedDeal& deal : filtered)
            EXPECT_TRUE(deal.deal.holds(Seat::East, Card(Suit::Hearts, Card::QUEEN)));
        options.accept = nullptr;
        std::vector<std::string> many;
        for (const SimulatedDeal& deal : runDeals(options, run)) many.push_back(summary(deal));
        EXPECT_EQ(many, one) << threads << " threads";
    }
}

TEST(SimulationThreads, StopHandsOverEveryDealSolved) {
    SimulationRun run;
    const std::vector<SimulatedDeal> whole = runDeals(endingRun(1), run);
    SimulationOptions options = endingRun(2);
    // The check says stop from its 61st call on, whenever the deals solved
    // reach the sink: the workers may run far ahead of the hand-over.
    std::atomic<int> asked{0};
    options.stop = [&] { return asked.fetch_add(1) >= 60; };
    std::vector<SimulatedDeal> deals;
    ASSERT_EQ(simulate(
                  options, [&](const SimulatedDeal& deal) { deals.push_back(deal); }, run),
              Status::Ok);
    EXPECT_TRUE(run.stopped);
    EXPECT_EQ(run.deals, deals.size());
    EXPECT_GE(deals.size(), 40u);
    EXPECT_LT(deals.size(), 300u);
    for (size_t i = 0; i < deals.size(); ++i) {
        if (i > 0) {
            EXPECT_GT(deals[i].number, deals[i - 1].number);
        }
        EXPECT_EQ(summary(deals[i]), summary(whole[deals[i].number]));
    }
}
