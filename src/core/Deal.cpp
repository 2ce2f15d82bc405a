// Seats, strains, cards and deals as text: PBN deal text is read strictly
// (card counts, duplicates) and leniently (case, "10", "-" for a void).
#include "ddsolver/Deal.h"

#include <cctype>

#include "core/TextScan.h"

namespace ddsolver {

namespace {

const char RANKS[] = "AKQJT98765432";  // from the ace down
const char SEAT_LETTERS[] = "NESW";
const char SUIT_LETTERS[] = "SHDC";

char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Index of a letter in `letters` (either case), or -1.
int letterIndex(const char* letters, char c) {
    for (int i = 0; letters[i] != '\0'; ++i) {
        if (letters[i] == upper(c)) return i;
    }
    return -1;
}

// One hand "AKQ.JT9.-.8765" for the seat.
Status parseHand(std::string_view hand, Seat seat, DealSize size, Deal& deal, std::string* reason) {
    int dots = 0;
    for (char c : hand) dots += c == '.';
    if (dots != 3)
        return refuse(Status::PbnBadSuitCount, reason, "a hand needs four suits separated by dots");
    int suit = 0, cards = 0;
    for (size_t i = 0; i < hand.size(); ++i) {
        const char c = upper(hand[i]);
        if (c == '.') {
            ++suit;
            continue;
        }
        if (c == '-') continue;  // a void suit
        int rankPosition = -1;
        if (c == '1' && i + 1 < hand.size() && hand[i + 1] == '0') {
            rankPosition = 4;  // "10" is the ten
            ++i;
        } else {
            rankPosition = letterIndex(RANKS, c);
        }
        if (rankPosition < 0)
            return refuse(Status::PbnBadRank, reason,
                          std::string("unknown rank '") + hand[i] + "'");
        const Card card = Card::fromIndex(suit * 13 + rankPosition);
        if (deal.holder(card))
            return refuse(Status::PbnCardTwice, reason, "card " + card.text() + " appears twice");
        deal.give(card, seat);
        ++cards;
    }
    const bool sizeFits = size == DealSize::Full ? cards == 13 : cards <= 13;
    if (!sizeFits) {
        return refuse(Status::PbnBadHandSize, reason,
                      std::string("hand ") + seatLetter(seat) + " has " + std::to_string(cards) +
                          " cards, not 13");
    }
    return Status::Ok;
}

}  // namespace

char seatLetter(Seat seat) {
    return SEAT_LETTERS[static_cast<int>(seat) & 3];
}

char suitLetter(Suit suit) {
    return SUIT_LETTERS[static_cast<int>(suit) & 3];
}

const char* strainText(Strain strain) {
    static const char* const NAMES[] = {"S", "H", "D", "C", "NT"};
    const int i = static_cast<int>(strain);
    return i >= 0 && i < 5 ? NAMES[i] : "?";
}

bool seatFromText(std::string_view text, Seat& seat) {
    text = trim(text);
    if (text.size() != 1 || letterIndex(SEAT_LETTERS, text[0]) < 0) return false;
    seat = static_cast<Seat>(letterIndex(SEAT_LETTERS, text[0]));
    return true;
}

bool strainFromText(std::string_view text, Strain& strain) {
    text = trim(text);
    if (text.size() == 2 && upper(text[0]) == 'N' && upper(text[1]) == 'T') text = "N";
    if (text.size() != 1) return false;
    const int i = letterIndex("SHDCN", text[0]);
    if (i < 0) return false;
    strain = static_cast<Strain>(i);
    return true;
}

std::string Card::text() const {
    if (!valid()) return "";
    return std::string(1, SUIT_LETTERS[suit_]) + RANKS[ACE - rank_];
}

bool Card::fromText(std::string_view text, Card& card) {
    text = trim(text);
    if (text.size() < 2) return false;
    const int suit = letterIndex(SUIT_LETTERS, text[0]);
    int rankPosition = -1;
    if (text.size() == 2) rankPosition = letterIndex(RANKS, text[1]);
    if (text.size() == 3 && text[1] == '1' && text[2] == '0') rankPosition = 4;
    if (suit < 0 || rankPosition < 0) return false;
    card = fromIndex(suit * 13 + rankPosition);
    return true;
}

Status Deal::fromPbn(std::string_view text, Deal& deal, DealSize size, std::string* reason) {
    deal = Deal();
    text = trim(text);
    Seat seat = Seat::North;
    if (text.size() >= 2 && text[1] == ':') {
        if (!seatFromText(text.substr(0, 1), seat)) {
            return refuse(Status::PbnBadFirstSeat, reason,
                          std::string("unknown first seat '") + text[0] + "'");
        }
        text.remove_prefix(2);
    }
    for (int h = 0; h < 4; ++h) {
        while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
        if (text.empty())
            return refuse(Status::PbnTooFewHands, reason, "the deal needs four hands");
        size_t end = 0;
        while (end < text.size() && !isBlank(text[end])) ++end;
        const Status status = parseHand(text.substr(0, end), seat, size, deal, reason);
        if (status != Status::Ok) return status;
        text.remove_prefix(end);
        seat = nextSeat(seat);
    }
    if (!trim(text).empty())
        return refuse(Status::PbnTextAfterDeal, reason, "text after the fourth hand");
    return Status::Ok;
}

std::string Deal::toPbn(Seat first) const {
    std::string text = std::string(1, seatLetter(first)) + ":";
    Seat seat = first;
    for (int h = 0; h < 4; ++h, seat = nextSeat(seat)) {
        if (h > 0) text += ' ';
        for (int index = 0; index < 52; ++index) {
            if (index > 0 && index % 13 == 0) text += '.';
            if (hands_[static_cast<int>(seat)] >> index & 1) text += RANKS[index % 13];
        }
    }
    return text;
}

std::optional<Seat> Deal::holder(Card card) const {
    if (!card.valid()) return std::nullopt;
    for (Seat seat : ALL_SEATS) {
        if (holds(seat, card)) return seat;
    }
    return std::nullopt;
}

bool Deal::holds(Seat seat, Card card) const {
    return card.valid() && (hands_[static_cast<int>(seat) & 3] >> card.index() & 1) != 0;
}

bool Deal::give(Card card, Seat seat) {
    if (!card.valid()) return false;
    remove(card);
    hands_[static_cast<int>(seat) & 3] |= uint64_t{1} << card.index();
    return true;
}

void Deal::remove(Card card) {
    if (!card.valid()) return;
    for (uint64_t& hand : hands_) hand &= ~(uint64_t{1} << card.index());
}

void Deal::setCards(Seat seat, uint64_t cards) {
    cards &= (uint64_t{1} << 52) - 1;
    for (uint64_t& hand : hands_) hand &= ~cards;
    hands_[static_cast<int>(seat) & 3] = cards;
}

int Deal::count(Seat seat) const {
    return __builtin_popcountll(hands_[static_cast<int>(seat) & 3]);
}

int Deal::count(Seat seat, Suit suit) const {
    const uint64_t suitCards = uint64_t{0x1FFF} << (13 * static_cast<int>(suit));
    return __builtin_popcountll(hands_[static_cast<int>(seat) & 3] & suitCards);
}

std::vector<Card> Deal::hand(Seat seat) const {
    std::vector<Card> cards;
    for (int index = 0; index < 52; ++index) {
        if (hands_[static_cast<int>(seat) & 3] >> index & 1)
            cards.push_back(Card::fromIndex(index));
    }
    return cards;
}

bool Deal::empty() const {
    return (hands_[0] | hands_[1] | hands_[2] | hands_[3]) == 0;
}

}  // namespace ddsolver
