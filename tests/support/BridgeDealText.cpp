// Reading and writing bridge positions as text: hand strings, position strings
// and double-dummy table lines.
#include "support/BridgeDealText.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace bridgeref {
namespace {

constexpr char RANK_LETTERS[] = "AKQJT98765432";
constexpr char SEAT_LETTERS[] = "NESW";
constexpr size_t POSITION_LENGTH = 57;

int rankPositionOfLetter(char letter) {
    char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (int rank = 0; rank < 13; ++rank) {
        if (RANK_LETTERS[rank] == upper) return rank;
    }
    return -1;
}

bool fail(std::string* error, const std::string& text) {
    if (error != nullptr) *error = text;
    return false;
}

// Value of a digit character in '0'..maxDigit, or -1.
int digitUpTo(char c, char maxDigit) {
    return (c >= '0' && c <= maxDigit) ? c - '0' : -1;
}

bool addHand(const std::string& text, int seat, Position* position, std::string* error) {
    int suit = 0;
    for (char c : text) {
        if (c == '.') {
            if (++suit > 3) return fail(error, "more than four suits in hand: " + text);
            continue;
        }
        int rank = rankPositionOfLetter(c);
        if (rank < 0) return fail(error, "bad rank letter in hand: " + text);
        int& code = position->deal[cardIndex(suit, rank)];
        if (code != 0) return fail(error, "card named twice: " + text);
        code = seat + 1;
    }
    if (suit != 3) return fail(error, "hand needs four suits separated by dots: " + text);
    return true;
}

}  // namespace

bool positionFromHands(const std::array<std::string, 4>& hands, int trump, int leader,
                       Position* position, std::string* error) {
    Position built;
    built.trump = trump;
    built.leader = leader;
    for (int seat = 0; seat < 4; ++seat) {
        if (!addHand(hands[seat], seat, &built, error)) return false;
    }
    *position = built;
    return true;
}

std::string pbnDeal(const Position& position, int firstSeat) {
    std::string text(1, SEAT_LETTERS[firstSeat]);
    text += ':';
    for (int i = 0; i < 4; ++i) {
        int seat = (firstSeat + i) % 4;
        if (i > 0) text += ' ';
        for (int suit = 0; suit < 4; ++suit) {
            if (suit > 0) text += '.';
            for (int rank = 0; rank < 13; ++rank) {
                if (position.deal[cardIndex(suit, rank)] == seat + 1) text += RANK_LETTERS[rank];
            }
        }
    }
    return text;
}

bool positionFromPbnDeal(const std::string& text, int trump, Position* position,
                         std::string* error) {
    const char* seatLetter =
        text.empty() || text[0] == '\0' ? nullptr : std::strchr(SEAT_LETTERS, text[0]);
    if (seatLetter == nullptr || text.size() < 2 || text[1] != ':') {
        return fail(error, "deal must start with a seat letter and a colon: " + text);
    }
    int firstSeat = static_cast<int>(seatLetter - SEAT_LETTERS);
    std::array<std::string, 4> hands;
    std::istringstream words(text.substr(2));
    for (int i = 0; i < 4; ++i) {
        if (!(words >> hands[(firstSeat + i) % 4]))
            return fail(error, "fewer than four hands: " + text);
    }
    std::string extra;
    if (words >> extra) return fail(error, "more than four hands: " + text);
    return positionFromHands(hands, trump, 0, position, error);
}

int parseCard(const std::string& text) {
    if (text.size() != 2) return -1;
    int rank = rankPositionOfLetter(text[0]);
    int suit = digitUpTo(text[1], '3');
    if (rank < 0 || suit < 0) return -1;
    return cardIndex(suit, rank);
}

bool putOnTrick(Position* position, int seat, const std::string& card) {
    int index = parseCard(card);
    if (index < 0 || position->deal[index] != seat + 1) return false;
    position->deal[index] = seat + 5;
    return true;
}

std::string tablePositionString(const Position& position) {
    std::string text;
    for (int code : position.deal) text += static_cast<char>('0' + code);
    text += static_cast<char>('0' + position.trump);
    text += "0010";
    return text;
}

bool parsePositionString(const std::string& text, Position* position) {
    if (text.size() < POSITION_LENGTH) return false;
    Position parsed;
    for (int card = 0; card < DECK_SIZE; ++card) {
        parsed.deal[card] = digitUpTo(text[card], '8');
        if (parsed.deal[card] < 0) return false;
    }
    parsed.trump = digitUpTo(text[52], '4');
    parsed.leader = digitUpTo(text[53], '3');
    if (parsed.trump < 0 || parsed.leader < 0) return false;
    *position = parsed;
    return true;
}

bool parseTableLine(const std::string& line, TableLine* parsed) {
    size_t tab = line.find('\t');
    if (tab != POSITION_LENGTH) return false;
    TableLine result;
    result.text = line.substr(0, tab);
    if (!parsePositionString(result.text, &result.position)) return false;
    std::istringstream numbers(line.substr(tab + 1));
    for (int& tricks : result.tricks) {
        if (!(numbers >> tricks) || tricks < 0 || tricks > 13) return false;
    }
    std::string extra;
    if (numbers >> extra) return false;
    *parsed = result;
    return true;
}

bool readTableFile(const std::string& path, std::vector<TableLine>* lines, std::string* error) {
    std::ifstream file(path);
    if (!file) return fail(error, "cannot read " + path);
    lines->clear();
    std::string line;
    int number = 0;
    while (std::getline(file, line)) {
        ++number;
        if (line.empty()) continue;
        TableLine parsed;
        if (!parseTableLine(line, &parsed)) {
            return fail(error, path + ":" + std::to_string(number) + ": not a table line");
        }
        lines->push_back(parsed);
    }
    return true;
}

std::string formatTableLine(const Position& position, const std::array<int, 4>& tricks) {
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "\t%d %d %d %d", tricks[0], tricks[1], tricks[2],
                  tricks[3]);
    return tablePositionString(position) + numbers;
}

}  // namespace bridgeref
