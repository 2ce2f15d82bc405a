// The simulation calls: contract texts, scores and IMPs against the scoring
// table; report figures against hand computation; runs on small endings
// against every layout counted by brute force with the reference solver.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ddsolver/Simulation.h"
#include "support/BridgeReference.h"

using namespace ddsolver;

namespace {

// The reference solver's position of a deal, `leader` to lead in `strain`.
bridgeref::Position referencePosition(const Deal& deal, Strain strain, Seat leader) {
    bridgeref::Position position;
    for (Seat seat : ALL_SEATS)
        for (Card card : deal.hand(seat)) position.deal[card.index()] = static_cast<int>(seat) + 1;
    position.trump = static_cast<int>(strain);
    position.leader = static_cast<int>(leader);
    return position;
}

int referenceDeclarerTricks(const Deal& deal, const SimContract& contract) {
    bridgeref::Tricks tricks;
    EXPECT_TRUE(bridgeref::solveSmall(
        referencePosition(deal, contract.strain, nextSeat(contract.declarer)), &tricks));
    return isNorthSouth(contract.declarer) ? tricks.northSouth : tricks.eastWest;
}

KnownCards known(const char* deal, const char* unseen) {
    KnownCards cards;
    std::string reason;
    EXPECT_EQ(KnownCards::fromText(deal, unseen, cards, &reason), Status::Ok) << reason;
    return cards;
}

SimContract contract(const char* text) {
    SimContract read;
    EXPECT_EQ(contractFromText(text, read), Status::Ok) << text;
    return read;
}

// Every deal a run hands over, in order.
std::vector<SimulatedDeal> runDeals(const SimulationOptions& options,
                                    Status expected = Status::Ok) {
    std::vector<SimulatedDeal> deals;
    SimulationRun run;
    EXPECT_EQ(simulate(
                  options, [&](const SimulatedDeal& deal) { deals.push_back(deal); }, run),
              expected);
    EXPECT_EQ(run.deals, deals.size());
    return deals;
}

// Four cards each: North and South known, East and West share eight cards.
const char* const ENDING = "N:AK.A2.. - QJ.K3.. -";
const char* const ENDING_UNSEEN = "T987.QJT9..";

}  // namespace

TEST(SimContract, ReadsWritesAndScores) {
    const struct {
        const char* text;
        bool good;
        const char* written;
    } texts[] = {
        {"4S-N", true, "4S-N"}, {"3nt-s", true, "3N-S"}, {"3N-E", true, "3N-E"},
        {"7c-w", true, "7C-W"}, {"0S-N", false, ""},     {"8H-N", false, ""},
        {"4X-N", false, ""},    {"4S", false, ""},       {"4S-", false, ""},
        {"4S-Q", false, ""},    {"4S-NS", false, ""},    {"4 S-N", false, ""},
        {"", false, ""},        {"-N", false, ""},
    };
    for (const auto& t : texts) {
        SimContract read;
        EXPECT_EQ(contractFromText(t.text, read) == Status::Ok, t.good) << t.text;
        if (t.good) {
            EXPECT_EQ(contractText(read), t.written);
        }
    }
    // The scoring table: made with overtricks, slams, and undertricks undoubled.
    EXPECT_EQ(contractScore(contract("4S-N"), 10, false), 420);
    EXPECT_EQ(contractScore(contract("4S-N"), 11, true), 650);
    EXPECT_EQ(contractScore(contract("3N-S"), 9, false), 400);
    EXPECT_EQ(contractScore(contract("2C-E"), 8, false), 90);
    EXPECT_EQ(contractScore(contract("5D-W"), 11, true), 600);
    EXPECT_EQ(contractScore(contract("6H-N"), 12, true), 1430);
    EXPECT_EQ(contractScore(contract("7N-S"), 13, false), 1520);
    EXPECT_EQ(contractScore(contract("4S-N"), 8, false), -100);
    EXPECT_EQ(contractScore(contract("4S-N"), 7, true), -300);
    // The IMP scale at the edges of its steps.
    const int imps[][2] = {{0, 0},     {10, 0},    {20, 1},    {40, 1},
                           {50, 2},    {420, 9},   {430, 10},  {-620, -12},
                           {1500, 17}, {3990, 23}, {4000, 24}, {-9000, -24}};
    for (const auto& pair : imps) EXPECT_EQ(impsFor(pair[0]), pair[1]) << pair[0];
}

TEST(SimulationReport, FiguresFromCounts) {
    ContractReport half{contract("4S-N"), {}};
    half.tricks[9] = 50;   // down one
    half.tricks[10] = 40;  // made
    half.tricks[11] = 10;  // one over
    EXPECT_EQ(half.deals(), 100u);
    EXPECT_DOUBLE_EQ(half.makePercent(), 50);
    // Wilson's interval for 50 of 100: 0.5 -+ 1.96 * 0.05095 / 1.03842.
    EXPECT_NEAR(half.makeInterval95()[0], 40.38, 0.01);
    EXPECT_NEAR(half.makeInterval95()[1], 59.62, 0.01);
    EXPECT_DOUBLE_EQ(half.averageScore(false), (50 * -50 + 40 * 420 + 10 * 450) / 100.0);

    CompareReport compare;
    compare.imps[24 + 2] = 1;
    compare.imps[24 - 1] = 1;
    compare.imps[24 + 5] = 1;
    compare.wins = 2;
    compare.losses = 1;
    // Mean 2, sample deviation sqrt((0 + 9 + 9) / 2) = 3, over sqrt(3).
    EXPECT_DOUBLE_EQ(compare.averageImps(), 2);
    EXPECT_NEAR(compare.impsStandardError(), 1.7320508, 1e-6);
    EXPECT_NEAR(compare.matchpointShare(), 2.0 / 3, 1e-12);

    LeadReport lead;
    lead.defenceTricks[3] = 3;
    lead.defenceTricks[4] = 1;  // beats a contract needing ten tricks
    EXPECT_DOUBLE_EQ(lead.averageDefenceTricks(), 3.25);
    EXPECT_DOUBLE_EQ(lead.beatsPercent(10), 25);
    EXPECT_DOUBLE_EQ(lead.beatsPercent(11), 100);
}

