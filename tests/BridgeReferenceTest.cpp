// Self-tests of the bridge reference solvers and their helpers: hand-analysed
// positions, the random generator's consistency, and the two independent
// searches (plain minimax and full-deal solver) agreeing with each other.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/BridgeDealText.h"
#include "support/BridgeFullDeal.h"
#include "support/BridgeReference.h"
#include "support/RandomBridgePositions.h"

using namespace bridgeref;

namespace {

Position fromHands(const std::array<std::string, 4>& hands, int trump, int leader) {
    Position position;
    std::string error;
    EXPECT_TRUE(positionFromHands(hands, trump, leader, &position, &error)) << error;
    return position;
}

int smallNorthSouth(const Position& position) {
    Tricks tricks;
    EXPECT_TRUE(solveSmall(position, &tricks));
    EXPECT_EQ(tricks.northSouth + tricks.eastWest, tricksLeft(position));
    return tricks.northSouth;
}

int fullNorthSouth(FullDealSolver& solver, const Position& position) {
    int northSouth = -1;
    EXPECT_TRUE(solver.northSouthTricks(position, &northSouth));
    return northSouth;
}

// Last trick: North leads the ace of suit 1, East holds the two of suit 0,
// South and West small cards of suit 1 (hand analysis).
TEST(BridgeReference, LastTrickGoesToTheRuffOnlyWhenTheSuitIsTrump) {
    const std::array<std::string, 4> hands = {".A..", "2...", ".3..", ".4.."};
    struct Case {
        int trump;
        int northSouth;
    } cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 1}, {NO_TRUMP, 1}};
    FullDealSolver solver(12);
    for (const Case& c : cases) {
        Position position = fromHands(hands, c.trump, 0);
        EXPECT_EQ(smallNorthSouth(position), c.northSouth) << "trump " << c.trump;
        EXPECT_EQ(fullNorthSouth(solver, position), c.northSouth) << "trump " << c.trump;
    }
}

// Last trick, North leads the two of suit 1: East ruffs with the three of
// trumps, South (void in suit 1) overruffs with the queen; at no trump West's
// three of suit 1 wins. With East leading the three of suit 0, South's queen
// wins either way (hand analysis).
TEST(BridgeReference, LastTrickOverruffAndHighestOfSuitLed) {
    const std::array<std::string, 4> hands = {".2..", "3...", "Q...", ".3.."};
    struct Case {
        int trump;
        int leader;
        int northSouth;
    } cases[] = {{0, 0, 1}, {NO_TRUMP, 0, 0}, {0, 1, 1}, {NO_TRUMP, 1, 1}, {1, 0, 0}};
    FullDealSolver solver(12);
    for (const Case& c : cases) {
        Position position = fromHands(hands, c.trump, c.leader);
        EXPECT_EQ(smallNorthSouth(position), c.northSouth)
            << "trump " << c.trump << " leader " << c.leader;
        EXPECT_EQ(fullNorthSouth(solver, position), c.northSouth)
            << "trump " << c.trump << " leader " << c.leader;
    }
}

// A Q opposite small, West holding K J over them, at no trump: the finesse
// works unless North must lead the suit himself (hand analysis: North leading
// cashes the ace or loses the queen to the king).
TEST(BridgeReference, FinesseDependsOnWhoLeads) {
    const std::array<std::string, 4> hands = {"AQ...", "54...", "32...", "KJ..."};
    const int northSouthByLeader[4] = {1, 2, 2, 2};
    FullDealSolver solver(12);
    for (int leader = 0; leader < 4; ++leader) {
        Position position = fromHands(hands, NO_TRUMP, leader);
        EXPECT_EQ(smallNorthSouth(position), northSouthByLeader[leader]) << "leader " << leader;
        EXPECT_EQ(fullNorthSouth(solver, position), northSouthByLeader[leader])
            << "leader " << leader;
    }
}

