// Text and JSON Lines records of a board's play review.
#include "apps/ddplay/ReviewFormat.h"

#include <cstdio>

#include "apps/common/Text.h"

namespace ddplay {

using namespace ddsolver;

using apps::jsonString;

namespace {

std::string seatName(Seat seat) {
    return std::string(1, seatLetter(seat));
}

std::string sideName(Seat seat) {
    return isNorthSouth(seat) ? "N-S" : "E-W";
}

std::string contractText(const BoardInput& input, const BoardResult& result) {
    const std::optional<BridgeContract>& contract = input.board.contract;
    if (!contract) return strainText(result.strain);
    static const char* const DOUBLING[] = {"", "X", "XX"};
    return std::to_string(contract->level) + strainText(contract->strain) +
           DOUBLING[static_cast<int>(contract->doubling)];
}

std::string cardList(const std::vector<Card>& cards) {
    std::string text;
    for (Card card : cards) text += (text.empty() ? "" : " ") + card.text();
    return text;
}

// The tricks each side gave away, by the seats of its cards.
int givenAway(const PlayReview& review, bool northSouth) {
    int tricks = 0;
    for (const PlayedCardReview& card : review.cards) {
        if (isNorthSouth(card.seat) == northSouth) tricks += card.cost;
    }
    return tricks;
}

// The declaring side's tricks at the end: all played, or as claimed.
std::optional<int> finalTricks(const BoardInput& input, const BoardResult& result) {
    if (input.board.claim) return input.board.claim;
    if (result.review.cards.size() == 52) return result.review.declarerTricksTaken;
    return std::nullopt;
}

// The double-dummy count where the play stopped (a claim's point).
int lastValue(const PlayReview& review) {
    return review.cards.empty() ? review.start : review.cards.back().tricks;
}

std::string cardText(const PlayedCardReview& card, bool allCards) {
    std::string text =
        seatName(card.seat) + " " + card.card.text() + " " + std::to_string(card.tricks);
    if (card.cost > 0)
        text += " -" + std::to_string(card.cost) + " (kept: " + cardList(card.optimal) + ")";
    if (allCards) {
        text += " [";
        for (size_t i = 0; i < card.values.size(); ++i) {
            text += (i > 0 ? " " : "") + card.values[i].card.text() + " " +
                    std::to_string(card.values[i].tricks);
        }
        text += "]";
    }
    return text;
}

std::string summary(const BoardInput& input, const BoardResult& result) {
    const PlayReview& review = result.review;
    const std::string side = sideName(result.declarer);
    const size_t played = review.cards.size();
    std::string out = side + " took " + std::to_string(review.declarerTricksTaken) + " of " +
                      std::to_string(played / 4) + (played / 4 == 1 ? " trick" : " tricks") +
                      " played\n";
    if (input.board.claim) {
        const int claim = *input.board.claim, value = lastValue(review);
        out += "Claim: " + std::to_string(claim) + " tricks for " + side + ", double dummy " +
               std::to_string(value) + " where it was made";
        if (claim != value) {
            out += " (" + std::to_string(claim > value ? claim - value : value - claim) +
                   (claim > value ? " too many)" : " too few)");
        }
        out += "\n";
    }
    out += "Given away: N-S " + std::to_string(givenAway(review, true)) + ", E-W " +
           std::to_string(givenAway(review, false)) + "\n";
    if (const std::optional<int> tricks = finalTricks(input, result)) {
        out += "Result: " + std::to_string(*tricks) + " tricks against " +
               std::to_string(review.start) + " double dummy";
        if (input.board.contract) {
            const int over = *tricks - 6 - input.board.contract->level;
            out += ", " + contractText(input, result) +
                   (over >= 0 ? " made" + (over > 0 ? " +" + std::to_string(over) : std::string())
                              : " down " + std::to_string(-over));
        }
        out += "\n";
    }
    return out;
}

}  // namespace

std::string textRecord(const BoardInput& input, const BoardResult& result, bool allCards) {
    const PlayedBoard& board = input.board;
    std::string out = board.name.empty() ? "Deal" : "Board " + board.name;
    out += " (" + input.source + " line " + std::to_string(board.line) +
           "): " + contractText(input, result) + " by " + seatName(result.declarer) + ", " +
           seatName(result.leader) + " leads\n";
    out += board.deal.toPbn() + "\n";
    out += "Double dummy: " + std::to_string(result.review.start) + " tricks for " +
           sideName(result.declarer) + "\n";
    const std::vector<PlayedCardReview>& cards = result.review.cards;
    for (size_t place = 0; place < cards.size(); ++place) {
        if (place % 4 == 0) {
            char number[32];
            std::snprintf(number, sizeof number, "%s%2zu: ", place == 0 ? "" : "\n", place / 4 + 1);
            out += number;
        } else {
            out += ", ";
        }
        out += cardText(cards[place], allCards);
    }
    if (!cards.empty()) out += "\n";
    return out + summary(input, result) + "\n";
}

std::string jsonRecord(const BoardInput& input, const BoardResult& result, bool allCards) {
    const PlayedBoard& board = input.board;
    const PlayReview& review = result.review;
    std::string out = "{\"board\": " + jsonString(board.name) +
                      ", \"source\": " + jsonString(input.source) +
                      ", \"line\": " + std::to_string(board.line) +
                      ", \"deal\": " + jsonString(board.deal.toPbn()) +
                      ", \"contract\": " + jsonString(contractText(input, result)) +
                      ", \"strain\": " + jsonString(strainText(result.strain)) +
                      ", \"declarer\": " + jsonString(seatName(result.declarer)) +
                      ", \"leader\": " + jsonString(seatName(result.leader)) +
                      ", \"start\": " + std::to_string(review.start) + ", \"cards\": [";
    for (size_t place = 0; place < review.cards.size(); ++place) {
        const PlayedCardReview& card = review.cards[place];
        out += std::string(place > 0 ? ", " : "") +
               "{\"seat\": " + jsonString(seatName(card.seat)) +
               ", \"card\": " + jsonString(card.card.text()) +
               ", \"tricks\": " + std::to_string(card.tricks) +
               ", \"cost\": " + std::to_string(card.cost) + ", \"optimal\": [";
        for (size_t i = 0; i < card.optimal.size(); ++i)
            out += (i > 0 ? ", " : "") + jsonString(card.optimal[i].text());
        out += "]";
        if (allCards) {
            out += ", \"values\": {";
            for (size_t i = 0; i < card.values.size(); ++i) {
                out += (i > 0 ? ", " : "") + jsonString(card.values[i].card.text()) + ": " +
                       std::to_string(card.values[i].tricks);
            }
            out += "}";
        }
        out += "}";
    }
    out += "], \"declarer_tricks_taken\": " + std::to_string(review.declarerTricksTaken);
    if (board.claim) {
        out += ", \"claim\": " + std::to_string(*board.claim) +
               ", \"claim_double_dummy\": " + std::to_string(lastValue(review));
    }
    out += ", \"given_away\": {\"NS\": " + std::to_string(givenAway(review, true)) +
           ", \"EW\": " + std::to_string(givenAway(review, false)) + "}";
    return out + "}\n";
}

}  // namespace ddplay