// An exact run over the 70 layouts of an ending counts what the reference
// solver finds on each layout enumerated here, for several contracts at once,
// and a constraint keeps exactly the layouts it should.
TEST(Simulation, ExactRunEqualsEveryLayoutByBruteForce) {
    SimulationOptions options;
    options.cards = known(ENDING, ENDING_UNSEEN);
    options.exact = true;
    options.end = 1000;
    options.threads = 2;
    options.contracts = {contract("1N-N"), contract("1S-S"), contract("1H-E"), contract("1N-S")};
    ASSERT_EQ(Constraint::compile("hcp(E) >= 3 || hascard(W, HQ)", options.constraint), Status::Ok);
    SimulationReport report = SimulationReport::start(options, Vulnerability::None);
    std::map<std::string, std::vector<int>> solved;
    for (const SimulatedDeal& deal : runDeals(options)) {
        report.add(deal);
        solved[deal.deal.toPbn()] = deal.tricks;
    }

    // The eight unseen cards, four to East and four to West.
    std::vector<Card> unseen;
    for (int i = 0; i < 52; ++i)
        if (options.cards.unseen() >> i & 1) unseen.push_back(Card::fromIndex(i));
    ASSERT_EQ(unseen.size(), 8u);
    size_t layouts = 0;
    std::array<std::array<uint64_t, 14>, 4> expected{};
    for (int east = 0; east < 256; ++east) {
        if (__builtin_popcount(east) != 4) continue;
        Deal deal = options.cards.known();
        for (int i = 0; i < 8; ++i) deal.give(unseen[i], east >> i & 1 ? Seat::East : Seat::West);
        const int eastPoints = (deal.holds(Seat::East, Card(Suit::Hearts, Card::QUEEN)) ? 2 : 0) +
                               (deal.holds(Seat::East, Card(Suit::Hearts, Card::JACK)) ? 1 : 0);
        if (!(eastPoints >= 3 || deal.holds(Seat::West, Card(Suit::Hearts, Card::QUEEN)))) continue;
        ++layouts;
        ASSERT_EQ(solved.count(deal.toPbn()), 1u) << deal.toPbn();
        for (size_t c = 0; c < options.contracts.size(); ++c) {
            const int tricks = referenceDeclarerTricks(deal, options.contracts[c]);
            EXPECT_EQ(solved[deal.toPbn()][c], tricks) << deal.toPbn() << " " << c;
            ++expected[c][tricks];
        }
    }
    EXPECT_EQ(report.deals, layouts);
    EXPECT_EQ(solved.size(), layouts);
    for (size_t c = 0; c < options.contracts.size(); ++c)
        EXPECT_EQ(report.contracts[c].tricks, expected[c]) << c;
}

// Random deals of an ending: each deal's tricks and opening-lead values are
// the reference solver's; a leader must be known and on lead.
TEST(Simulation, RandomEndingsMatchTheReference) {
    SimulationOptions options;
    options.cards = known(ENDING, ENDING_UNSEEN);
    options.first = 5;
    options.end = 45;
    options.seed = 7;
    options.threads = 2;
    options.contracts = {contract("1N-S"), contract("2H-N")};
    options.leader = static_cast<int>(Seat::West);  // leads against South's no trump
    runDeals(options, Status::LeaderNotKnown);
    // Five cards each: West known, North and South one card short.
    options.cards = known("N:AK.A2.. - QJ.K3.. T9.QJ.Q.", "876.T9.J9.");
    for (const SimulatedDeal& deal : runDeals(options)) {
        EXPECT_GE(deal.number, 5u);
        EXPECT_EQ(deal.tricks[0], referenceDeclarerTricks(deal.deal, options.contracts[0]));
        EXPECT_EQ(deal.tricks[1], referenceDeclarerTricks(deal.deal, options.contracts[1]));
        std::vector<bridgeref::CardValue> values;
        ASSERT_TRUE(bridgeref::evaluateCards(
            referencePosition(deal.deal, Strain::NoTrump, Seat::West), &values));
        ASSERT_EQ(deal.leads.size(), values.size());
        for (const CardValue& lead : deal.leads)
            EXPECT_EQ(lead.tricks, bridgeref::valueOfCard(values, lead.card.index()))
                << lead.card.text();
    }
    options.leader = static_cast<int>(Seat::North);
    runDeals(options, Status::NoSuchLeader);
}

TEST(Simulation, RefusesWhatItCannotRun) {
    SimulationOptions options;
    options.cards = known("N:- - - -", "");
    options.exact = true;
    runDeals(options, Status::TooManyLayouts);

    options = SimulationOptions{};
    options.cards = known(ENDING, ENDING_UNSEEN);
    ASSERT_EQ(Constraint::compile("hcp(E) > 20", options.constraint), Status::Ok);
    options.maxTries = 1000;
    runDeals(options, Status::ConstraintsTooStrict);

    options.threads = -1;
    runDeals(options, Status::BadThreadCount);
    SimulationRun run;
    EXPECT_EQ(simulate(SimulationOptions{}, nullptr, run), Status::NullArgument);
}
