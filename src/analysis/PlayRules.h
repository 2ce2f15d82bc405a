// What the two readers of played boards share: the rules of play checked
// card by card, and input text quoted safely into one-line error messages.
#pragma once

#include <string>
#include <string_view>

#include "ddsolver/Deal.h"
#include "ddsolver/PlayedBoard.h"

namespace ddsolver::reading {

// Plays a board's cards one at a time from the opening lead. Each card must
// be held by the seat whose turn it is, follow the suit led when that seat
// can, and not have been played before; a trick goes to the highest trump,
// else the highest card of the suit led, and its winner leads the next.
class PlayTracker {
   public:
    PlayTracker(const Deal& deal, Strain strain, Seat leader);

    Seat toPlay() const { return toPlay_; }
    int played() const { return played_; }
    int trickNumber() const { return played_ / 4 + 1; }  // of the trick being played, from 1
    int completedTricks() const { return played_ / 4; }
    int declarerSideTricks() const { return declarerSideTricks_; }

    // Plays the card for the seat to play; on a fault nothing changes and
    // the reason comes back ("trick 3: W does not hold SA").
    std::string play(Card card);

   private:
    Deal hands_;  // the cards not yet played
    uint64_t playedCards_ = 0;
    int strain_;
    bool declarerNorthSouth_;
    Seat toPlay_;
    int trick_[4] = {};  // deal indices of the current trick's cards, led first
    int played_ = 0;
    int declarerSideTricks_ = 0;
};

// "trick N: " and the text.
std::string trickFault(int trick, const std::string& what);

// Input text for a message, in double quotes: at most 24 characters (then
// "..."), control characters as '?', so that the message stays one line.
std::string quoted(std::string_view text);

std::string_view trimmed(std::string_view text);

// Calls f(line) for each line of the text as std::getline splits it, the
// line end and one '\r' before it removed.
template <typename F>
void forEachLine(std::string_view text, F f) {
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        f(line);
    }
}

// Checks the claim against the play and sets board.error when it cannot
// be: fewer tricks than declarer's side has won, or more than it can still
// reach.
void checkClaim(const PlayTracker& tracker, PlayedBoard& board);

}  // namespace ddsolver::reading
