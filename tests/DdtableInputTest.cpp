// Reading deals: the PBN deal text in its accepted spellings, the two input
// forms (bare deal lines, PBN game files) and every class of malformed input.
#include <gtest/gtest.h>

#include <sstream>

#include "apps/ddtable/DealReader.h"

using namespace ddtable;
using ddsolver::Card;
using ddsolver::Deal;
using ddsolver::Seat;
using ddsolver::Status;
using ddsolver::Vulnerability;

namespace {

const char DEAL[] = "N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3";

std::vector<DealRecord> read(const std::string& text,
                             std::optional<Vulnerability> vulnerability = std::nullopt) {
    std::istringstream in(text);
    std::vector<DealRecord> records;
    readDeals(in, "f.pbn", vulnerability, records);
    return records;
}

}  // namespace

// Each spelling describes the same deal as the canonical text.
TEST(DdtableInput, AcceptsEverySpellingOfOneDeal) {
    Deal expected;
    ASSERT_EQ(Deal::fromPbn(DEAL, expected), Status::Ok);
    EXPECT_EQ(expected.toPbn(), DEAL);
    // Spades: North QJ6, East 873, South K5, West AT942.
    EXPECT_EQ(expected.holder(Card(ddsolver::Suit::Spades, Card::ACE)), Seat::West);
    EXPECT_EQ(expected.holder(Card(ddsolver::Suit::Spades, Card::KING)), Seat::South);
    EXPECT_EQ(expected.holder(Card(ddsolver::Suit::Spades, Card::QUEEN)), Seat::North);
    const char* spellings[] = {
        "n:qj6.k652.j85.t98 873.j97.at764.q4 k5.t83.kq9.a7652 at942.aq4.32.kj3",
        "N:QJ6.K652.J85.1098 873.J97.A10764.Q4 K5.1083.KQ9.A7652 A10942.AQ4.32.KJ3",
        "QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3",
        "S:K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3 QJ6.K652.J85.T98 873.J97.AT764.Q4",
        "  W:AT942.AQ4.32.KJ3\tQJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652  ",
    };
    for (const char* text : spellings) {
        Deal deal;
        ASSERT_EQ(Deal::fromPbn(text, deal), Status::Ok) << text;
        EXPECT_EQ(deal, expected) << text;
    }
    Deal voids;
    const char* whole =
        "N:AKQJT98765432.-.-.- -.AKQJT98765432.-.- -.-.AKQJT98765432.- ...AKQJT98765432";
    ASSERT_EQ(Deal::fromPbn(whole, voids), Status::Ok);
    EXPECT_EQ(voids.toPbn(),
              "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432");
}

// Each malformed deal gets its short reason.
TEST(DdtableInput, RefusesMalformedDeals) {
    const struct {
        std::string text;
        Status status;
        std::string reason;
    } cases[] = {
        {"N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ2",
         Status::PbnCardTwice, "card C2 appears twice"},
        {"N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A765 AT942.AQ4.32.KJ3",
         Status::PbnBadHandSize, "hand S has 12 cards, not 13"},
        {"N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ31",
         Status::PbnBadRank, "unknown rank '1'"},
        {"N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJX",
         Status::PbnBadRank, "unknown rank 'X'"},
        {"N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652", Status::PbnTooFewHands,
         "the deal needs four hands"},
        {"X:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3",
         Status::PbnBadFirstSeat, "unknown first seat 'X'"},
        {"N:QJ6.K652.J85T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3",
         Status::PbnBadSuitCount, "a hand needs four suits separated by dots"},
        {"N:QJ6.K652.J85.T9.8 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3",
         Status::PbnBadSuitCount, "a hand needs four suits separated by dots"},
        {std::string(DEAL) + " AKQ", Status::PbnTextAfterDeal, "text after the fourth hand"},
    };
    for (const auto& c : cases) {
        Deal deal;
        std::string reason;
        EXPECT_EQ(Deal::fromPbn(c.text, deal, ddsolver::DealSize::Full, &reason), c.status)
            << c.text;
        EXPECT_EQ(reason, c.reason) << c.text;
    }
}

