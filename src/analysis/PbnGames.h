// The games of a PBN game file, split off line by line with their tags and
// play section, and the board facts every reader of them takes from the
// tags. readPbnGames builds on these; so does the table program, which
// reads the same files for their deals alone.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ddsolver/PlayedBoard.h"

namespace ddsolver::reading {

// One game: the values of the tags read, the lines of its Play section.
struct PbnGame {
    bool hasDeal = false;
    int dealLine = 0;
    std::string deal, board;
    std::optional<std::string> dealer, vulnerable, contract, declarer, play;
    std::string playSection;  // the section's lines, each ending in '\n'
    std::string error;        // "malformed tag" for the game's first tag that is not one
    int errorLine = 0;
};

// Gathers games from the lines of a game file: a game runs until a blank
// line, the end of the input or the next Deal tag. A line whose first
// character that is not blank is '%' is a comment, '[' a tag; the lines
// after a Play tag up to the next tag are its section; other lines are
// skipped. Only games with a Deal tag or a malformed tag are kept.
class PbnGameSplitter {
   public:
    // One line, without its line end (a '\r' before it removed).
    void line(int number, std::string_view text);
    // Ends the input; returns the games gathered (and forgets them).
    std::vector<PbnGame> finish();

   private:
    void endGame();

    std::vector<PbnGame> games_;
    PbnGame game_;
    bool inPlaySection_ = false;
};

// A line whose first character that is not blank is '['.
bool isTagLine(std::string_view line);

// A PBN deal text of a full deal and its first seat (North when the text
// names none); false with the reason when it is refused.
bool readDealText(std::string_view text, Deal& deal, Seat& firstSeat, std::string& reason);

// The board's name, line, deal, dealer and vulnerability from a game's tags,
// or the first fault among them in this order: the deal text, a malformed
// tag (the board's line then being the tag's), the Dealer tag, the
// Vulnerable tag. The dealer is the deal text's first seat when there is no
// Dealer tag; the vulnerability stays unknown when there is no Vulnerable tag.
void readGameHeader(const PbnGame& game, PlayedBoard& board);

}  // namespace ddsolver::reading
