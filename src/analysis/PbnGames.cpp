// PBN game files: the games split off line by line, their tags read, and the
// Play section turned from seat order into playing order. A Play line holds
// a trick's cards in seat order from the opening leader, so the order they
// were played in comes from the trick winners, trick by trick.
#include "analysis/PbnGames.h"

#include <cctype>

#include "analysis/PlayRules.h"

namespace ddsolver {

namespace reading {

namespace {

bool isBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// "[Name "value"]" into name and value; false when the line is not of that form.
bool parseTag(std::string_view line, std::string& name, std::string& value) {
    const size_t open = line.find('['), quote = line.find('"'), close = line.rfind('"');
    const size_t end = line.rfind(']');
    if (open == std::string_view::npos || quote == std::string_view::npos || close <= quote ||
        end == std::string_view::npos || end < close) {
        return false;
    }
    name = std::string(line.substr(open + 1, quote - open - 1));
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    value = std::string(line.substr(quote + 1, close - quote - 1));
    return !name.empty();
}

enum class Bidding { Unknown, PassedOut, Contract };

// The Contract tag: "4S", "3NTX", "2hxx", "Pass"; empty or "?" when unknown.
bool readContractTag(std::string_view text, Bidding& bidding, BridgeContract& contract) {
    text = trimmed(text);
    std::string word(text);
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (word.empty() || word == "?") {
        bidding = Bidding::Unknown;
        return true;
    }
    if (word == "PASS") {
        bidding = Bidding::PassedOut;
        return true;
    }
    if (word[0] < '1' || word[0] > '7') return false;
    contract.level = word[0] - '0';
    std::string_view rest = std::string_view(word).substr(1);
    contract.doubling = Doubling::Undoubled;
    if (rest.size() >= 2 && rest.substr(rest.size() - 2) == "XX") {
        contract.doubling = Doubling::Redoubled;
        rest.remove_suffix(2);
    } else if (!rest.empty() && rest.back() == 'X') {
        contract.doubling = Doubling::Doubled;
        rest.remove_suffix(1);
    }
    bidding = Bidding::Contract;
    return strainFromText(rest, contract.strain);
}

// A tag's seat ("^S" an irregular declarer); false for other text, true
// with no seat for an empty value.
bool readSeatTag(std::string_view text, std::optional<Seat>& seat) {
    text = trimmed(text);
    if (!text.empty() && text[0] == '^') text.remove_prefix(1);
    seat.reset();
    if (text.empty()) return true;
    Seat read;
    if (!seatFromText(text, read)) return false;
    seat = read;
    return true;
}

// One place of a trick in the Play section: a card, or "-" for none.
struct Entry {
    bool played = false;
    Card card;
};

// The Play section's places, up to "*" or its end; "" or the first fault.
std::string readPlaySection(std::string_view text, std::vector<Entry>& entries) {
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        if (c == '{' || c == ';') {  // commentary to '}', or to the line end
            const size_t end = text.find(c == '{' ? '}' : '\n', i);
            i = end == std::string_view::npos ? text.size() : end + 1;
            continue;
        }
        const size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) &&
               text[i] != '{' && text[i] != ';') {
            ++i;
        }
        const std::string_view token = text.substr(start, i - start);
        if (token == "*") break;
        // NAGs, note references, irregularity marks.
        if (token[0] == '$' || token[0] == '=' || token[0] == '^') continue;
        const int trick = static_cast<int>(entries.size()) / 4 + 1;
        if (trick > 13) return trickFault(trick, "more than 13 tricks");
        Entry entry;
        if (token != "-") {
            const std::string_view card = token.substr(0, token.find_first_of("!?$"));
            if (!Card::fromText(card, entry.card))
                return trickFault(trick, "unknown card " + quoted(token));
            entry.played = true;
        }
        entries.push_back(entry);
    }
    if (entries.size() % 4 != 0) {
        return trickFault(static_cast<int>(entries.size()) / 4 + 1, "fewer than four places");
    }
    return "";
}