// Bare lines: every non-blank line is a deal, the dealer is its first seat and
// the vulnerability the one given; comment lines are skipped.
TEST(DdtableInput, ReadsBareDealLines) {
    std::string text = std::string("% a comment\n") + DEAL + "\n\n" +
                       "E:873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3 QJ6.K652.J85.T98\r\n" +
                       "not a deal\n";
    std::vector<DealRecord> records = read(text, Vulnerability::EastWest);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].line, 2);
    EXPECT_EQ(records[0].dealer, Seat::North);
    EXPECT_EQ(records[0].vulnerability, Vulnerability::EastWest);
    EXPECT_EQ(records[0].board, "");
    EXPECT_EQ(records[1].line, 4);
    EXPECT_EQ(records[1].dealer, Seat::East);
    EXPECT_EQ(records[1].error, "");
    EXPECT_EQ(records[1].deal.toPbn(), DEAL);
    EXPECT_EQ(records[2].line, 5);
    EXPECT_NE(records[2].error, "");
    EXPECT_EQ(records[2].source, "f.pbn");
}

// Game files: tags in any order, other tags and the game's other lines skipped,
// the Vulnerable tag winning over the default, a game ending at a blank line.
TEST(DdtableInput, ReadsPbnGameFiles) {
    std::string text = std::string("% PBN 2.1\n[Event \"Club\"]\n[Board \"7\"]\n[Dealer \"s\"]\n") +
                       "[Vulnerable \"Both\"]\n[Deal \"" + DEAL +
                       "\"]\n[Auction \"S\"]\n1NT Pass\n\n" + "[Board \"8\"]\n[Deal \"" + DEAL +
                       "\"]\n[Dealer \"W\"]\n\n" +
                       "[Board \"9\"]\n[Vulnerable \"NS\"]\n[Deal \"E:" + (DEAL + 2) + "\"]\n";
    std::vector<DealRecord> records = read(text, Vulnerability::None);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].board, "7");
    EXPECT_EQ(records[0].line, 6);
    EXPECT_EQ(records[0].dealer, Seat::South);
    EXPECT_EQ(records[0].vulnerability, Vulnerability::All);
    EXPECT_EQ(records[1].board, "8");
    EXPECT_EQ(records[1].dealer, Seat::West);
    EXPECT_EQ(records[1].vulnerability, Vulnerability::None);  // no tag: the default
    EXPECT_EQ(records[2].board, "9");
    EXPECT_EQ(records[2].dealer, Seat::East);  // no tag: the deal's first seat
    EXPECT_EQ(records[2].vulnerability, Vulnerability::NorthSouth);
    for (const DealRecord& record : records) EXPECT_EQ(record.error, "");
}

// Unknown tag values and broken tags make their game malformed, at its line;
// the games around it are still read.
TEST(DdtableInput, ReportsMalformedGames) {
    std::string deal = std::string("[Deal \"") + DEAL + "\"]\n";
    std::string text = "[Dealer \"X\"]\n" + deal + "\n[Vulnerable \"Some\"]\n" + deal + "\n" +
                       "[Board \"3\"\n" + deal + "\n" + deal + "\n" + "[Deal \"N:AKQ\"]\n";
    std::vector<DealRecord> records = read(text);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].error, "unknown Dealer \"X\"");
    EXPECT_EQ(records[1].error, "unknown Vulnerable \"Some\"");
    EXPECT_EQ(records[2].error, "malformed tag");
    EXPECT_EQ(records[2].line, 7);
    EXPECT_EQ(records[3].error, "");
    EXPECT_FALSE(records[3].vulnerability.has_value());
    EXPECT_EQ(records[4].error, "a hand needs four suits separated by dots");
    EXPECT_EQ(records[4].line, 12);
}
