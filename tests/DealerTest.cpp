// Known cards read from deal text, and the dealer: exact layouts against a
// brute-force enumeration, random deals against exact hypergeometric odds,
// and the same deal for the same seed and number.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ddsolver/Simulation.h"

using namespace ddsolver;

namespace {

// Every hand wholly known: one layout.
const char* const ALL_KNOWN =
    "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432";
const char* const NORTH_KNOWN = "N:AKQ2.K32.A52.K32 - - -";  // 9 spades, 10 hearts unseen

struct ParseCase {
    const char* deal;
    const char* unseen;
    Status status;
    std::array<int, 5> sizes;  // when Ok: the hand size, then missing N, E, S, W
    const char* reasonHas;
};

const ParseCase PARSE_CASES[] = {
    {"N:AK.A2.. - QJ.K3.. -", "T987.QJT9..", Status::Ok, {4, 0, 4, 0, 4}, ""},
    {"- - - -", "", Status::Ok, {13, 13, 13, 13, 13}, ""},
    // "-" inside a hand is a void; no seat is North first.
    {"AKQ2.-.A52.K32 - - -", "", Status::Ok, {13, 3, 13, 13, 13}, ""},
    {"W:- A... -\tK...", " ", Status::Ok, {13, 12, 13, 12, 13}, ""},
    {"s:A... - - -", "K.q.-.10", Status::Ok, {1, 1, 1, 0, 1}, ""},
    {ALL_KNOWN, "", Status::Ok, {13, 0, 0, 0, 0}, ""},
    {"N:AK.A2.. - QJ.K3.. -", "AK98.QJT9..", Status::UnseenCardKnown, {}, "SA"},
    {"N:AK.A2.. - QJ.K3.. -", "T987.QJT9..2", Status::HandsNotEqual, {}, "9 unseen"},
    {"N:AKQ.A2.. - J.K3.. -", "T987.QJT9..", Status::HandsNotEqual, {}, "N holds 5"},
    {"- - - -", "-.-.-.-", Status::HandsNotEqual, {}, ""},  // no cards at all
    {"- - - -", "TT...", Status::PbnCardTwice, {}, "ST"},
    {"- - - -", "T9X...", Status::PbnBadRank, {}, "X"},
    {"- - - -", "T9....", Status::PbnBadSuitCount, {}, ""},
    {"N:-- - - -", "", Status::PbnBadSuitCount, {}, ""},
    {"N:AK.A2.. -", "", Status::PbnTooFewHands, {}, ""},
    {"X:- - - -", "", Status::PbnBadFirstSeat, {}, ""},
    {"AK.A2.. - AK... -", "", Status::PbnCardTwice, {}, "SA"},
};

TEST(KnownCardsTest, ParsesDealAndUnseenText) {
    for (const ParseCase& c : PARSE_CASES) {
        SCOPED_TRACE(std::string(c.deal) + " / " + c.unseen);
        KnownCards cards;
        std::string reason;
        ASSERT_EQ(KnownCards::fromText(c.deal, c.unseen, cards, &reason), c.status) << reason;
        EXPECT_NE(reason.find(c.reasonHas), std::string::npos) << reason;
        if (c.status != Status::Ok) continue;
        EXPECT_EQ(cards.handSize(), c.sizes[0]);
        int missing = 0;
        for (Seat seat : ALL_SEATS) {
            EXPECT_EQ(cards.missing(seat), c.sizes[1 + static_cast<int>(seat)]);
            missing += cards.missing(seat);
        }
        EXPECT_EQ(__builtin_popcountll(cards.unseen()), missing);
    }
}

KnownCards knownCards(const char* deal, const char* unseen = "") {
    KnownCards cards;
    std::string reason;
    EXPECT_EQ(KnownCards::fromText(deal, unseen, cards, &reason), Status::Ok) << reason;
    return cards;
}

using Hands = std::array<uint64_t, 4>;

Hands handsOf(const Deal& deal) {
    return {deal.cards(Seat::North), deal.cards(Seat::East), deal.cards(Seat::South),
            deal.cards(Seat::West)};
}

// Each unseen card tried with each seat (4^unseen ways), the right counts kept.
std::set<Hands> allLayouts(const KnownCards& cards) {
    std::vector<int> unseen;
    for (int index = 0; index < 52; ++index) {
        if (cards.unseen() >> index & 1) unseen.push_back(index);
    }
    std::set<Hands> layouts;
    for (uint64_t a = 0; a < uint64_t{1} << (2 * unseen.size()); ++a) {
        Hands hands = handsOf(cards.known());
        for (size_t i = 0; i < unseen.size(); ++i) hands[a >> (2 * i) & 3] |= 1ull << unseen[i];
        bool fits = true;
        for (Seat seat : ALL_SEATS)
            fits &= __builtin_popcountll(hands[static_cast<int>(seat)]) == cards.handSize();
        if (fits) layouts.insert(hands);
    }
    return layouts;
}

TEST(DealerTest, ExactLayoutsAreEveryWayOnce) {
    const std::pair<const char*, const char*> endings[] = {
        {"N:AK.A2.. - QJ.K3.. -", "T987.QJT9.."},  // 70 layouts
        {"N:A... - .AK.. ..A.", "KQJT.QJ.KQ."},    // 1680: 2, 3, 1, 2 open places
        {"W:.Q.. - - -", "AKQJ.AK.K."},            // 630: 2, 2, 2, 1
        {"S:A... - - -", "K.Q.-.J"},               // 6, South wholly known
        {ALL_KNOWN, ""},
    };
    for (const auto& [dealText, unseenText] : endings) {
        SCOPED_TRACE(dealText);
        const KnownCards cards = knownCards(dealText, unseenText);
        const Dealer dealer(cards);
        const std::set<Hands> expected = allLayouts(cards);
        ASSERT_EQ(dealer.layoutCount(), expected.size());
        EXPECT_EQ(cards.layoutCount(), static_cast<double>(expected.size()));
        std::set<Hands> seen;
        for (uint64_t number = 0; number < dealer.layoutCount(); ++number)
            seen.insert(handsOf(dealer.layout(number)));
        EXPECT_EQ(seen, expected);
    }
    // Layout 0 gives each seat in turn the first cards left, in card order.
    Deal first;
    ASSERT_EQ(Deal::fromPbn("N:AK.A2.. T987... QJ.K3.. .QJT9..", first, DealSize::Ending),
              Status::Ok);
    EXPECT_EQ(Dealer(knownCards("N:AK.A2.. - QJ.K3.. -", "T987.QJT9..")).layout(0), first);
}

TEST(DealerTest, LayoutCountSaturatesBeyond64Bits) {
    const Dealer northKnown(knownCards(NORTH_KNOWN));
    const uint64_t count = 8122425444ull * 10400600ull;  // C(39,13) C(26,13)
    EXPECT_EQ(northKnown.layoutCount(), count);
    EXPECT_EQ(northKnown.cards().layoutCount(), static_cast<double>(count));
    const Deal last = northKnown.layout(count - 1);
    for (Seat seat : ALL_SEATS) EXPECT_EQ(last.count(seat), 13);
    const Dealer none(knownCards("- - - -"));
    EXPECT_EQ(none.layoutCount(), UINT64_MAX);
    EXPECT_NEAR(none.cards().layoutCount() / 53644737765488792839237440000.0, 1, 1e-12);
}

double choose(int n, int k) {
    double result = k < 0 || k > n ? 0 : 1;
    for (int i = 1; i <= k; ++i) result = result * (n - k + i) / i;
    return result;
}

// P(at least `least` successes in `draws` from `population` holding `successes`).
double hypergeometric(int population, int successes, int draws, int least, int most = 13) {
    double p = 0;
    for (int k = least; k <= most; ++k)
        p += choose(successes, k) * choose(population - successes, draws - k);
    return p / choose(population, draws);
}

// The cards of one hand's form "AK.QJ.-.2" as bits.
uint64_t bits(const char* hand) {
    Deal deal;
    EXPECT_EQ(Deal::fromPbn(std::string("N:") + hand + " ... ... ...", deal, DealSize::Ending),
              Status::Ok);
    return deal.cards(Seat::North);
}

int count(const Deal& deal, Seat seat, uint64_t cards) {
    return __builtin_popcountll(deal.cards(seat) & cards);
}

const uint64_t SPADES = bits("AKQJT98765432...");

// P(West 3+ spades | South 5+), North's 4 spades known: South's k spades of
// 9 leave 9 - k among the 26 cards East and West share.
double westThreeSpadesGivenSouthFive() {
    double south = 0, both = 0;
    for (int k = 5; k <= 9; ++k) {
        const double p = hypergeometric(39, 9, 13, k, k);
        south += p;
        both += p * hypergeometric(26, 9 - k, 13, 3);
    }
    return both / south;
}

TEST(DealerTest, RandomDealsMatchHypergeometricOdds) {
    // Partly known: open places N 3, E 13, S 7, W 10 of 33 unseen cards.
    const char* const PARTLY = "N:AKQJT.AKQ.AK. - 98765.J.. ...AKQ";
    const char* const ALL_SPADES = "AKQJT98765432...";
    // How often `seat` holds `least` to `most` of `cards` (with southFive:
    // among the deals where South holds 5+ spades).
    const struct {
        const char* deal;
        bool southFive;
        Seat seat;
        const char* cards;
        int least, most;
        double p;
    } cases[] = {
        {NORTH_KNOWN, false, Seat::South, ALL_SPADES, 5, 13, hypergeometric(39, 9, 13, 5)},
        {NORTH_KNOWN, false, Seat::East, "J...", 1, 1, 13. / 39},
        {NORTH_KNOWN, false, Seat::West, ".AKQJT98765432..", 0, 0,
         hypergeometric(39, 10, 13, 0, 0)},
        {NORTH_KNOWN, true, Seat::West, ALL_SPADES, 3, 13, westThreeSpadesGivenSouthFive()},
        {PARTLY, false, Seat::North, "...2", 1, 1, 3. / 33},
        {PARTLY, false, Seat::South, ".T..", 1, 1, 7. / 33},
        {PARTLY, false, Seat::West, "...J2", 2, 2, 10. / 33 * 9. / 32},
        {PARTLY, false, Seat::East, ALL_SPADES, 3, 3, hypergeometric(33, 3, 13, 3, 3)},
    };
    const DealFilter southFive = [](const Deal& d) { return count(d, Seat::South, SPADES) >= 5; };
    constexpr uint64_t DEALS = 40000;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.deal) + ": " + seatLetter(c.seat) + " " + c.cards);
        const KnownCards cards = knownCards(c.deal);
        const Dealer dealer(cards);
        const uint64_t event = bits(c.cards);
        uint64_t hits = 0;
        Deal deal;
        for (uint64_t number = 0; number < DEALS; ++number) {
            uint64_t tries = 0;
            ASSERT_TRUE(
                dealer.deal(7, number, c.southFive ? southFive : DealFilter(), deal, tries));
            ASSERT_TRUE(!c.southFive || southFive(deal));
            for (Seat seat : ALL_SEATS) {
                ASSERT_EQ(deal.count(seat), 13);
                ASSERT_EQ(count(deal, seat, cards.known().cards(seat)), cards.known().count(seat));
            }
            const int held = count(deal, c.seat, event);
            hits += held >= c.least && held <= c.most;
        }
        const double standardError = std::sqrt(c.p * (1 - c.p) / DEALS);
        EXPECT_NEAR(static_cast<double>(hits) / DEALS, c.p, 4 * standardError);
    }
}

