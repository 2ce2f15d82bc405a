// The rules of play on a whole deal, card by card, with the reason for the
// first card that breaks them; and the claim measured against the play.
#include "analysis/PlayRules.h"

#include <cctype>

#include "core/GameRules.h"

namespace ddsolver::reading {

namespace {

const char* const SUIT_NAMES[] = {"spade", "heart", "diamond", "club"};

}  // namespace

PlayTracker::PlayTracker(const Deal& deal, Strain strain, Seat leader)
    : hands_(deal),
      strain_(static_cast<int>(strain)),
      // Declarer sits on the opening leader's right.
      declarerNorthSouth_(!isNorthSouth(leader)),
      toPlay_(leader) {}

std::string PlayTracker::play(Card card) {
    const int trick = trickNumber();
    if (played_ == 52) return trickFault(14, "more than 13 tricks");
    const uint64_t bit = uint64_t{1} << card.index();
    if (playedCards_ & bit) return trickFault(trick, card.text() + " is played a second time");
    const std::string seat(1, seatLetter(toPlay_));
    if (!hands_.holds(toPlay_, card))
        return trickFault(trick, seat + " does not hold " + card.text());
    const int place = played_ % 4;
    if (place > 0) {
        const Suit led = Card::fromIndex(trick_[0]).suit();
        if (card.suit() != led && hands_.count(toPlay_, led) > 0) {
            return trickFault(trick, seat + " plays " + card.text() + " to a " +
                                         SUIT_NAMES[static_cast<int>(led)] + " lead, holding " +
                                         SUIT_NAMES[static_cast<int>(led)] + "s");
        }
    }
    hands_.remove(card);
    playedCards_ |= bit;
    trick_[place] = card.index();
    ++played_;
    if (place < 3) {
        toPlay_ = nextSeat(toPlay_);
        return "";
    }
    // The winner sits `winner` seats after the leader, who is the seat after this one.
    const int winner = core::winningPlace(trick_, 4, strain_);
    toPlay_ = static_cast<Seat>((static_cast<int>(toPlay_) + 1 + winner) & 3);
    if (isNorthSouth(toPlay_) == declarerNorthSouth_) ++declarerSideTricks_;
    return "";
}

std::string trickFault(int trick, const std::string& what) {
    return "trick " + std::to_string(trick) + ": " + what;
}

std::string quoted(std::string_view text) {
    constexpr size_t MAX_SHOWN = 24;
    std::string out = "\"";
    for (size_t i = 0; i < text.size() && i < MAX_SHOWN; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        out += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
    }
    if (text.size() > MAX_SHOWN) out += "...";
    return out + "\"";
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

void checkClaim(const PlayTracker& tracker, PlayedBoard& board) {
    if (!board.claim || !board.error.empty()) return;
    const int won = tracker.declarerSideTricks();
    const int most = won + 13 - tracker.completedTricks();
    const int claim = *board.claim;
    if (claim < won || claim > most) {
        board.error = "a claim of " + std::to_string(claim) + " tricks where declarer's side has " +
                      std::to_string(won) + " and can reach " + std::to_string(most);
    }
}

}  // namespace ddsolver::reading
