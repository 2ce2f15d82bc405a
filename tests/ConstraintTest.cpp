// Tests of the constraint language: values on hand-counted deals, shape lists
// against a brute-force reading, the refusals with their columns, and hostile
// texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ddsolver/Constraint.h"

using namespace ddsolver;

namespace {

// Points, lengths and controls of these hands were counted by hand:
//   N AK852.Q4.KJ3.A76      17 hcp (S 7, H 2, D 4, C 4), 6 controls, 5-2-3-3
//   E QJ.AKJ9.Q8542.K3      16 hcp (S 3, H 8, D 2, C 3), 4 controls, 2-4-5-2
//   S T963.T8763.A9.54       4 hcp, 2 controls, 4-5-2-2
//   W 74.52.T76.QJT982       3 hcp, 0 controls, 2-2-3-6
Deal fullDeal() {
    Deal deal;
    EXPECT_EQ(Deal::fromPbn("N:AK852.Q4.KJ3.A76 QJ.AKJ9.Q8542.K3 T963.T8763.A9.54 74.52.T76.QJT982",
                            deal),
              Status::Ok);
    return deal;
}

// An ending: North holds SA SK HQ, no one else anything.
Deal ending() {
    Deal deal;
    deal.give(Card(Suit::Spades, Card::ACE), Seat::North);
    deal.give(Card(Suit::Spades, Card::KING), Seat::North);
    deal.give(Card(Suit::Hearts, Card::QUEEN), Seat::North);
    return deal;
}

long long valueOf(const std::string& text, const Deal& deal) {
    Constraint constraint;
    ConstraintError error;
    EXPECT_EQ(Constraint::compile(text, constraint, &error), Status::Ok)
        << text << ": column " << error.column << ": " << error.message;
    return constraint.evaluate(deal);
}

ConstraintError refusal(const std::string& text) {
    Constraint constraint;
    ConstraintError error;
    EXPECT_EQ(Constraint::compile(text, constraint, &error), Status::BadConstraint) << text;
    EXPECT_EQ(error.message.find('\n'), std::string::npos) << text;
    return error;
}

std::string repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(ConstraintTest, ValuesOnHandCountedDeals) {
    const Deal full = fullDeal(), end = ending();
    const struct {
        const Deal& deal;
        const char* text;
        long long value;
    } cases[] = {
        {full, "hcp(N)", 17},
        {full, "HCP(east)", 16},
        {full, "hcp(s)", 4},
        {full, "Hcp(West)", 3},
        {full, "hcp(N, spades)", 7},
        {full, "hcp(E,H)", 8},
        {full, "hcp(e, s) + hcp(W, c) * 10", 33},
        {full, "hcp(north, Diamonds)", 4},
        {full, "spades(N)", 5},
        {full, "hearts(S)", 5},
        {full, "diamonds(E)", 5},
        {full, "clubs(W)", 6},
        {full, "controls(N)", 6},
        {full, "controls(E)", 4},
        {full, "controls(W)", 0},
        {full, "controls(E, hearts)", 3},
        {full, "controls(N, S)", 3},
        {full, "controls(S, D)", 2},
        {full, "hascard(N, SA)", 1},
        {full, "hascard(W, C10)", 1},
        {full, "hascard(w, ct)", 1},
        {full, "hascard(S, HQ)", 0},
        {full, "shape(N, \"5233\")", 1},
        {full, "shape(N, \"5332\")", 0},
        {full, "shape(N, \"any 5332\")", 1},
        {full, "shape(E, \"any 5422 - 5xxx\")", 1},
        {full, "shape(W, \"any 6xxx - xx3x\")", 0},
        {full, "shape(S, \"4xxx + x6xx\")", 1},
        {full, "hcp(N) - hcp(E) * 2", -15},
        {full, "hcp(N) * hcp(S) - controls(N)", 62},
        {full, "hcp(N) > hcp(E) && spades(N) >= hearts(S)", 1},
        {full, "hcp(E) + clubs(W) == 22", 1},
        {full, "hcp(N) >= 15 && spades(S) >= 5", 0},
        {end, "hcp(N)", 9},
        {end, "controls(N)", 3},
        {end, "spades(N) * 10 + hearts(N)", 21},
        {end, "shape(N, \"2100\") + shape(N, \"any 0012\") + shape(E, \"0000\")", 3},
        {end, "hcp(E) + hascard(E, SA)", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(valueOf(c.text, c.deal), c.value) << c.text;
}

TEST(ConstraintTest, OperatorsPrecedenceAndShortCircuit) {
    const Deal deal = fullDeal();
    const struct {
        const char* text;
        long long value;
    } cases[] = {
        {"-hcp(S)", -4},
        {"--3", 3},
        {"2 + 3 * 4", 14},
        {"(2 + 3) * 4", 20},
        {"10 - 4 - 3", 3},
        {"!1 + 1", 1},
        {"-2 * -3", 6},
        {"1 + 2 == 3", 1},
        {"!0 == 1", 1},
        {"1 || 0 && 0", 1},
        {"0 && 1 || 1", 1},
        {"(2 < 3) + (3 < 2) + (2 <= 2) + (2 >= 3) + (4 != 4) + (5 == 5) + (6 > 5)", 4},
        {"7 || 0", 1},
        {"0 || 7", 1},
        {"5 && 7", 1},
        {"3 && 0", 0},
        {"(0 || 0) + 5", 5},
        {"(1 && 0 || 3) * 10", 10},
        {"(2 || 0) + (0 && 5) + (4 && 6)", 2},
        {"0 || 0 || 0 || 4", 1},
        {"1 && 2 && 0 && 3", 0},
        {"(hcp(N) > 16 && hcp(E) > 16) * 3 + 1", 1},
        {"(hcp(N) || hcp(W)) + (hcp(W) && hcp(N)) * 10", 11},
        {"1000000000", 1000000000},
        {"-1000000000", -1000000000},
        // Arithmetic wraps around 2^64 (values worked out apart).
        {"1000000000 * 1000000000 * 1000000000", -6930898827444486144LL},
        {"-(1000000000 * 1000000000 * 1000000000)", 6930898827444486144LL},
        {"-(1000000000 * 1000000000 * 9) - 1000000000 * 1000000000", 8446744073709551616LL},
    };
    for (const auto& c : cases) EXPECT_EQ(valueOf(c.text, deal), c.value) << c.text;
}

// A shape read the slow way: the lengths in order against the pattern.
bool inOrder(const std::array<int, 4>& lengths, const char* pattern) {
    for (int suit = 0; suit < 4; ++suit) {
        if (pattern[suit] != 'x' && pattern[suit] - '0' != lengths[suit]) return false;
    }
    return true;
}
// ... and in any order: every one of the 24 orders of the hand's suits.
bool anyOrder(const std::array<int, 4>& lengths, const char* pattern) {
    std::array<int, 4> order = {0, 1, 2, 3};
    do {
        const std::array<int, 4> permuted = {lengths[order[0]], lengths[order[1]],
                                             lengths[order[2]], lengths[order[3]]};
        if (inOrder(permuted, pattern)) return true;
    } while (std::next_permutation(order.begin(), order.end()));
    return false;
}

TEST(ConstraintTest, ShapeListsMatchBruteForce) {
    using Lengths = std::array<int, 4>;
    const struct {
        const char* list;
        std::function<bool(const Lengths&)> expected;
    } cases[] = {
        {"any 4333 + 5xxx - any 5332",
         [](const Lengths& l) {
             return (anyOrder(l, "4333") || inOrder(l, "5xxx")) && !anyOrder(l, "5332");
         }},
        {"any 5xxx - 5xxx + 55xx",
         [](const Lengths& l) {
             return (anyOrder(l, "5xxx") && !inOrder(l, "5xxx")) || inOrder(l, "55xx");
         }},
        {"xxxx - any 0xxx", [](const Lengths& l) { return !anyOrder(l, "0xxx"); }},
        {"  ANY 4432+6xx0 ",
         [](const Lengths& l) { return anyOrder(l, "4432") || inOrder(l, "6xx0"); }},
        {"any 7600 - 7xxx",
         [](const Lengths& l) { return anyOrder(l, "7600") && !inOrder(l, "7xxx"); }},
        {"XX3x", [](const Lengths& l) { return inOrder(l, "xx3x"); }},
        {"0000", [](const Lengths& l) { return inOrder(l, "0000"); }},
    };
    // West holds each set of lengths with at most 13 cards (endings included).
    for (const auto& c : cases) {
        Constraint constraint;
        ASSERT_EQ(Constraint::compile(std::string("shape(W, \"") + c.list + "\")", constraint),
                  Status::Ok)
            << c.list;
        int mismatches = 0;
        for (int s = 0; s <= 13; ++s) {
            for (int h = 0; s + h <= 13; ++h) {
                for (int d = 0; s + h + d <= 13; ++d) {
                    for (int cl = 0; s + h + d + cl <= 13; ++cl) {
                        const Lengths lengths = {s, h, d, cl};
                        Deal deal;
                        for (int suit = 0; suit < 4; ++suit) {
                            for (int k = 0; k < lengths[suit]; ++k)
                                deal.give(Card(static_cast<Suit>(suit), Card::ACE - k), Seat::West);
                        }
                        mismatches += constraint.accepts(deal) != c.expected(lengths);
                    }
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << c.list;
    }
}

TEST(ConstraintTest, RefusalsNameColumnAndWhatWasExpected) {
    const std::string badShape = "\": expected four lengths, each a digit or x";
    const struct {
        std::string text;
        int column;
        std::string message;
    } cases[] = {
        {"hcp(N", 6, "expected ',' or ')'"},
        {"spades(N", 9, "expected ')'"},
        {"hcp(Q)", 5, "expected a seat (N, E, S or W)"},
        {"hcp(N, x)", 8, "expected a suit"},
        {"hcp(N,)", 7, "expected a suit"},
        {"controls(E, hearts", 19, "expected ')'"},
        {"hascard(N, SZ)", 12, "expected a card such as SQ"},
        {"hascard(N SQ)", 11, "expected ','"},
        {"foo(N)", 1, "unknown function \"foo\""},
        {"hcp(N) > Foo", 10, "unknown name \"Foo\""},
        {"hcp", 4, "expected '('"},
        {"hcp(N) >", 9, "expected an expression"},
        {"1 + * 2", 5, "expected an expression"},
        {"()", 2, "expected an expression"},
        {"\"4333\"", 1, "expected an expression"},
        {"hcp(N) 3", 8, "expected end of text"},
        {"1 # 2", 3, "expected end of text"},
        {std::string("1 \0 2", 5), 3, "expected end of text"},
        {"(1 + 2", 7, "expected ')'"},
        {"(1 + 2 = 3)", 8, "expected '=='"},
        {"hcp(N) = 15", 8, "expected '=='"},
        {"1 & 2", 3, "expected '&&'"},
        {"1 | 2", 3, "expected '||'"},
        {"1 < 2 < 3", 7, "expected '&&' or '||' between comparisons"},
        {"1000000001", 1, "number too large"},
        {"2 * " + repeat("9", 1000), 5, "number too large"},
        {"shape(N, 4333)", 10, "expected a shape list in double quotes"},
        {"shape(N, \"54x\")", 14, "bad shape \"54x" + badShape},
        {"shape(N, \"43331\")", 15, "bad shape \"43331" + badShape},
        {"shape(N, \"4333 + 5y32\")", 19, "bad shape \"5y32" + badShape},
        {"shape(N, \"4333 +\")", 17, "expected a shape such as 5431 or any 5xxx"},
        {"shape(N, \"\")", 11, "expected a shape such as 5431 or any 5xxx"},
        {"shape(N, \"any\")", 14, "expected a shape such as 5431 or any 5xxx"},
        {"shape(N, \"4333 5332\")", 16, "expected '+' or '-' between shapes"},
        {"shape(N, \"4333", 15, "expected '\"'"},
    };
    for (const auto& c : cases) {
        const ConstraintError error = refusal(c.text);
        EXPECT_EQ(error.column, c.column) << c.text;
        EXPECT_EQ(error.message, c.message) << c.text;
    }
}

TEST(ConstraintTest, NestingIsBoundedAndLongChainsAreFine) {
    const Deal deal = fullDeal();
    EXPECT_EQ(valueOf(repeat("(", 100) + "1" + repeat(")", 100), deal), 1);
    EXPECT_EQ(valueOf(repeat("!", 100) + "7", deal), 1);
    EXPECT_EQ(valueOf(repeat("-(", 50) + "hcp(N)" + repeat(")", 50), deal), 17);
    // Every level keeps three operands waiting: v(k) = (1 == 1 + 1 * v(k - 1)).
    EXPECT_EQ(valueOf(repeat("1 == 1 + 1 * (", 99) + "1" + repeat(")", 99), deal), 0);
    for (const std::string& text :
         {repeat("(", 101) + "1" + repeat(")", 101), repeat("!", 101) + "0",
          repeat("-", 100000) + "1", repeat("(", 100000), repeat("-(", 51) + "1"}) {
        const ConstraintError error = refusal(text);
        EXPECT_EQ(error.column, 101);
        EXPECT_EQ(error.message, "expression nested too deeply");
    }
    // Operator chains do not nest.
    EXPECT_EQ(valueOf("1" + repeat(" + 1", 200000), deal), 200001);
    EXPECT_EQ(valueOf("hcp(N)" + repeat(" && hcp(E)", 100000), deal), 1);
    EXPECT_EQ(valueOf("0" + repeat(" || hcp(N) < 0", 100000), deal), 0);
}

TEST(ConstraintTest, BlankAcceptsAllAndRefusalKeepsTheOldConstraint) {
    const Deal deal = fullDeal();
    Constraint constraint;
    EXPECT_TRUE(constraint.acceptsAll());
    ASSERT_EQ(Constraint::compile("hcp(N) > 20", constraint), Status::Ok);
    EXPECT_FALSE(constraint.acceptsAll());
    EXPECT_FALSE(constraint.accepts(deal));
    EXPECT_EQ(Constraint::compile("hcp(N) > ", constraint), Status::BadConstraint);
    EXPECT_FALSE(constraint.accepts(deal));
    for (const char* blank : {"", " \t\n "}) {
        ASSERT_EQ(Constraint::compile(blank, constraint), Status::Ok);
        EXPECT_TRUE(constraint.acceptsAll());
        EXPECT_TRUE(constraint.accepts(deal));
    }
}

// A random expression fully in parentheses, with its value worked out here
// on the hand-counted deal as the tree is built.
struct Generated {
    std::string text;
    long long value;
};
Generated generate(std::mt19937& random, int depth) {
    static const Generated LEAVES[] = {{"hcp(N)", 17},
                                       {"spades(n)", 5},
                                       {"controls(E, H)", 3},
                                       {"hascard(W, C10)", 1},
                                       {"hearts(W)", 2},
                                       {"shape(S, \"any 5422\")", 1},
                                       {"0", 0},
                                       {"7", 7},
                                       {"1000000000", 1000000000}};
    if (depth == 0 || random() % 4 == 0) return LEAVES[random() % std::size(LEAVES)];
    const auto wrap = [](unsigned long long value) { return static_cast<long long>(value); };
    const char* const OPERATORS[] = {
        "-", "!", "+", "-", "*", "==", "!=", "<", "<=", ">", ">=", "&&", "||"};
    const int op = static_cast<int>(random() % std::size(OPERATORS));
    const Generated a = generate(random, depth - 1);
    if (op < 2) {
        return {OPERATORS[op] + a.text, op == 0 ? wrap(0ULL - a.value) : a.value == 0};
    }
    const Generated b = generate(random, depth - 1);
    const unsigned long long x = a.value, y = b.value;
    const long long values[] = {0,
                                0,
                                wrap(x + y),
                                wrap(x - y),
                                wrap(x * y),
                                a.value == b.value,
                                a.value != b.value,
                                a.value<b.value, a.value <= b.value, a.value> b.value,
                                a.value >= b.value,
                                a.value != 0 && b.value != 0,
                                a.value != 0 || b.value != 0};
    return {"(" + a.text + " " + OPERATORS[op] + " " + b.text + ")", values[op]};
}

// Random expressions evaluate as their trees do; with a character cut out
// each still compiles or is refused at a column within the text.
TEST(ConstraintTest, RandomExpressionsAgreeWithTheirTrees) {
    std::mt19937 random(12345);
    const Deal deal = fullDeal();
    for (int round = 0; round < 2000; ++round) {
        const Generated generated = generate(random, 7);
        EXPECT_EQ(valueOf(generated.text, deal), generated.value) << generated.text;

        std::string cut = generated.text;
        cut.erase(random() % cut.size(), 1);
        Constraint constraint;
        ConstraintError error;
        if (Constraint::compile(cut, constraint, &error) == Status::Ok) {
            constraint.evaluate(deal);
        } else {
            EXPECT_GE(error.column, 1) << cut;
            EXPECT_LE(error.column, static_cast<int>(cut.size()) + 1) << cut;
        }
    }
}

}  // namespace