// The contract, declarer and opening leader from the tags, then the play.
void readContractAndPlay(const PbnGame& game, PlayedBoard& board) {
    Bidding bidding = Bidding::Unknown;
    BridgeContract contract;
    if (game.contract && !readContractTag(*game.contract, bidding, contract)) {
        board.error = "unknown Contract \"" + *game.contract + "\"";
        return;
    }
    if (bidding == Bidding::Contract) board.contract = contract;
    if (game.declarer && !readSeatTag(*game.declarer, board.declarer)) {
        board.error = "unknown Declarer \"" + *game.declarer + "\"";
        return;
    }
    if (game.play && !readSeatTag(*game.play, board.leader)) {
        board.error = "unknown Play \"" + *game.play + "\"";
        return;
    }
    std::vector<Entry> entries;
    board.error = readPlaySection(game.playSection, entries);
    if (!board.error.empty()) return;
    const std::optional<Seat> firstInSection = board.leader;

    if (bidding == Bidding::PassedOut) {
        board.declarer.reset();
        board.leader.reset();
    } else if (board.declarer && board.leader) {
        if (*board.leader != nextSeat(*board.declarer)) {
            board.error = std::string("the opening leader ") + seatLetter(*board.leader) +
                          " is not declarer's left-hand opponent";
            return;
        }
    } else if (board.declarer) {
        board.leader = nextSeat(*board.declarer);
    } else if (board.leader && bidding == Bidding::Contract) {
        board.declarer = static_cast<Seat>((static_cast<int>(*board.leader) + 3) & 3);
    }

    bool anyPlayed = false;
    for (const Entry& entry : entries) anyPlayed |= entry.played;
    if (!anyPlayed) return;
    if (bidding != Bidding::Contract) {
        board.error = bidding == Bidding::PassedOut ? "cards played on a passed-out board"
                                                    : "cards played but the contract is unknown";
        return;
    }
    if (!firstInSection) {
        board.error = "cards played but the Play tag names no leader";
        return;
    }
    PlayTracker tracker(board.deal, contract.strain, *board.leader);
    bool stopped = false;
    for (size_t trick = 0; trick < entries.size() / 4; ++trick) {
        const Seat first = tracker.toPlay();
        for (int k = 0; k < 4; ++k) {
            const int seat = (static_cast<int>(first) + k) & 3;
            const int place = (seat - static_cast<int>(*firstInSection)) & 3;
            const Entry& entry = entries[trick * 4 + place];
            if (!entry.played) {
                stopped = true;
                continue;
            }
            const int number = static_cast<int>(trick) + 1;
            if (stopped) {
                board.error = trickFault(number, entry.card.text() + " follows a card not played");
                return;
            }
            board.error = tracker.play(entry.card);
            if (!board.error.empty()) return;
            board.play.push_back(entry.card);
        }
    }
}

}  // namespace

bool isTagLine(std::string_view line) {
    const size_t start = line.find_first_not_of(" \t");
    return start != std::string_view::npos && line[start] == '[';
}

void PbnGameSplitter::line(int number, std::string_view text) {
    const size_t start = text.find_first_not_of(" \t");
    if (start != std::string_view::npos && text[start] == '%') return;  // a comment
    if (isTagLine(text)) {
        inPlaySection_ = false;
        std::string name, value;
        if (!parseTag(text, name, value)) {
            if (game_.error.empty()) {
                game_.error = "malformed tag";
                game_.errorLine = number;
            }
            return;
        }
        if (name == "Deal") {
            if (game_.hasDeal) endGame();
            game_.hasDeal = true;
            game_.dealLine = number;
            game_.deal = value;
        } else if (name == "Board") {
            game_.board = value;
        } else if (name == "Dealer") {
            game_.dealer = value;
        } else if (name == "Vulnerable") {
            game_.vulnerable = value;
        } else if (name == "Contract") {
            game_.contract = value;
        } else if (name == "Declarer") {
            game_.declarer = value;
        } else if (name == "Play") {
            game_.play = value;
            game_.playSection.clear();
            inPlaySection_ = true;
        }
        return;
    }
    if (isBlankLine(text)) {
        endGame();
    } else if (inPlaySection_) {
        game_.playSection.append(text);
        game_.playSection += '\n';
    }
}

std::vector<PbnGame> PbnGameSplitter::finish() {
    endGame();
    return std::move(games_);
}

void PbnGameSplitter::endGame() {
    if (game_.hasDeal || !game_.error.empty()) games_.push_back(std::move(game_));
    game_ = PbnGame();
    inPlaySection_ = false;
}

bool readDealText(std::string_view text, Deal& deal, Seat& firstSeat, std::string& reason) {
    if (Deal::fromPbn(text, deal, DealSize::Full, &reason) != Status::Ok) return false;
    const size_t start = text.find_first_not_of(" \t\r\n");
    firstSeat = Seat::North;
    if (start != std::string_view::npos && start + 1 < text.size() && text[start + 1] == ':')
        seatFromText(text.substr(start, 1), firstSeat);
    return true;
}

void readGameHeader(const PbnGame& game, PlayedBoard& board) {
    board.name = game.board;
    if (!game.hasDeal) {
        board.line = game.errorLine;
        board.error = game.error;
        return;
    }
    board.line = game.dealLine;
    if (!readDealText(game.deal, board.deal, board.dealer, board.error)) return;
    if (!game.error.empty()) {
        board.error = game.error;
        board.line = game.errorLine;
        return;
    }
    if (game.dealer && !seatFromText(*game.dealer, board.dealer)) {
        board.error = "unknown Dealer \"" + *game.dealer + "\"";
        return;
    }
    if (game.vulnerable) {
        Vulnerability vulnerability;
        if (!vulnerabilityFromText(*game.vulnerable, vulnerability)) {
            board.error = "unknown Vulnerable \"" + *game.vulnerable + "\"";
            return;
        }
        board.vulnerability = vulnerability;
    }
}

}  // namespace reading

std::vector<PlayedBoard> readPbnGames(std::string_view text) {
    reading::PbnGameSplitter splitter;
    int number = 0;
    reading::forEachLine(text, [&](std::string_view line) { splitter.line(++number, line); });
    std::vector<PlayedBoard> boards;
    for (const reading::PbnGame& game : splitter.finish()) {
        PlayedBoard& board = boards.emplace_back();
        reading::readGameHeader(game, board);
        if (board.error.empty()) reading::readContractAndPlay(game, board);
    }
    return boards;
}

}  // namespace ddsolver
