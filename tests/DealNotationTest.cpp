// Tests of the preferans deal text: the cards it yields and every refusal, in
// the order in which the checks come.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "analysis/DealNotation.h"

namespace {

struct Parsed {
    std::string message;
    std::vector<int> playerCards, absentCards, knownCards;
    int leadCard;
};

// Parses from exactly sized heap buffers, so that the sanitizer catches any
// read past the text's end or write past an output array.
Parsed parse(const std::string& text, int leaderArgument) {
    std::unique_ptr<char[]> exactText(new char[text.size() + 1]);
    std::memcpy(exactText.get(), text.c_str(), text.size() + 1);
    Parsed result{std::string(), std::vector<int>(10, -7), std::vector<int>(2, -7),
                  std::vector<int>(12, -7), 99};
    const ddsolver::Status status =
        parseDeal(exactText.get(), leaderArgument, result.playerCards.data(),
                  result.absentCards.data(), result.knownCards.data(), result.leadCard);
    // The program prints the status's description as its message.
    if (status != ddsolver::Status::Ok) result.message = ddsolver::describe(status);
    return result;
}

// Card indices worked out by hand: suit * 13 + rank position (a 0, k 1, q 2,
// j 3, t 4, 9 5, 8 6, 7 7).
const std::vector<int> EXAMPLE_KNOWN = {0, 1, 2, 3, 13, 14, 15, 26, 27, 28, 31, 43};

}  // namespace

TEST(DealNotation, ReadsTheDeclarersCardsAndTheAbsentCards) {
    for (const char* text : {"akqj.akq.a*k*q9.t", "AKQJ.AKQ.A*K*Q9.T", "aKqJ.AkQ.a*K*q9.t"}) {
        Parsed parsed = parse(text, 1);
        EXPECT_EQ(parsed.message, "") << text;
        EXPECT_EQ(parsed.playerCards, std::vector<int>({0, 1, 2, 3, 13, 14, 15, 26, 31, 43}));
        EXPECT_EQ(parsed.absentCards, std::vector<int>({27, 28}));
        EXPECT_EQ(parsed.knownCards, EXAMPLE_KNOWN);
        EXPECT_EQ(parsed.leadCard, -1);
    }
}

TEST(DealNotation, ReadsALeadCardWhenTheDeclarerLeads) {
    Parsed parsed = parse("akqj.akq.a9*k*q.#t", 0);
    EXPECT_EQ(parsed.message, "");
    EXPECT_EQ(std::vector<int>(parsed.playerCards.begin(), parsed.playerCards.begin() + 9),
              std::vector<int>({0, 1, 2, 3, 13, 14, 15, 26, 31}));
    EXPECT_EQ(parsed.absentCards, std::vector<int>({27, 28}));
    EXPECT_EQ(parsed.leadCard, 43);
    EXPECT_EQ(parsed.knownCards, EXAMPLE_KNOWN);
}

TEST(DealNotation, AcceptsFewerDotsAndEmptySuits) {
    // One dot: suits 2 and 3 stay empty. Two dots in a row: suit 1 is empty.
    Parsed parsed = parse("akqjt987.ak*q*j", 0);
    EXPECT_EQ(parsed.message, "");
    EXPECT_EQ(parsed.knownCards, std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7, 13, 14, 15, 16}));
    parsed = parse("akqjt987..*a*k.a7", 2);
    EXPECT_EQ(parsed.message, "");
    EXPECT_EQ(parsed.knownCards, std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7, 26, 27, 39, 46}));
}

TEST(DealNotation, RefusesBadTextsWithTheFirstFaultFound) {
    struct Case {
        const char* text;
        int leader;
        const char* message;
    };
    const Case cases[] = {
        {"", 0, "too few absent cards"},
        {"akqjt987.ak.*q", 0, "too few absent cards"},
        {"akqjt987.ak", 0, "too few absent cards"},
        {"akqjt987.ak*q*j...", 0, "too many dots"},
        {"....", 0, "too many dots"},
        {"akqjx", 0, "invalid symbol"},
        {"ak qj", 0, "invalid symbol"},
        {"*x", 0, "invalid symbol"},
        {"**a", 0, "invalid symbol"},
        {"\xc3\xa1", 0, "invalid symbol"},
        {"#x", 1, "invalid symbol"},  // the letter is judged before the lead card
        {"akq6", 0, "invalid card"},
        {"akq2", 0, "invalid card"},
        {"akq*", 0, "invalid card"},
        {"akq#", 0, "invalid card"},
        {"#6", 2, "invalid card"},
        {"*a*k*q", 0, "too many absent cards"},
        {"akqjt987.akq", 0, "too many player cards"},
        {"akq.#a", 1, "error lead card found when player is not north"},
        {"akq.#a", 2, "error lead card found when player is not north"},
        {"#a#k", 0, "too many lead cards"},
        // Absent cards are counted first, then the player cards.
        {"akqjt987.a*k*q", 0, "too few player cards"},
        {"akqjt987.a*k*q", 1, "too few player cards"},
        {"akqjt98.a*k*q.#a", 0, "too few player cards"},
        {"akqjt987.ak*q*j.#a", 0, "too many player cards with a lead card"},
        // A repeated card is found only once every count is right.
        {"akqjt98a.a*k*q", 0, "too few player cards"},
        {"akqjt987.ak*q*a", 0, "same card appears two or more times"},
        {"akqjt987.ak*q*q", 0, "same card appears two or more times"},
        {"akqjt987.a*k*q#a", 0, "same card appears two or more times"},
    };
    for (const Case& c : cases) {
        Parsed parsed = parse(c.text, c.leader);
        EXPECT_EQ(parsed.message, c.message) << '"' << c.text << "\" leader " << c.leader;
    }
}

TEST(DealNotation, SetsNoLeadCardBeforeAnyCheck) {
    EXPECT_EQ(parse("", 0).leadCard, -1);
    EXPECT_EQ(parse("x", 0).leadCard, -1);
    int leadCard = 5;
    EXPECT_EQ(parseDeal(nullptr, 0, nullptr, nullptr, nullptr, leadCard),
              ddsolver::Status::PrefTooFewAbsentCards);
    EXPECT_EQ(leadCard, -1);
}