TEST(DealerTest, SameSeedAndNumberGiveTheSameDeal) {
    const Dealer dealer(knownCards("- - - -"));
    auto dealsOf = [&](uint64_t seed, std::vector<Deal>& deals) {
        deals.resize(100);
        for (uint64_t n = 0; n < deals.size(); ++n) {
            uint64_t tries = 0;
            EXPECT_TRUE(dealer.deal(seed, n, {}, deals[n], tries));
        }
    };
    std::vector<Deal> first, again, otherThread, otherSeed;
    dealsOf(1, first);
    dealsOf(1, again);
    std::thread thread([&] { dealsOf(1, otherThread); });
    thread.join();
    dealsOf(2, otherSeed);
    EXPECT_EQ(first, again);
    EXPECT_EQ(first, otherThread);
    std::set<Hands> distinct;
    for (uint64_t n = 0; n < first.size(); ++n) {
        distinct.insert(handsOf(first[n]));
        EXPECT_NE(first[n], otherSeed[n]);
    }
    EXPECT_EQ(distinct.size(), first.size());
    // The stream itself is fixed: a run's deals stay the same from build to build.
    EXPECT_EQ(first[0].toPbn(),
              "N:J7632.864.432.J7 QT.T97.AK65.K853 AK9854.J.QT98.92 .AKQ532.J7.AQT64");
}

