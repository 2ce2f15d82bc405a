// PBN deal text and tag words: reading is strict about card counts and
// duplicate cards, lenient about case, "10" and "-" for a void.
#include "analysis/PbnDeal.h"

#include <cctype>

#include "analysis/Table.h"

namespace ddtable {

namespace {

const char RANKS[] = "AKQJT98765432";
const char SEAT_LETTERS[] = "NESW";

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return "";
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

// One hand "AKQ.JT9.-.8765" for the seat; counts its cards.
std::string parseHand(const std::string& hand, int seat, int deal[52]) {
    int dots = 0;
    for (char c : hand) dots += c == '.';
    if (dots != 3) return "a hand needs four suits separated by dots";
    int suit = 0, cards = 0;
    for (size_t i = 0; i < hand.size(); ++i) {
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(hand[i])));
        if (c == '.') {
            ++suit;
            continue;
        }
        if (c == '-') continue;  // a void suit
        int rank = -1;
        if (c == '1' && i + 1 < hand.size() && hand[i + 1] == '0') {
            rank = 4;  // "10" is the ten
            ++i;
        } else {
            for (int r = 0; r < 13; ++r) {
                if (RANKS[r] == c) rank = r;
            }
        }
        if (rank < 0) return std::string("unknown rank '") + hand[i] + "'";
        int& card = deal[suit * 13 + rank];
        if (card != 0) return std::string("card ") + "SHDC"[suit] + RANKS[rank] + " appears twice";
        card = seat + 1;
        ++cards;
    }
    if (cards != 13) {
        return std::string("hand ") + SEAT_LETTERS[seat] + " has " + std::to_string(cards) +
               " cards, not 13";
    }
    return "";
}

}  // namespace

int seatFromText(const std::string& text) {
    std::string word = upper(trim(text));
    for (int seat = 0; seat < 4; ++seat) {
        if (word.size() == 1 && word[0] == SEAT_LETTERS[seat]) return seat;
    }
    return -1;
}

int vulnerabilityFromText(const std::string& text) {
    std::string word = upper(trim(text));
    if (word == "NONE" || word == "LOVE" || word == "-") return VUL_NONE;
    if (word == "NS") return VUL_NS;
    if (word == "EW") return VUL_EW;
    if (word == "ALL" || word == "BOTH") return VUL_ALL;
    return VUL_UNKNOWN;
}

const char* vulnerabilityText(int vulnerability) {
    static const char* const NAMES[] = {"None", "All", "NS", "EW"};
    return vulnerability >= 0 && vulnerability < 4 ? NAMES[vulnerability] : "?";
}

std::string parseDealText(const std::string& text, int deal[52], int* firstSeat) {
    for (int i = 0; i < 52; ++i) deal[i] = 0;
    std::string rest = trim(text);
    int seat = 0;
    if (rest.size() >= 2 && rest[1] == ':') {
        seat = seatFromText(rest.substr(0, 1));
        if (seat < 0) return std::string("unknown first seat '") + rest[0] + "'";
        rest = rest.substr(2);
    }
    if (firstSeat != nullptr) *firstSeat = seat;
    size_t pos = 0;
    for (int h = 0; h < 4; ++h) {
        while (pos < rest.size() && std::isspace(static_cast<unsigned char>(rest[pos]))) ++pos;
        if (pos >= rest.size()) return "the deal needs four hands";
        size_t end = pos;
        while (end < rest.size() && !std::isspace(static_cast<unsigned char>(rest[end]))) ++end;
        std::string reason = parseHand(rest.substr(pos, end - pos), (seat + h) % 4, deal);
        if (!reason.empty()) return reason;
        pos = end;
    }
    if (!trim(rest.substr(pos)).empty()) return "text after the fourth hand";
    return "";
}

std::string dealText(const int deal[52]) {
    std::string text = "N:";
    for (int seat = 0; seat < 4; ++seat) {
        if (seat > 0) text += ' ';
        for (int suit = 0; suit < 4; ++suit) {
            if (suit > 0) text += '.';
            for (int rank = 0; rank < 13; ++rank) {
                if (deal[suit * 13 + rank] == seat + 1) text += RANKS[rank];
            }
        }
    }
    return text;
}

}  // namespace ddtable