// North must cash the ace of suit 0 before giving up the lead in suit 1, where
// East holds A K (hand analysis).
TEST(BridgeReference, CardValuesPunishGivingUpTheLead) {
    Position position = fromHands({"A.2..", ".AK..", "..32.", "...32"}, NO_TRUMP, 0);
    std::vector<CardValue> values;
    ASSERT_TRUE(evaluateCards(position, &values));
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(valueOfCard(values, parseCard("A0")), 1);
    EXPECT_EQ(valueOfCard(values, parseCard("21")), 0);
    EXPECT_EQ(valueOfCard(values, parseCard("A1")), -1);  // East's card
    EXPECT_EQ(bestValue(values), 1);
    EXPECT_EQ(cardFromSuitAndRank(0, 12), parseCard("A0"));
    EXPECT_EQ(cardFromSuitAndRank(1, 0), parseCard("21"));
}

// With the trick in progress only cards of the suit led are legal, and a void
// seat may play anything. West leads the king of suit 0 at no trump; North
// holds the ace and a small card: covering wins both tricks, ducking lets West
// take the king and then his last card (hand analysis).
TEST(BridgeReference, CardValuesFollowSuitInTheTrickInProgress) {
    Position position = fromHands({"A2...", ".32..", "..32.", "K...2"}, NO_TRUMP, 3);
    ASSERT_TRUE(putOnTrick(&position, 3, "K0"));
    EXPECT_EQ(seatToMove(position), 0);
    std::vector<CardValue> values;
    ASSERT_TRUE(evaluateCards(position, &values));
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(valueOfCard(values, parseCard("A0")), 2);
    EXPECT_EQ(valueOfCard(values, parseCard("20")), 0);

    ASSERT_TRUE(putOnTrick(&position, 0, "A0"));
    ASSERT_TRUE(evaluateCards(position, &values));  // East is void in suit 0
    EXPECT_EQ(values.size(), 2u);
}

// South leads the queen of suit 0 and West follows. North's king and jack are
// touching once the queen is on the table, but not interchangeable: North must
// duck with the jack so that South keeps the lead and cashes the ace and king of
// suit 1; overtaking leaves North on lead with the two of suit 2 as his only
// exit (hand analysis).
TEST(BridgeReference, DuckingKeepsPartnerOnLead) {
    Position position = fromHands({"KJ..2.", "3.Q.3.", "Q.AK..", "4.J.A."}, NO_TRUMP, 2);
    ASSERT_TRUE(putOnTrick(&position, 2, "Q0"));
    ASSERT_TRUE(putOnTrick(&position, 3, "40"));
    std::vector<CardValue> values;
    ASSERT_TRUE(evaluateCards(position, &values));
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(valueOfCard(values, parseCard("K0")), 2);
    EXPECT_EQ(valueOfCard(values, parseCard("J0")), 3);
    FullDealSolver solver(12);
    EXPECT_EQ(fullNorthSouth(solver, position), 3);
}

// A completed trick on the table counts for its winner, who leads the last
// trick. North led the ace of suit 1 and East played the two of suit 0: with
// suit 0 trumps East won it and leads the king of suit 2 into North's ace; at
// no trump North won it and cashes that ace (hand analysis).
TEST(BridgeReference, CompletedTrickCountsForItsWinnerWhoLeadsNext) {
    Position position = fromHands({".A.A.", "2..K.", ".3.2.", ".4.3."}, 0, 0);
    ASSERT_TRUE(putOnTrick(&position, 0, "A1"));
    ASSERT_TRUE(putOnTrick(&position, 1, "20"));
    ASSERT_TRUE(putOnTrick(&position, 2, "31"));
    ASSERT_TRUE(putOnTrick(&position, 3, "41"));
    struct Case {
        int trump;
        int mover;
        int northSouth;
    } cases[] = {{0, 1, 1}, {NO_TRUMP, 0, 2}};
    FullDealSolver solver(12);
    for (const Case& c : cases) {
        position.trump = c.trump;
        EXPECT_EQ(seatToMove(position), c.mover);
        EXPECT_EQ(smallNorthSouth(position), c.northSouth);
        EXPECT_EQ(fullNorthSouth(solver, position), c.northSouth);
        std::vector<CardValue> values;
        ASSERT_TRUE(evaluateCards(position, &values));
        ASSERT_EQ(values.size(), 1u);
        int moverSide = isNorthSouth(c.mover) ? c.northSouth : 2 - c.northSouth;
        EXPECT_EQ(values[0].sideTricks, moverSide);
    }
}