TEST(DealerTest, RefusesAfterMaxTries) {
    const DealFilter none = [](const Deal&) { return false; };
    Deal deal, fifth;
    uint64_t tries = 0;
    const Dealer dealer(knownCards("- - - -"));
    EXPECT_FALSE(dealer.deal(1, 0, none, deal, tries, 1000));
    EXPECT_EQ(tries, 1000u);
    EXPECT_FALSE(dealer.deal(1, 0, none, deal, tries, 0));
    EXPECT_EQ(tries, 0u);
    // The stream's fifth candidate, whichever filter picks it.
    int calls = 0;
    ASSERT_TRUE(dealer.deal(
        1, 0, [&](const Deal&) { return ++calls == 5; }, fifth, tries));
    EXPECT_EQ(tries, 5u);
    ASSERT_TRUE(dealer.deal(
        1, 0, [&](const Deal& d) { return d == fifth; }, deal, tries));
    EXPECT_EQ(tries, 5u);
    // One layout: refused at once, as if every try had been made.
    const Dealer single(knownCards(ALL_KNOWN));
    EXPECT_FALSE(single.deal(1, 0, none, deal, tries));
    EXPECT_EQ(tries, MAX_TRIES_PER_DEAL);
    EXPECT_TRUE(single.deal(1, 0, {}, deal, tries));
    EXPECT_EQ(deal, single.cards().known());
}

}  // namespace
