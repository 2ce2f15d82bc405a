// The refusals of the public calls: each Status that bad input can produce,
// reached through the call that reports it, one table per call family (the
// PBN text's refusals, with their reasons, are in DdtableInputTest).
//
// Not reached here: TwoCardsFromSeat, TrickNotLeaders and TrickOutOfOrder,
// since a Position lists its trick cards in playing order from the leader
// and so cannot put a card with the wrong seat (the host entries' deal
// arrays can: EntryChecksTest); OutOfMemory, which no test can provoke
// reliably.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>
#include <string>

#include "core/EntryChecks.h"
#include "ddsolver/compat/DealCodes.h"
#include "ddsolver/ddsolver.h"
#include "support/PbnTable.h"

using namespace ddsolver;

namespace {

Position ending(const char* pbn) {
    Position position;
    EXPECT_EQ(Deal::fromPbn(pbn, position.hands, DealSize::Ending), Status::Ok) << pbn;
    return position;
}

}  // namespace

// solve and cardValues refuse alike. Trick cards are given as text ("?" for
// no card), from the leader on, and left in the hands they are named in.
TEST(ApiStatus, SolversRefuseBadPositions) {
    const char* const B = "N:AK.2.. QJ..2. T9...2 8.3..7";  // bridge, three cards each
    const char* const P = "N:AK... QJ... ... T9...";        // preferans, two cards each
    const struct {
        bool bridge;
        const char* hands;
        const char* trick;
        int strain, leader, declarer;
        bool misere;
        Status expected;
    } cases[] = {
        {true, B, "", 4, 0, 0, false, Status::Ok},
        {true, B, "", 5, 0, 0, false, Status::BadStrain},
        {true, B, "", 4, 4, 0, false, Status::BadLeader},
        {true, B, "?", 4, 0, 0, false, Status::BadCard},
        {true, B, "SA", 4, 0, 0, false, Status::CardTwice},
        {true, "N:K.2.. QJ..2. T9...2 8.3..7", "SA SA", 4, 0, 0, false, Status::CardTwice},
        {true, B, "SA SQ ST S8", 4, 0, 0, false, Status::TrickTooLarge},
        {true, "N:AK.2.. QJ..2. T9...2 8.3..", "", 4, 0, 0, false, Status::UnevenHands},
        {true, "N:K.2.. QJ..2. T9...2 8.3..7", "SA", 4, 1, 0, false, Status::UnevenHands},
        {false, P, "", 4, 0, 0, false, Status::Ok},
        {false, P, "", 5, 0, 0, false, Status::BadStrain},
        {false, P, "", 5, 0, 0, true, Status::Ok},  // misère reads no trump
        {false, P, "", 4, 0, 2, false, Status::BadDeclarer},
        {false, P, "", 4, 2, 0, false, Status::BadLeader},
        {false, "N:A... QJ... K... T9...", "", 4, 0, 0, false, Status::SeatNotInGame},
        {false, "N:A6... QJ... ... T9...", "", 4, 0, 0, false, Status::BadCard},
        {false, P, "H6", 4, 0, 0, false, Status::BadCard},
        {false, P, "SA", 4, 0, 0, false, Status::CardTwice},
        {false, P, "SA SQ ST", 4, 0, 0, false, Status::TrickTooLarge},
        {false, "N:AK... QJ... ... T...", "", 4, 0, 0, false, Status::UnevenHands},
    };
    BridgeSolver bridge;
    PrefSolver pref;
    for (const auto& c : cases) {
        Position position = ending(c.hands);
        position.strain = static_cast<Strain>(c.strain);
        position.leader = static_cast<Seat>(c.leader);
        std::istringstream trick(c.trick);
        for (std::string text; trick >> text;) {
            Card::fromText(text, position.trick[position.trickCount]);
            ++position.trickCount;
        }
        const PrefContract contract{position.strain, c.misere, static_cast<Seat>(c.declarer)};
        SCOPED_TRACE(std::string(c.hands) + " trick " + c.trick + " " + describe(c.expected));
        BridgeResult bridgeResult;
        PrefResult prefResult;
        std::vector<CardValue> values;
        EXPECT_EQ(c.bridge ? bridge.solve(position, bridgeResult)
                           : pref.solve(position, contract, prefResult),
                  c.expected);
        EXPECT_EQ(c.bridge ? bridge.cardValues(position, values)
                           : pref.cardValues(position, contract, values),
                  c.expected);
    }
}

