// The public vocabulary: PBN deal text written and read back, cards as text,
// and the rules of play a Position obeys, seen through cardValues.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "ddsolver/ddsolver.h"
#include "support/ApiPositions.h"
#include "support/BridgeDealText.h"
#include "support/RandomBridgePositions.h"

using namespace ddsolver;

namespace {

Deal readDeal(const std::string& text, DealSize size) {
    Deal deal;
    EXPECT_EQ(Deal::fromPbn(text, deal, size), Status::Ok) << text;
    return deal;
}

}  // namespace

// Seeded random hands of 1 to 13 cards: the text is what the test's own
// writer gives from each first seat, and reads back as a full deal only
// with thirteen cards to each hand.
TEST(ApiDeal, DealsReadBackFromEveryFirstSeat) {
    bridgeref::TestRandom random(0xDEA1);
    for (int round = 0; round < 104; ++round) {
        const int cards = 13 - round % 13;
        const bridgeref::Position ref = bridgeref::randomPosition(random, {cards, 4, 0, 0});
        const Deal deal = apiPosition(ref).hands;
        for (Seat first : ALL_SEATS) {
            const std::string text = deal.toPbn(first);
            ASSERT_EQ(text, bridgeref::pbnDeal(ref, static_cast<int>(first)));
            EXPECT_EQ(readDeal(text, DealSize::Ending), deal) << text;
            Deal full;
            const Status status = Deal::fromPbn(text, full, DealSize::Full);
            EXPECT_EQ(status, cards == 13 ? Status::Ok : Status::PbnBadHandSize) << text;
            EXPECT_TRUE(status != Status::Ok || full == deal) << text;
        }
    }
    EXPECT_EQ(Deal().toPbn(), "N:... ... ... ...");
    EXPECT_TRUE(readDeal("N:... ... ... ...", DealSize::Ending).empty());
}

// Each card as text, and read back from that text, in lower case and, for
// the tens, as "10".
TEST(ApiDeal, EveryCardAsText) {
    for (int index = 0; index < 52; ++index) {
        const Card card = Card::fromIndex(index);
        const std::string text = {"SHDC"[index / 13], "AKQJT98765432"[index % 13]};
        EXPECT_EQ(card.text(), text);
        EXPECT_EQ(card, Card(static_cast<Suit>(index / 13), 14 - index % 13)) << text;
        const std::string lower = {static_cast<char>(std::tolower(text[0])),
                                   static_cast<char>(std::tolower(text[1]))};
        for (const std::string& written :
             {text, lower, text[1] == 'T' ? text[0] + std::string("10") : lower}) {
            Card read;
            EXPECT_TRUE(Card::fromText(written, read) && read == card) << written;
        }
    }
    for (const char* bad : {"", "S", "S1", "S11", "X5", "5S", "SAK", "S0"}) {
        Card read;
        EXPECT_FALSE(Card::fromText(bad, read)) << bad;
    }
    EXPECT_EQ(Card().text(), "");
}

// North has led the spade ace; the cards East may play. In bridge a void
// may play anything; in preferans a void must trump when he can.
TEST(ApiDeal, CardValuesListTheLegalCards) {
    const PrefContract noTrump, heartsTrump{Strain::Hearts, false, Seat::North};
    const PrefContract misere{Strain::Hearts, true, Seat::North};
    const struct {
        const char* what;
        bool bridge;
        const char* pbn;
        PrefContract contract;
        const char* legal;
    } cases[] = {
        {"holds spades", true, "N:A.2.2. 2.5.7. ..KQ.J ...AK3", noTrump, "S2"},
        {"void", true, "N:A.2.2. .5.7.9 ..KQ.J ...AK3", noTrump, "H5 D7 C9"},
        {"void, trumps held", true, "N:A.2.2. .5.7.9 ..KQ.J ...AK3", heartsTrump, "H5 D7 C9"},
        {"holds spades", false, "N:A.A.A. 7.K.Q. ... KQ.J..", heartsTrump, "S7"},
        {"void, trumps held", false, "N:A.A.A. .K7.Q. ... KQ.J..", heartsTrump, "HK H7"},
        {"void, no trump", false, "N:A.A.A. .K7.Q. ... KQ.J..", noTrump, "HK H7 DQ"},
        {"void in misere", false, "N:A.A.A. .K7.Q. ... KQ.J..", misere, "HK H7 DQ"},
    };
    BridgeSolver bridge;
    PrefSolver pref;
    for (const auto& c : cases) {
        Position position;
        position.hands = readDeal(c.pbn, DealSize::Ending);
        position.strain = c.contract.trump;
        position.hands.remove(Card(Suit::Spades, Card::ACE));
        position.trick[0] = Card(Suit::Spades, Card::ACE);
        position.trickCount = 1;
        std::vector<CardValue> values;
        ASSERT_EQ(c.bridge ? bridge.cardValues(position, values)
                           : pref.cardValues(position, c.contract, values),
                  Status::Ok)
            << c.what;
        std::sort(values.begin(), values.end(),
                  [](const auto& a, const auto& b) { return a.card.index() < b.card.index(); });
        std::string legal;
        for (const CardValue& value : values)
            legal += (legal.empty() ? "" : " ") + value.card.text();
        EXPECT_EQ(legal, c.legal) << (c.bridge ? "bridge, " : "preferans, ") << c.what;
    }
}