TEST(BridgeReference, EmptyPositionHasNoTricksAndNoCards) {
    Position empty;
    Tricks tricks{7, 7};
    ASSERT_TRUE(solveSmall(empty, &tricks));
    EXPECT_EQ(tricks.northSouth, 0);
    EXPECT_EQ(tricks.eastWest, 0);
    std::vector<CardValue> values{{0, 0}};
    ASSERT_TRUE(evaluateCards(empty, &values));
    EXPECT_TRUE(values.empty());
    FullDealSolver solver(12);
    EXPECT_EQ(fullNorthSouth(solver, empty), 0);
}

TEST(BridgeReference, RefusesInconsistentPositions) {
    Position good = fromHands({"A2...", ".32..", "..32.", "K...2"}, NO_TRUMP, 3);
    ASSERT_TRUE(putOnTrick(&good, 3, "K0"));
    ASSERT_TRUE(checkPosition(good));

    struct Case {
        const char* what;
        Position position;
    };
    std::vector<Case> cases;
    Position p = good;
    p.deal[parseCard("A3")] = 2;  // East gets a third card
    cases.push_back({"uneven hands", p});
    p = good;
    p.leader = 0;  // West's card would be the trick's last, not its first
    cases.push_back({"trick not started by the leader", p});
    p = good;
    ASSERT_TRUE(putOnTrick(&p, 1, "31"));  // North skipped
    cases.push_back({"gap in the trick", p});
    p = good;
    ASSERT_TRUE(putOnTrick(&p, 0, "A0"));
    p.deal[parseCard("20")] = 5;  // North's second card on the trick
    cases.push_back({"seat with two trick cards", p});
    p = fromHands({"A2...", "3.3..", "..32.", "K...2"}, NO_TRUMP, 3);
    ASSERT_TRUE(putOnTrick(&p, 3, "K0"));
    ASSERT_TRUE(putOnTrick(&p, 0, "A0"));
    ASSERT_TRUE(putOnTrick(&p, 1, "31"));  // East still holds the three of suit 0
    cases.push_back({"revoke", p});
    p = good;
    p.deal[0] = 9;
    cases.push_back({"code above 8", p});
    p = good;
    p.deal[0] = -1;
    cases.push_back({"negative code", p});
    p = good;
    p.trump = 5;
    cases.push_back({"trump 5", p});
    p = good;
    p.leader = 4;
    cases.push_back({"leader 4", p});

    FullDealSolver solver(12);
    for (const Case& c : cases) {
        std::string reason;
        EXPECT_FALSE(checkPosition(c.position, &reason)) << c.what;
        EXPECT_FALSE(reason.empty()) << c.what;
        Tricks tricks;
        EXPECT_FALSE(solveSmall(c.position, &tricks)) << c.what;
        std::vector<CardValue> values;
        EXPECT_FALSE(evaluateCards(c.position, &values)) << c.what;
        int northSouth = 0;
        EXPECT_FALSE(solver.northSouthTricks(c.position, &northSouth)) << c.what;
    }
}

// Each seat holds one whole suit. At no trump whoever leads runs his suit; with
// North's suit as trumps North ruffs any other lead and then draws the rest
// (hand analysis). The numbers are those of a table line: the tricks of the
// side that does not lead, for leaders 0 to 3.
TEST(BridgeFullDeal, WholeSuitsInEachHand) {
    const std::array<std::string, 4> hands = {"AKQJT98765432...", ".AKQJT98765432..",
                                              "..AKQJT98765432.", "...AKQJT98765432"};
    FullDealSolver solver(16);
    std::array<int, 4> tricks{};
    ASSERT_TRUE(solver.tableNumbers(fromHands(hands, NO_TRUMP, 0), &tricks));
    EXPECT_EQ(tricks, (std::array<int, 4>{0, 0, 0, 0}));
    ASSERT_TRUE(solver.tableNumbers(fromHands(hands, 0, 0), &tricks));
    EXPECT_EQ(tricks, (std::array<int, 4>{0, 13, 0, 13}));
}

