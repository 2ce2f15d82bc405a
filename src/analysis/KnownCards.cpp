// Known cards from text: a PBN deal whose "-" hands are unseen and whose
// short hands are partly known, and the cards still to deal as one hand.
#include <cctype>
#include <string>

#include "analysis/Binomial.h"
#include "core/TextScan.h"
#include "ddsolver/Simulation.h"

namespace ddsolver {

namespace {

constexpr uint64_t ALL_CARDS = (uint64_t{1} << 52) - 1;
const char RANKS[] = "AKQJT98765432";  // from the ace down, as Card::index() runs

// The deal text with every hand that is exactly "-" written as an empty
// hand "...", so that the PBN reader takes it (a "-" inside a hand stays a
// void).
std::string withUnseenHandsEmpty(std::string_view text) {
    text = trim(text);
    std::string out;
    if (text.size() >= 2 && text[1] == ':') {
        out.append(text.substr(0, 2));
        text.remove_prefix(2);
    }
    size_t i = 0;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            out += text[i++];
            continue;
        }
        size_t end = i;
        while (end < text.size() && !isBlank(text[end])) ++end;
        const std::string_view token = text.substr(i, end - i);
        out.append(token == "-" ? std::string_view("...") : token);
        i = end;
    }
    return out;
}

// One hand's form "T987.QJT9.-." of any size: ranks in either case, "10"
// for the ten, "-" for an empty suit.
Status parseCards(std::string_view text, uint64_t& cards, std::string* reason) {
    cards = 0;
    text = trim(text);
    int dots = 0;
    for (char c : text) dots += c == '.';
    if (dots != 3) {
        return refuse(Status::PbnBadSuitCount, reason,
                      "the unseen cards need four suits separated by dots");
    }
    int suit = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        if (c == '.') {
            ++suit;
            continue;
        }
        if (c == '-') continue;
        int rankPosition = -1;
        if (c == '1' && i + 1 < text.size() && text[i + 1] == '0') {
            rankPosition = 4;
            ++i;
        } else {
            for (int r = 0; RANKS[r] != '\0'; ++r) {
                if (RANKS[r] == c) rankPosition = r;
            }
        }
        if (rankPosition < 0) {
            // A character that would not print (a newline, say) is shown by its code.
            const unsigned char shown = static_cast<unsigned char>(text[i]);
            const std::string what = std::isprint(shown) ? std::string("'") + text[i] + "'"
                                                         : "of code " + std::to_string(shown);
            return refuse(Status::PbnBadRank, reason,
                          "unknown rank " + what + " in the unseen cards");
        }
        const int index = suit * 13 + rankPosition;
        if (cards >> index & 1) {
            return refuse(
                Status::PbnCardTwice, reason,
                "card " + Card::fromIndex(index).text() + " appears twice in the unseen cards");
        }
        cards |= uint64_t{1} << index;
    }
    return Status::Ok;
}

}  // namespace

Status KnownCards::fromText(std::string_view dealText, std::string_view unseenText,
                            KnownCards& cards, std::string* reason) {
    KnownCards result;
    Status status =
        Deal::fromPbn(withUnseenHandsEmpty(dealText), result.known_, DealSize::Ending, reason);
    if (status != Status::Ok) return status;
    uint64_t known = 0;
    for (Seat seat : ALL_SEATS) known |= result.known_.cards(seat);

    if (trim(unseenText).empty()) {
        result.unseen_ = ALL_CARDS & ~known;
    } else {
        status = parseCards(unseenText, result.unseen_, reason);
        if (status != Status::Ok) return status;
        if (const uint64_t both = result.unseen_ & known) {
            return refuse(Status::UnseenCardKnown, reason,
                          "card " + Card::fromIndex(__builtin_ctzll(both)).text() +
                              " is both known and unseen");
        }
    }

    const int knownCount = __builtin_popcountll(known);
    const int unseenCount = __builtin_popcountll(result.unseen_);
    const int total = knownCount + unseenCount;
    if (total == 0) return refuse(Status::HandsNotEqual, reason, "no cards to deal");
    if (total % 4 != 0) {
        return refuse(Status::HandsNotEqual, reason,
                      std::to_string(knownCount) + " known and " + std::to_string(unseenCount) +
                          " unseen cards do not make four equal hands");
    }
    result.handSize_ = total / 4;
    for (Seat seat : ALL_SEATS) {
        if (result.known_.count(seat) > result.handSize_) {
            return refuse(Status::HandsNotEqual, reason,
                          std::string("hand ") + seatLetter(seat) + " holds " +
                              std::to_string(result.known_.count(seat)) +
                              " known cards, more than the " + std::to_string(result.handSize_) +
                              " each hand ends with");
        }
    }
    cards = result;
    return Status::Ok;
}

double KnownCards::layoutCount() const {
    // Each seat in turn picks its share of the cards the earlier seats left.
    double count = 1;
    int left = __builtin_popcountll(unseen_);
    for (Seat seat : ALL_SEATS) {
        count *= static_cast<double>(BINOMIALS(left, missing(seat)));
        left -= missing(seat);
    }
    return count;
}

}  // namespace ddsolver
