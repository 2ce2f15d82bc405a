// Bridge boards as they were played, read from the two notations bridge
// software exchanges them in: PBN game files and LIN records. Each board
// gives its deal, contract, declarer, opening leader and the cards played in
// order, checked against the rules of play; a board that cannot be read
// carries a one-line reason instead. PlayedBoard and BridgeContract are
// plain values: copy them freely; one object may be read from several
// threads at once, but not read while written. The readers keep no state:
// any thread, several at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Deal.h"
#include "Par.h"

namespace ddsolver {

enum class Doubling : uint8_t { Undoubled, Doubled, Redoubled };

struct BridgeContract {
    int level = 1;  // 1 to 7: the tricks over six declarer undertakes
    Strain strain = Strain::NoTrump;
    Doubling doubling = Doubling::Undoubled;
};

// One board. When `error` is empty, `deal` holds all 52 cards, 13 to a
// hand, and `play` is legal from `leader` in the contract's strain: each
// card held by the seat whose turn it is (its holder in `deal`), following
// suit when it can, each trick led by the winner of the one before. When
// `error` is set, the other fields hold what was read before the fault and
// the board is not to be reviewed.
struct PlayedBoard {
    std::string name;  // PBN's Board tag; LIN's ah| text, else its qx| text; may be empty
    // The line of the input the board's deal stands on, from 1 (PBN's Deal
    // tag, the LIN record); for a PBN board refused for a malformed tag,
    // that tag's line.
    int line = 0;
    Deal deal;
    Seat dealer = Seat::North;  // PBN's Dealer tag, else the deal text's first seat
    std::optional<Vulnerability> vulnerability;
    std::optional<BridgeContract> contract;  // none when unknown or passed out
    std::optional<Seat> declarer;
    std::optional<Seat> leader;  // the opening leader: declarer's left-hand opponent
    std::vector<Card> play;      // the cards played, in playing order: 0 to 52
    // The tricks declarer's side ends the board with, as claimed (0 to 13;
    // at least those it has won, at most those plus the tricks left).
    std::optional<int> claim;
    std::string error;  // empty when the board was read; else a short reason
};

// A PBN game file. A game runs until a blank line, the end of the text or
// the next Deal tag; "%" lines are comments, a line starting with "[" a
// tag. Read: Board, Deal, Dealer, Vulnerable (None, NS, EW, All; also Love,
// "-", Both), Declarer, Contract ("4S", "3NTX", "2HXX", "Pass") and the Play
// section: the opening leader in the tag, then one trick a line, its four
// cards in seat order from that leader ("-" a card not played, "*" the end
// of an unfinished play; "{...}" and ";" commentary, NAGs "$n", notes "=n="
// and the marks "!" and "?" after a card are skipped). Other tags and
// sections are skipped. With no Declarer tag, declarer sits on the Play
// tag's right. A game without a Deal tag gives no board unless a tag of it
// is malformed.
std::vector<PlayedBoard> readPbnGames(std::string_view text);

// LIN records, one board a line, or hand-viewer URLs whose "lin=" query
// parameter holds one. Read, keys in either case: md| (the dealer digit, 1
// South, 2 West, 3 North, 4 East, then the hands South, West, North, East,
// each "S..H..D..C..", separated by commas; one may be left out), sv| (o or
// 0 none, n, e, b), ah| or qx| (the name), mb| (the calls from the dealer:
// p, d, r, a bid "1S" .. "7N", "!" alert marks skipped), pc| (the cards in
// playing order), mc| (a claim); other keys are skipped. The declarer is
// the first of the declaring side to bid the contract's strain. Blank lines
// and lines with no md|, mb|, pc| or mc| (headers) give no board; a line
// without "|" gives a refused board.
std::vector<PlayedBoard> readLinBoards(std::string_view text);

// PBN when the first character that is not blank is "[", "%", "{" or ";",
// LIN otherwise.
std::vector<PlayedBoard> readPlayedBoards(std::string_view text);

}  // namespace ddsolver