// Properties every generated position must have, checked here directly rather
// than through checkPosition.
void expectConsistent(const Position& position, const PositionShape& shape) {
    int held[4] = {0, 0, 0, 0};
    int trickCard[4] = {-1, -1, -1, -1};
    for (int card = 0; card < DECK_SIZE; ++card) {
        int code = position.deal[card];
        ASSERT_GE(code, 0);
        ASSERT_LE(code, 8);
        if (code >= 1 && code <= 4) ++held[code - 1];
        if (code >= 5) {
            ASSERT_EQ(trickCard[code - 5], -1) << "two trick cards from one seat";
            trickCard[code - 5] = card;
        }
    }
    int ledSuit = shape.trickCards > 0 ? suitOf(trickCard[shape.leader]) : -1;
    for (int i = 0; i < 4; ++i) {
        int seat = (shape.leader + i) % 4;
        bool played = i < shape.trickCards;
        ASSERT_EQ(trickCard[seat] >= 0, played) << "seat " << seat;
        EXPECT_EQ(held[seat] + (played ? 1 : 0), shape.tricksLeft) << "seat " << seat;
        if (!played || suitOf(trickCard[seat]) == ledSuit) continue;
        for (int rank = 0; rank < 13; ++rank) {
            EXPECT_NE(position.deal[cardIndex(ledSuit, rank)], seat + 1) << "revoke by " << seat;
        }
    }
}

TEST(RandomBridgePositions, PositionsAreConsistentAndCoverEveryShape) {
    TestRandom random(20240611);
    int seenTricks[6] = {};
    int seenTrump[5] = {};
    int seenLeader[4] = {};
    int seenTrickCards[4] = {};
    for (int i = 0; i < 2000; ++i) {
        PositionShape shape = randomShape(random);
        Position position = randomPosition(random, shape);
        ASSERT_NO_FATAL_FAILURE(expectConsistent(position, shape));
        EXPECT_EQ(position.trump, shape.trump);
        EXPECT_EQ(position.leader, shape.leader);
        EXPECT_TRUE(checkPosition(position));
        ++seenTricks[shape.tricksLeft];
        ++seenTrump[shape.trump];
        ++seenLeader[shape.leader];
        ++seenTrickCards[shape.trickCards];
    }
    for (int tricks = 1; tricks <= 5; ++tricks) EXPECT_GT(seenTricks[tricks], 0);
    for (int count : seenTrump) EXPECT_GT(count, 0);
    for (int count : seenLeader) EXPECT_GT(count, 0);
    for (int count : seenTrickCards) EXPECT_GT(count, 0);
}

TEST(RandomBridgePositions, SeedNamesTheSamePositions) {
    TestRandom first(7);
    TestRandom second(7);
    TestRandom other(8);
    bool differs = false;
    for (int i = 0; i < 20; ++i) {
        Position a = randomPosition(first);
        Position b = randomPosition(second);
        Position c = randomPosition(other);
        EXPECT_EQ(a.deal, b.deal);
        EXPECT_EQ(a.trump, b.trump);
        differs = differs || a.deal != c.deal;
    }
    EXPECT_TRUE(differs);
    Position full = randomFullDeal(first, 2, 3);
    ASSERT_NO_FATAL_FAILURE(expectConsistent(full, PositionShape{13, 2, 3, 0}));
}

// Two independent methods must agree: the plain minimax and the full-deal
// solver on the same random positions (0 to 4 cards on the trick), and each card
// value of the minimax with the full-deal solver's count after that card.
TEST(BridgeReference, MinimaxAndFullDealSolverAgreeOnRandomPositions) {
    TestRandom random(99);
    FullDealSolver solver(16);
    for (int i = 0; i < 1500; ++i) {
        PositionShape shape = randomShape(random);
        if (i % 5 == 0) shape.trickCards = 4;  // a completed trick still on the table
        Position position = randomPosition(random, shape);
        Tricks tricks;
        ASSERT_TRUE(solveSmall(position, &tricks));
        ASSERT_EQ(tricks.northSouth, fullNorthSouth(solver, position))
            << tablePositionString(position) << " leader " << position.leader;

        std::vector<CardValue> values;
        ASSERT_TRUE(evaluateCards(position, &values));
        if (values.empty()) {  // nothing left but a completed last trick
            EXPECT_EQ(tricksLeft(position), 1);
            EXPECT_EQ(cardsOnTrick(position), 4);
            continue;
        }
        int mover = seatToMove(position);
        int moverTricks = isNorthSouth(mover) ? tricks.northSouth : tricks.eastWest;
        ASSERT_EQ(bestValue(values), moverTricks) << tablePositionString(position);
        if (i % 4 != 0) continue;  // the per-card check is the slower part
        for (const CardValue& value : values) {
            Position after = position;
            if (cardsOnTrick(after) == 4) {
                for (int& code : after.deal) code = code >= 5 ? 0 : code;
                after.leader = mover;
            }
            after.deal[value.card] = mover + 5;
            int northSouth = fullNorthSouth(solver, after);
            int total = tricksLeft(position);
            int settled = cardsOnTrick(position) == 4 ? 1 : 0;
            // A cleared completed trick no longer counts: add it back for its winner.
            int side = isNorthSouth(mover) ? northSouth : total - settled - northSouth;
            EXPECT_EQ(value.sideTricks, side + settled) << tablePositionString(position);
        }
    }
}

