// Tests of the position check: which decoded position strings reach a solver
// and the reason given for each refused one, directly and through the program.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ddsolver/compat/frontend/PositionString.h"
#include "support/RunProgram.h"

namespace {

using Changes = std::vector<std::pair<int, char>>;

// A full bridge deal in which seat s holds the whole of suit s.
std::string bridgeString(const Changes& changes, const std::string& tail = "40010") {
    std::string cards =
        std::string(13, '1') + std::string(13, '2') + std::string(13, '3') + std::string(13, '4');
    for (const auto& change : changes) cards[change.first] = change.second;
    return cards + tail;
}

// The 32 preferans cards in reading order (suit by suit, ace to seven): seat 0
// holds read cards 0-9, seat 1 10-19, seat 3 20-29, cards 30 and 31 are out
// of play. The unread six-to-two characters are filled with 'x'.
std::string preferansString(const Changes& changes, const std::string& tail = "40000") {
    std::string read = std::string(10, '1') + std::string(10, '2') + std::string(10, '4') + "00";
    for (const auto& change : changes) read[change.first] = change.second;
    std::string position(52, 'x');
    for (int i = 0; i < 32; i++) position[(i / 8) * 13 + i % 8] = read[i];
    return position + tail;
}

// Decodes a position string the way the program does.
DecodedPosition decode(const std::string& p) {
    return decodePosition(p.c_str());
}

struct Case {
    std::string position;
    std::string reason;
};

void expectReasons(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(checkPosition(decode(c.position)), c.reason) << c.position;
    }
}

}  // namespace

TEST(PositionCheck, JudgesBridgeDeals) {
    expectReasons({
        {bridgeString({}), ""},
        {bridgeString({}, "39x1q"), ""},  // leader, declarer and misere are not read
        {bridgeString({{0, '0'}, {13, '0'}, {26, '0'}, {39, '0'}}), ""},
        {bridgeString({{12, '9'}}), "card character out of range"},
        {bridgeString({{51, '/'}}), "card character out of range"},
        {bridgeString({}, "50010"), "trump character out of range"},
        {bridgeString({}, "/0010"), "trump character out of range"},
        {bridgeString({{0, '5'}}), "card on the trick in a bridge deal"},
        {bridgeString({{26, '7'}}), "card on the trick in a bridge deal"},
        {bridgeString({{0, '0'}}), "uneven hands"},
        {bridgeString({{13, '1'}}), "uneven hands"},
    });
}

TEST(PositionCheck, JudgesPreferansPositions) {
    expectReasons({
        {preferansString({}), ""},
        {preferansString({}, "03300"), ""},
        {preferansString({{30, '3'}, {31, '7'}}), ""},  // seat 2's codes: not in play
        {preferansString({}, "90001"), ""},             // misere ignores the trump
        {preferansString({{3, '9'}}), "card character out of range"},
        {preferansString({{31, 'a'}}), "card character out of range"},
        {preferansString({}, "50000"), "trump character out of range"},
        {preferansString({}, "42000"), "leader not 0, 1 or 3"},
        {preferansString({}, "44000"), "leader not 0, 1 or 3"},
        {preferansString({}, "40200"), "declarer not 0, 1 or 3"},
        {preferansString({{0, '0'}}), "uneven hands"},
        {preferansString({{0, '2'}}), "uneven hands"},
        {preferansString({{30, '4'}}), "uneven hands"},
    });
}

TEST(PositionCheck, JudgesTheCardsOnAPreferansTrick) {
    // Read card 0 is seat 0's, 10 seat 1's, 20 seat 3's; each trick card still
    // counts in its player's hand.
    expectReasons({
        {preferansString({{0, '5'}}), ""},
        {preferansString({{10, '6'}}, "41000"), ""},
        {preferansString({{0, '5'}, {10, '6'}}), ""},
        {preferansString({{10, '6'}, {20, '8'}}, "41000"), ""},
        {preferansString({{20, '8'}, {0, '5'}}, "43000"), ""},
        {preferansString({{0, '5'}}, "41000"), "card on the trick not the leader's"},
        {preferansString({{0, '5'}, {10, '6'}}, "43000"), "card on the trick not the leader's"},
        {preferansString({{0, '5'}, {20, '8'}}),
         "second card on the trick not from the seat after the leader"},
        {preferansString({{10, '6'}, {0, '5'}}, "41000"),
         "second card on the trick not from the seat after the leader"},
        {preferansString({{0, '5'}, {1, '5'}}), "two cards on the trick from one seat"},
        {preferansString({{0, '5'}, {10, '6'}, {20, '8'}}), "more than two cards on the trick"},
        {preferansString({{0, '5'}, {10, '6'}, {30, '7'}}), ""},  // code 7 is not a trick card
    });
}

TEST(PositionCheck, ProgramRefusesBadPositionsWithTheReason) {
    struct EndToEnd {
        std::string argument;
        std::string output;
    };
    const EndToEnd cases[] = {
        {bridgeString({{0, '5'}}), "error invalid position: card on the trick in a bridge deal\n"},
        {bridgeString({{7, '9'}}), "error invalid position: card character out of range\n"},
        {preferansString({{0, '0'}}) + "trailing", "error invalid position: uneven hands\n"},
        {preferansString({}, "42000"), "error invalid position: leader not 0, 1 or 3\n"},
    };
    for (const EndToEnd& c : cases) {
        ProgramRun run = runDdsolver({c.argument});
        EXPECT_EQ(run.output, c.output) << c.argument;
        EXPECT_EQ(run.exitStatus, 255);
    }
}