// The deal-text cases give the program's messages (HiddenLayoutTest); a
// refused call adds nothing to the histogram.
TEST(ApiStatus, PrefHistogramRefusesBadArguments) {
    const std::string quick = "akqj.akq.a*k*q9.t";
    const struct {
        std::string text;
        int trump, declarer, leader, threads;
        Status expected;
    } cases[] = {
        {quick, 4, 0, 1, 1, Status::Ok},
        {"akqj.akq.a*k9.t", 4, 0, 1, 1, Status::PrefTooFewAbsentCards},
        {quick + ".", 4, 0, 1, 1, Status::PrefTooManyDots},
        {"akqj.akq.a*k*q9.x", 4, 0, 1, 1, Status::PrefInvalidSymbol},
        {quick + std::string(1, '\0'), 4, 0, 1, 1, Status::PrefInvalidSymbol},
        {"akqj.akq.a*k*q9.6", 4, 0, 1, 1, Status::PrefInvalidCard},
        {"akqj.akq.a*k*q*j9.t", 4, 0, 1, 1, Status::PrefTooManyAbsentCards},
        {"akqjt.akq.a*k*q9.t9", 4, 0, 1, 1, Status::PrefTooManyPlayerCards},
        {"akqj.akq.a*k*q9.#t", 4, 0, 3, 1, Status::PrefLeadCardNotDeclarers},
        {"#a#kqj.akq.a*k*q9", 4, 0, 0, 1, Status::PrefTooManyLeadCards},
        {"akqj.akq.a*k*q.t", 4, 0, 1, 1, Status::PrefTooFewPlayerCards},
        {"#akqj.akq.a*k*q9.t9", 4, 0, 0, 1, Status::PrefTooManyPlayerCardsWithLead},
        {"akqj.akq.a*k*qa.t", 4, 0, 1, 1, Status::PrefCardTwice},
        {quick, 4, 0, 2, 1, Status::BadLeader},
        {quick, 4, 1, 0, 1, Status::BadDeclarer},
        {quick, 5, 0, 1, 1, Status::BadStrain},
        {quick, 4, 0, 1, -1, Status::BadThreadCount},
    };
    for (const auto& c : cases) {
        const PrefContract contract{static_cast<Strain>(c.trump), false,
                                    static_cast<Seat>(c.declarer)};
        const PrefHistogram before = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
        PrefHistogram histogram = before;
        EXPECT_EQ(prefHistogram(c.text, contract, static_cast<Seat>(c.leader), 100, 100, c.threads,
                                nullptr, histogram),
                  c.expected)
            << c.text;
        EXPECT_EQ(histogram, before) << c.text;
    }
}

// A refused table is left as it was, and so are the strains not asked for;
// the one asked for is the published one.
TEST(ApiStatus, SolveTableRefusesAllButFullDeals) {
    const std::vector<PbnTableRow> rows = readPbnTableRows("bridge_pbn10.tsv");
    ASSERT_GT(rows.size(), 1u);
    Deal full;
    ASSERT_EQ(Deal::fromPbn(rows[1].deal, full), Status::Ok);  // no trump: 9 3 9 3
    Deal twelveToWest = full;
    twelveToWest.remove(full.hand(Seat::West).front());
    BridgeSolver solver, movedFrom;
    BridgeSolver taken(std::move(movedFrom));
    const struct {
        BridgeSolver* solver;
        const Deal* deal;
        Status expected;
    } cases[] = {{&solver, &full, Status::Ok},
                 {&solver, &twelveToWest, Status::NotFullDeal},
                 {&movedFrom, &full, Status::NullArgument}};
    for (const auto& c : cases) {
        DdTable table;
        for (auto& strain : table.tricks) std::fill(strain, strain + 4, -1);
        EXPECT_EQ(solveTable(*c.solver, *c.deal, table, 1u << 4), c.expected);
        for (int strain = 0; strain < 5; ++strain) {
            for (int seat = 0; seat < 4; ++seat) {
                const bool solved = c.expected == Status::Ok && strain == 4;
                EXPECT_EQ(table.tricks[strain][seat], solved ? rows[1].tricks[4][seat] : -1)
                    << describe(c.expected) << ", strain " << strain << ", declarer " << seat;
            }
        }
    }
}

// A moved-from solver refuses rather than crashes (move construction is
// in the table test above).
TEST(ApiStatus, MovedFromSolversRefuse) {
    const Position bridge = ending("N:A... K... Q... J..."), pref = ending("N:A... K... ... Q...");
    BridgeSolver bridgeSolver, bridgeTaken;
    PrefSolver prefSolver, prefTaken;
    bridgeTaken = std::move(bridgeSolver);
    prefTaken = std::move(prefSolver);
    BridgeResult bridgeResult;
    PrefResult prefResult;
    std::vector<CardValue> values;
    EXPECT_EQ(bridgeSolver.solve(bridge, bridgeResult), Status::NullArgument);
    EXPECT_EQ(bridgeSolver.cardValues(bridge, values), Status::NullArgument);
    EXPECT_EQ(prefSolver.solve(pref, {}, prefResult), Status::NullArgument);
    EXPECT_EQ(prefSolver.cardValues(pref, {}, values), Status::NullArgument);
    EXPECT_EQ(bridgeTaken.solve(bridge, bridgeResult), Status::Ok);
    EXPECT_EQ(prefTaken.solve(pref, {}, prefResult), Status::Ok);
}

// The per-card evaluation's arrays: the one after the move must be the one
// before with exactly one card put on the trick by its holder.
TEST(ApiStatus, EstimateRefusesAnythingButOneMove) {
    int before[DEAL_CARDS] = {};
    for (int i = 0; i < 8; ++i) before[i] = inHandCode(i / 2);  // two spades each
    const struct {
        std::vector<int> played;  // deal indices
        Status expected;
    } cases[] = {{{0}, Status::Ok}, {{}, Status::NotOneMove}, {{0, 2}, Status::NotOneMove}};
    for (const auto& c : cases) {
        int after[DEAL_CARDS];
        std::copy(before, before + DEAL_CARDS, after);
        for (int index : c.played) after[index] = onTrickCode(seatOfCode(before[index]));
        EXPECT_EQ(checkEstimate(before, after, NO_TRUMP, 0, 0, true, false, true), c.expected)
            << c.played.size() << " cards played";
    }
}

TEST(ApiStatus, EveryStatusHasItsOwnMessage) {
    std::set<std::string> messages;
    const int last = static_cast<int>(Status::OutOfMemory);
    for (int value = 0; value <= last; ++value) {
        const std::string message = describe(static_cast<Status>(value));
        EXPECT_FALSE(message.empty()) << value;
        EXPECT_TRUE(messages.insert(message).second) << value << " repeats \"" << message << "\"";
    }
    EXPECT_STREQ(describe(Status::Ok), "ok");
}