// Both table files hold full deals (thirteen cards a seat, none on the trick)
// and every line formats back to itself; each deal appears in no trump and in
// at least one suit.
TEST(BridgeDealText, TableFilesParseAndFormatBack) {
    struct File {
        const char* name;
        size_t lines;
        size_t deals;
    } files[] = {{"bridge_tables10.tsv", 50, 10}, {"bridge_random_deals.tsv", 32, 16}};
    for (const File& file : files) {
        std::vector<TableLine> lines;
        std::string error;
        ASSERT_TRUE(
            readTableFile(std::string(DDSOLVER_TESTDATA_DIR "/") + file.name, &lines, &error))
            << error;
        ASSERT_EQ(lines.size(), file.lines) << file.name;
        std::map<std::array<int, DECK_SIZE>, std::set<int>> strainsOfDeal;
        for (const TableLine& line : lines) {
            int held[4] = {0, 0, 0, 0};
            for (int code : line.position.deal) {
                ASSERT_TRUE(code >= 1 && code <= 4) << line.text;
                ++held[code - 1];
            }
            for (int count : held) EXPECT_EQ(count, 13) << line.text;
            EXPECT_EQ(line.text.substr(53), "0010");
            EXPECT_EQ(formatTableLine(line.position, line.tricks),
                      line.text + "\t" + std::to_string(line.tricks[0]) + " " +
                          std::to_string(line.tricks[1]) + " " + std::to_string(line.tricks[2]) +
                          " " + std::to_string(line.tricks[3]));
            strainsOfDeal[line.position.deal].insert(line.position.trump);
        }
        EXPECT_EQ(strainsOfDeal.size(), file.deals) << file.name;
        for (const auto& deal : strainsOfDeal) {
            EXPECT_EQ(deal.second.count(NO_TRUMP), 1u) << file.name;
            EXPECT_LT(*deal.second.begin(), NO_TRUMP) << file.name;
        }
    }
}

TEST(BridgeDealText, RefusesMalformedText) {
    Position position;
    const char* badHands[] = {"AK.Q.", "AK.Q...2", "AX.Q..", "AA..."};
    for (const char* hand : badHands) {
        std::string error;
        EXPECT_FALSE(positionFromHands({hand, "...", "...", "..."}, 0, 0, &position, &error))
            << hand;
        EXPECT_FALSE(error.empty()) << hand;
    }
    std::string error;
    EXPECT_FALSE(positionFromHands({"A...", "A...", "...", "..."}, 0, 0, &position, &error));
    const char* badCards[] = {"A4", "X0", "A", "A01", "10"};
    for (const char* card : badCards) EXPECT_EQ(parseCard(card), -1) << card;
    EXPECT_EQ(parseCard("t2"), cardIndex(2, 4));

    const std::string line = "431144221342441423232114312331231221244342411133324300010\t8 5 8 5";
    TableLine parsed;
    EXPECT_TRUE(parseTableLine(line, &parsed));
    const std::string badLines[] = {
        line.substr(0, 50) + "\t8 5 8 5",
        "931144221342441423232114312331231221244342411133324300010\t8 5 8 5",
        "431144221342441423232114312331231221244342411133324350010\t8 5 8 5",
        line.substr(0, 58) + "8 5 8",
        line + " 4",
        line.substr(0, 58) + "8 5 8 14",
    };
    for (const std::string& bad : badLines) EXPECT_FALSE(parseTableLine(bad, &parsed)) << bad;
}

}  // namespace
