// Known cards read from deal text, and the dealer: exact layouts against a
// brute-force enumeration, random deals against exact hypergeometric
// frequencies, and the same deal for the same seed and number.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "ddsolver/Simulation.h"

using namespace ddsolver;

namespace {

struct ParseCase {
    const char* deal;
    const char* unseen;
    Status status;
    int handSize;                // when Ok
    std::array<int, 4> missing;  // when Ok: N, E, S, W
    const char* reasonHas;       // a piece of the reason, or ""
};

const ParseCase PARSE_CASES[] = {
    {"N:AK.A2.. - QJ.K3.. -", "T987.QJT9..", Status::Ok, 4, {0, 4, 0, 4}, ""},
    {"N:AKQ2.K32.A52.K32 - J54.AQ5.KQ4.AJ5 -", "", Status::Ok, 13, {0, 13, 1, 13}, ""},
    {"- - - -", "", Status::Ok, 13, {13, 13, 13, 13}, ""},
    // No seat: North first. "-" inside a hand is a void, not an unseen hand.
    {"AKQ2.-.A52.K32 - - -", "", Status::Ok, 13, {3, 13, 13, 13}, ""},
    {"e:AK... - - -", "", Status::Ok, 13, {13, 11, 13, 13}, ""},
    {"W:- A... -\tK...", " ", Status::Ok, 13, {12, 13, 12, 13}, ""},
    {"N:-  -  -  -", "AKQJ.akqj.10987.-", Status::Ok, 3, {3, 3, 3, 3}, ""},
    {"S:A... - - -", "K.Q.-.J", Status::Ok, 1, {1, 1, 0, 1}, ""},
    {"N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432",
     "",
     Status::Ok,
     13,
     {0, 0, 0, 0},
     ""},
    {"N:AK.A2.. - QJ.K3.. -", "AK98.QJT9..", Status::UnseenCardKnown, 0, {}, "SA"},
    {"N:AK.A2.. - QJ.K3.. -", "T987.QJT9..2", Status::HandsNotEqual, 0, {}, "9 unseen"},
    {"N:AKQ.A2.. - J.K3.. -", "T987.QJT9..", Status::HandsNotEqual, 0, {}, "hand N holds 5"},
    {"- - - -", "-.-.-.-", Status::HandsNotEqual, 0, {}, ""},
    {"- - - -", "...", Status::HandsNotEqual, 0, {}, ""},
    {"- - - -", "TT...", Status::PbnCardTwice, 0, {}, "ST"},
    {"- - - -", "T9X...", Status::PbnBadRank, 0, {}, "X"},
    {"- - - -", "T9..", Status::PbnBadSuitCount, 0, {}, ""},
    {"- - - -", "T9.... ", Status::PbnBadSuitCount, 0, {}, ""},
    {"N:AK.A2.. -", "T987.QJT9..", Status::PbnTooFewHands, 0, {}, ""},
    {"X:- - - -", "", Status::PbnBadFirstSeat, 0, {}, ""},
    {"- - - - -", "", Status::PbnTextAfterDeal, 0, {}, ""},
    {"N:-- - - -", "", Status::PbnBadSuitCount, 0, {}, ""},
    {"AKQJT98765432.A.. - - -", "", Status::PbnBadHandSize, 0, {}, ""},
    {"AK.A2.. - AK... -", "", Status::PbnCardTwice, 0, {}, "SA"},
};

TEST(KnownCardsTest, ParsesDealAndUnseenText) {
    for (const ParseCase& c : PARSE_CASES) {
        SCOPED_TRACE(std::string(c.deal) + " / " + c.unseen);
        KnownCards cards;
        std::string reason;
        ASSERT_EQ(KnownCards::fromText(c.deal, c.unseen, cards, &reason), c.status) << reason;
        EXPECT_NE(reason.find(c.reasonHas), std::string::npos) << reason;
        if (c.status != Status::Ok) continue;
        EXPECT_EQ(cards.handSize(), c.handSize);
        int missingTotal = 0;
        for (Seat seat : ALL_SEATS) {
            EXPECT_EQ(cards.missing(seat), c.missing[static_cast<int>(seat)]) << seatLetter(seat);
            EXPECT_EQ(cards.unseen() & cards.known().cards(seat), 0u);
            missingTotal += cards.missing(seat);
        }
        EXPECT_EQ(__builtin_popcountll(cards.unseen()), missingTotal);
    }
}

TEST(KnownCardsTest, KnownAndUnseenCardsLandWhereTheTextPutsThem) {
    KnownCards cards;
    ASSERT_EQ(KnownCards::fromText("E:AK.A2.. - QJ.K3.. -", "T987.QJT9..", cards), Status::Ok);
    Deal expected;
    ASSERT_EQ(Deal::fromPbn("E:AK.A2.. ... QJ.K3.. ...", expected, DealSize::Ending), Status::Ok);
    EXPECT_EQ(cards.known(), expected);
    Deal unseen;
    ASSERT_EQ(Deal::fromPbn("N:T987.QJT9.. ... ... ...", unseen, DealSize::Ending), Status::Ok);
    EXPECT_EQ(cards.unseen(), unseen.cards(Seat::North));
}

TEST(KnownCardsTest, CountsLayoutsAsMultinomials) {
    struct {
        const char* deal;
        const char* unseen;
        double count;
    } cases[] = {
        {"N:AK.A2.. - QJ.K3.. -", "T987.QJT9..", 70},                 // 8! / (4! 4!)
        {"N:A... - .AK.. ..A.", "KQJT.QJ.KQ.", 1680},                 // 8! / (2! 3! 1! 2!)
        {"N:AKQ2.K32.A52.K32 - - -", "", 8122425444.0 * 10400600.0},  // C(39,13) C(26,13)
        {"- - - -", "", 53644737765488792839237440000.0},             // 52! / 13!^4
        {"N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432", "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deal);
        KnownCards cards;
        std::string reason;
        ASSERT_EQ(KnownCards::fromText(c.deal, c.unseen, cards, &reason), Status::Ok) << reason;
        EXPECT_NEAR(cards.layoutCount() / c.count, 1.0, 1e-12);
    }
}

}  // namespace
