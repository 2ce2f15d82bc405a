// Reading played boards: the twenty shared boards in PBN and LIN against
// their table, a hand-viewer URL, contracts and declarers from auctions and
// tags, and the refusals with their reasons.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "analysis/PlayRules.h"
#include "ddsolver/PlayedBoard.h"
#include "support/PlayTraces.h"

using namespace ddsolver;

namespace {

std::string readFile(const std::string& name) {
    std::ifstream in(std::string(DDSOLVER_TESTDATA_DIR) + "/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string playText(const PlayedBoard& board) {
    std::string text;
    for (Card card : board.play) text += (text.empty() ? "" : " ") + card.text();
    return text;
}

// "4H E", "1NTXX N", "-" with no contract; a refusal gives its reason.
std::string contractText(const PlayedBoard& board) {
    if (!board.error.empty()) return board.error;
    if (!board.contract) return board.declarer ? "declarer without a contract" : "-";
    static const char* const DOUBLING[] = {"", "X", "XX"};
    return std::to_string(board.contract->level) + strainText(board.contract->strain) +
           DOUBLING[static_cast<int>(board.contract->doubling)] + " " +
           (board.declarer ? seatLetter(*board.declarer) : '?');
}

// Board 1 of the shared data: 1C by North, East leads; its LIN deal record.
const char BOARD1_DEAL[] = "N:A6.J8.AJT985.T94 QT72.7432.3.K873 J9854.AKT95.76.Q K3.Q6.KQ42.AJ652";
const std::string BOARD1_MD = "md|3SJ9854HAKT95D76CQ,SK3HQ6DKQ42CAJ652,SA6HJ8DAJT985CT94,|";
const std::string BOARD1_AUCTION = "mb|1C|mb|p|mb|p|mb|p|";

PlayedBoard readOne(const std::string& text) {
    const std::vector<PlayedBoard> boards = readPlayedBoards(text);
    EXPECT_EQ(boards.size(), 1u) << text;
    return boards.empty() ? PlayedBoard() : boards[0];
}

}  // namespace

TEST(PlayReader, ReadsTheSharedBoardsInBothForms) {
    const std::vector<PlayTrace> traces = readPlayTraces();
    ASSERT_EQ(traces.size(), 20u);
    const char* const forms[] = {"bridge_play20.pbn", "bridge_play20.lin"};
    for (const char* form : forms) {
        const std::vector<PlayedBoard> boards = readPlayedBoards(readFile(form));
        ASSERT_EQ(boards.size(), traces.size()) << form;
        for (size_t i = 0; i < traces.size(); ++i) {
            const PlayedBoard& board = boards[i];
            const PlayTrace& expected = traces[i];
            SCOPED_TRACE(std::string(form) + " board " + std::to_string(i + 1));
            ASSERT_EQ(board.error, "");
            EXPECT_EQ(board.name, std::to_string(i + 1));  // LIN's "Board 1" is board 1
            EXPECT_EQ(board.deal, expected.deal);
            EXPECT_EQ(board.dealer, Seat::North);
            EXPECT_EQ(board.vulnerability, Vulnerability::None);
            ASSERT_TRUE(board.contract && board.declarer && board.leader);
            EXPECT_EQ(board.contract->level, 1);
            EXPECT_EQ(board.contract->strain, expected.strain);
            EXPECT_EQ(board.declarer, expected.declarer);
            EXPECT_EQ(board.leader, expected.leader);
            EXPECT_EQ(board.play, expected.cards);
            // Replayed, the tricks go to the sides as the table counts them.
            reading::PlayTracker tracker(board.deal, board.contract->strain, *board.leader);
            for (Card card : board.play) ASSERT_EQ(tracker.play(card), "");
            EXPECT_EQ(tracker.declarerSideTricks(), expected.declarerTricksTaken);
            EXPECT_FALSE(board.claim);
        }
    }
}

// The record of a hand-viewer URL: '|' and ',' as %7C and %2C, a space as
// '+', the fourth hand left out, other parameters around it.
TEST(PlayReader, ReadsTheRecordOfAHandViewerUrl) {
    const PlayedBoard board = readOne(
        "https://www.bridgebase.com/tools/handviewer.html?bbo=y&lin=md%7C3SJ9854HAKT95D76CQ%2C"
        "SK3HQ6DKQ42CAJ652%2CSA6HJ8DAJT985CT94%2C%7Csv%7Cb%7Cah%7CBoard+1%7Cmb%7C1C%7Cmb%7Cp%7C"
        "mb%7Cp%7Cmb%7Cp%7Cpc%7CH2%7Cpc%7Chk%7C&v3b=web");
    ASSERT_EQ(board.error, "");
    EXPECT_EQ(board.name, "1");
    EXPECT_EQ(board.deal.toPbn(), BOARD1_DEAL);
    EXPECT_EQ(board.vulnerability, Vulnerability::All);
    EXPECT_EQ(contractText(board), "1C N");
    EXPECT_EQ(board.leader, Seat::East);
    EXPECT_EQ(playText(board), "H2 HK");
}

// A Play section with marks, NAGs, commentary and spellings of cards, which
// stops in the third trick; declarer sits on the Play tag's right.
TEST(PlayReader, ReadsAnAnnotatedPbnPlay) {
    const PlayedBoard board = readOne(std::string("% annotated\n[Board \"1\"]\n") +
                                      "[Vulnerable \"EW\"]\n[Deal \"" + BOARD1_DEAL +
                                      "\"]\n[Contract \"1CX\"]\n[Play \"E\"]\n"
                                      "h2 HK! H6 HJ $3\n{lead} S7 S9? S3 SA ; the ace\n"
                                      "S2 - - s6\n*\n");
    ASSERT_EQ(board.error, "");
    EXPECT_EQ(board.line, 4);
    EXPECT_EQ(board.vulnerability, Vulnerability::EastWest);
    EXPECT_EQ(contractText(board), "1CX N");
    EXPECT_EQ(playText(board), "H2 HK H6 HJ S9 S3 SA S7 S6 S2");
}

// The contract and declarer: LIN's last bid and its doubles, declared by the
// first of the side to name the strain (dealer North); PBN's tags.
TEST(PlayReader, TakesContractAndDeclarerFromAuctionOrTags) {
    const std::string pbn = std::string("[Deal \"") + BOARD1_DEAL + "\"]\n";
    const std::pair<std::string, std::string> cases[] = {
        {"mb|p|mb|1H|mb|p|mb|2H|mb|p|mb|4H|mb|p|mb|p|mb|p|", "4H E"},
        {"mb|1H|mb|p|mb|4H|mb|p|mb|p|mb|p|", "4H N"},
        {"mb|1N|mb|d|mb|r|mb|p|mb|p|mb|p|", "1NTXX N"},
        {"MB|1C!|mb|2s|mb|D|mb|p|mb|p|mb|p|", "2SX E"},
        {"mb|p|mb|p|mb|p|mb|p|", "-"},
        {"mb|1S|mb|1H|", "call 2: insufficient bid"},
        {"mb|1S|mb|p|mb|d|", "call 3: a double not allowed"},
        {"mb|1S|mb|p|mb|p|mb|p|mb|2C|", "call 5: the auction has ended"},
        {"[Contract \"3NTX\"]\n[Declarer \"S\"]\n", "3NTX S"},
        {"[Contract \"2hxx\"]\n[Play \"N\"]\n*\n", "2HXX W"},
        {"[Contract \"Pass\"]\n[Declarer \"\"]\n", "-"},
        {"[Contract \"8S\"]\n", "unknown Contract \"8S\""},
        {"[Declarer \"N\"]\n[Contract \"1C\"]\n[Play \"W\"]\n",
         "the opening leader W is not "
         "declarer's left-hand opponent"},
    };
    for (const auto& [text, expected] : cases) {
        const bool lin = text[0] != '[';
        EXPECT_EQ(contractText(readOne(lin ? BOARD1_MD + text : pbn + text)), expected) << text;
    }
}

// Each refusal names its trick or field (board 1: East leads to 1C by
// North; dummy's HK wins the first trick).
TEST(PlayReader, RefusesBoardsThatBreakTheRules) {
    const std::string lin = BOARD1_MD + BOARD1_AUCTION;
    const std::string trick1 = "pc|H2|pc|HK|pc|H6|pc|HJ|";
    const std::string pbn = std::string("[Deal \"") + BOARD1_DEAL +
                            "\"]\n[Declarer \"N\"]\n[Contract \"1C\"]\n[Play \"E\"]\nH2 HK H6 HJ\n";
    const std::pair<std::string, std::string> cases[] = {
        {lin + "pc|SA|", "trick 1: E does not hold SA"},
        {lin + "pc|H2|pc|SJ|", "trick 1: S plays SJ to a heart lead, holding hearts"},
        {lin + trick1 + "pc|HK|", "trick 2: HK is played a second time"},
        {lin + trick1 + "mc|0|",
         "a claim of 0 tricks where declarer's side has 1 and can reach 13"},
        {lin + "pc|S1|", "trick 1: unknown card \"S1\""},
        {"md|3SJ9854HAKT95D76CQ,SK3HQ6DKQ42CAJ65,SA6HJ8DAJT985CT94,|",
         "md| gives W 12 cards, not 13"},
        {"md|5SJ9854HAKT95D76CQ,SK3HQ6DKQ42CAJ652,SA6HJ8DAJT985CT94,|",
         "md| does not start with a dealer 1 to 4"},
        {"md|3SJ9854HAKT95D76CQ,SK3HQ6DKQ42CAJ652,SA6HJ8DAJT985CT9Z,|", "md| holds \"Z\""},
        {"md|3SJ9854HAKT95D76CQ,SK3HQ6DKQ42CAJ652,SA6HJ8DAJT985CT9Q,|", "md| deals CQ twice"},
        {"pc|H2|", "no deal (md|)"},
        {BOARD1_MD + trick1, "cards played but the contract is unknown"},
        // South leads trick 2 with nothing from South: West's card leaves a hole.
        {pbn + "S7 - S3 SA\n*\n", "trick 2: S3 follows a card not played"},
        {pbn + "S7 S9 S3 SA!$1 {a comment}\nH7\n*\n", "trick 3: fewer than four places"},
    };
    for (const auto& [text, error] : cases) EXPECT_EQ(readOne(text).error, error) << text;

    const PlayedBoard claimed = readOne(lin + trick1 + "pc|S9|mc|7|");
    EXPECT_EQ(claimed.error, "");
    EXPECT_EQ(claimed.claim, 7);
}
