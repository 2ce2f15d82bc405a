// LIN records, one board a line: "key|value|" pairs giving the deal (md|),
// the calls from the dealer (mb|), whose last bid is the contract, the
// cards in playing order (pc|) and a claim (mc|). A hand-viewer URL carries
// a record, URL-encoded, in its lin= parameter.
#include <cctype>
#include <optional>

#include "analysis/PlayRules.h"
#include "ddsolver/PlayedBoard.h"

namespace ddsolver {

namespace reading {

namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// The record on a line: the line itself, or, when "lin=" follows '?' or
// '&' before any '|', that URL parameter decoded (%XX and '+').
std::string recordOf(std::string_view line) {
    const std::string head = lower(line.substr(0, line.find('|')));
    size_t at = head.find("lin=");
    while (at != std::string::npos && (at == 0 || (head[at - 1] != '?' && head[at - 1] != '&')))
        at = head.find("lin=", at + 1);
    if (at == std::string::npos) return std::string(line);
    std::string_view value = line.substr(at + 4);
    value = value.substr(0, value.find_first_of("&#"));
    std::string record;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '+') {
            record += ' ';
        } else if (value[i] == '%' && i + 2 < value.size() && hexValue(value[i + 1]) >= 0 &&
                   hexValue(value[i + 2]) >= 0) {
            record += static_cast<char>(hexValue(value[i + 1]) * 16 + hexValue(value[i + 2]));
            i += 2;
        } else {
            record += value[i];
        }
    }
    return record;
}

// md|: the dealer digit (1 South, 2 West, 3 North, 4 East), then the hands
// in that order, comma-separated, each suit letters followed by their ranks.
// One hand may be left out: it holds the cards the others do not.
std::string readDealField(std::string_view text, PlayedBoard& board) {
    static const Seat ORDER[4] = {Seat::South, Seat::West, Seat::North, Seat::East};
    text = trimmed(text);
    if (text.empty() || text[0] < '1' || text[0] > '4')
        return "md| does not start with a dealer 1 to 4";
    board.dealer = ORDER[text[0] - '1'];
    text.remove_prefix(1);
    int missing = -1;
    for (int hand = 0; hand < 4; ++hand) {
        const size_t comma = text.find(',');
        const std::string_view part = trimmed(text.substr(0, comma));
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
        const Seat seat = ORDER[hand];
        if (part.empty()) {
            if (missing >= 0) return "md| leaves out more than one hand";
            missing = hand;
            continue;
        }
        int suit = -1;
        for (size_t i = 0; i < part.size(); ++i) {
            const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(part[i])));
            const std::string_view suits = "SHDC", ranks = "AKQJT98765432";
            if (suits.find(c) != std::string_view::npos) {
                suit = static_cast<int>(suits.find(c));
                continue;
            }
            size_t rank = ranks.find(c);
            if (c == '1' && i + 1 < part.size() && part[i + 1] == '0') {
                rank = 4;
                ++i;
            }
            if (rank == std::string_view::npos) return "md| holds " + quoted(part.substr(i, 1));
            if (suit < 0) return "md| gives a rank before a suit letter";
            const Card card = Card::fromIndex(suit * 13 + static_cast<int>(rank));
            if (board.deal.holder(card)) return "md| deals " + card.text() + " twice";
            board.deal.give(card, seat);
        }
        if (board.deal.count(seat) != 13) {
            return std::string("md| gives ") + seatLetter(seat) + " " +
                   std::to_string(board.deal.count(seat)) + " cards, not 13";
        }
    }
    if (!trimmed(text).empty()) return "md| has more than four hands";
    for (int index = 0; index < 52 && missing >= 0; ++index) {
        if (!board.deal.holder(Card::fromIndex(index)))
            board.deal.give(Card::fromIndex(index), ORDER[missing]);
    }
    return "";
}

bool readVulnerability(std::string_view text, std::optional<Vulnerability>& vulnerability) {
    const std::string word = lower(trimmed(text));
    if (word.empty()) return true;
    if (word == "o" || word == "0" || word == "-") {
        vulnerability = Vulnerability::None;
    } else if (word == "n") {
        vulnerability = Vulnerability::NorthSouth;
    } else if (word == "e") {
        vulnerability = Vulnerability::EastWest;
    } else if (word == "b") {
        vulnerability = Vulnerability::All;
    } else {
        return false;
    }
    return true;
}

enum class Call { Pass, Double, Redouble, Bid };

// p, d, r or a bid ("1S", "3N", "2nt"), alert marks skipped.
bool readCall(std::string_view text, Call& call, BridgeContract& bid) {
    std::string word = lower(trimmed(text));
    word = word.substr(0, word.find('!'));
    if (word == "p" || word == "pass") {
        call = Call::Pass;
    } else if (word == "d" || word == "x" || word == "dbl") {
        call = Call::Double;
    } else if (word == "r" || word == "xx" || word == "rdbl") {
        call = Call::Redouble;
    } else if (word.size() >= 2 && word[0] >= '1' && word[0] <= '7' &&
               strainFromText(std::string_view(word).substr(1), bid.strain)) {
        call = Call::Bid;
        bid.level = word[0] - '0';
        bid.doubling = Doubling::Undoubled;
    } else {
        return false;
    }
    return true;
}

// Bids rank by level, then clubs, diamonds, hearts, spades, no trump.
int bidRank(const BridgeContract& bid) {
    const int strain = static_cast<int>(bid.strain);
    return bid.level * 5 + (bid.strain == Strain::NoTrump ? 4 : 3 - strain);
}

enum class Bidding { Unknown, PassedOut, Contract };

// The calls in turn from the dealer: the contract is the last bid with the
// doubles after it, its declarer the first of the bidding side to have
// named its strain. An auction that has not ended still gives its last bid.
std::string readAuction(const std::vector<std::string_view>& calls, PlayedBoard& board,
                        Bidding& bidding) {
    Seat seat = board.dealer;
    std::optional<BridgeContract> last;
    Seat bidder = seat;
    std::optional<Seat> firstToName[2][5];
    int passes = 0;
    bool ended = false;
    for (size_t i = 0; i < calls.size(); ++i, seat = nextSeat(seat)) {
        const std::string number = "call " + std::to_string(i + 1) + ": ";
        if (ended) return number + "the auction has ended";
        Call call;
        BridgeContract bid;
        if (!readCall(calls[i], call, bid)) return number + "unknown call " + quoted(calls[i]);
        const bool opponents = last && isNorthSouth(bidder) != isNorthSouth(seat);
        if (call == Call::Pass) {
            ended = ++passes == (last ? 3 : 4);
            continue;
        }
        if (call == Call::Bid) {
            if (last && bidRank(bid) <= bidRank(*last)) return number + "insufficient bid";
            std::optional<Seat>& first =
                firstToName[isNorthSouth(seat) ? 0 : 1][static_cast<int>(bid.strain)];
            if (!first) first = seat;
            last = bid;
            bidder = seat;
        } else if (call == Call::Double) {
            if (!opponents || last->doubling != Doubling::Undoubled)
                return number + "a double not allowed";
            last->doubling = Doubling::Doubled;
        } else {
            if (!last || opponents || last->doubling != Doubling::Doubled)
                return number + "a redouble not allowed";
            last->doubling = Doubling::Redoubled;
        }
        passes = 0;
    }
    if (last) {
        bidding = Bidding::Contract;
        board.contract = last;
        board.declarer = firstToName[isNorthSouth(bidder) ? 0 : 1][static_cast<int>(last->strain)];
        board.leader = nextSeat(*board.declarer);
    } else {
        bidding = ended ? Bidding::PassedOut : Bidding::Unknown;
    }
    return "";
}

// A claim: 0 to 13 tricks.
bool readClaim(std::string_view text, int& tricks) {
    text = trimmed(text);
    if (text.empty() || text.size() > 2) return false;
    tricks = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        tricks = tricks * 10 + (c - '0');
    }
    return tricks <= 13;
}

// The fields of one record, in the order they are checked.
struct Record {
    std::optional<std::string_view> deal, vulnerable, title, boardId, claim;
    std::vector<std::string_view> calls, cards;
    bool twoDeals = false;
};

Record fieldsOf(std::string_view text) {
    std::vector<std::string_view> parts;
    for (size_t bar; (bar = text.find('|')) != std::string_view::npos;) {
        parts.push_back(text.substr(0, bar));
        text.remove_prefix(bar + 1);
    }
    Record record;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string key = lower(trimmed(parts[i]));
        const std::string_view value = parts[i + 1];
        if (key == "md") {
            record.twoDeals = record.twoDeals || record.deal.has_value();
            record.deal = value;
        } else if (key == "sv") {
            record.vulnerable = value;
        } else if (key == "ah") {
            record.title = value;
        } else if (key == "qx") {
            record.boardId = value;
        } else if (key == "mb") {
            record.calls.push_back(value);
        } else if (key == "pc") {
            record.cards.push_back(value);
        } else if (key == "mc") {
            record.claim = value;
        }
    }
    return record;
}

// The board's number when the title is "Board N", as the hand viewer writes
// it, so that a board has the name its PBN Board tag would give.
std::string boardName(std::string_view title) {
    title = trimmed(title);
    const std::string_view word = "board ";
    if (title.size() > word.size() && lower(title.substr(0, word.size())) == word)
        return std::string(trimmed(title.substr(word.size())));
    return std::string(title);
}

void readRecord(const Record& record, PlayedBoard& board) {
    if (record.title) {
        board.name = boardName(*record.title);
    } else if (record.boardId) {
        board.name = std::string(trimmed(*record.boardId));
    }
    if (!record.deal) {
        board.error = "no deal (md|)";
        return;
    }
    if (record.twoDeals) {
        board.error = "two deals (md|) on one line";
        return;
    }
    board.error = readDealField(*record.deal, board);
    if (!board.error.empty()) return;
    if (record.vulnerable && !readVulnerability(*record.vulnerable, board.vulnerability)) {
        board.error = "unknown sv| " + quoted(*record.vulnerable);
        return;
    }
    Bidding bidding = Bidding::Unknown;
    board.error = readAuction(record.calls, board, bidding);
    if (!board.error.empty()) return;
    if (bidding != Bidding::Contract) {
        if (!record.cards.empty()) {
            board.error = bidding == Bidding::PassedOut
                              ? "cards played on a passed-out board"
                              : "cards played but the contract is unknown";
        } else if (record.claim) {
            board.error = "a claim without a contract";
        }
        return;
    }
    PlayTracker tracker(board.deal, board.contract->strain, *board.leader);
    for (const std::string_view text : record.cards) {
        Card card;
        if (!Card::fromText(text, card)) {
            board.error = trickFault(tracker.trickNumber(), "unknown card " + quoted(text));
            return;
        }
        board.error = tracker.play(card);
        if (!board.error.empty()) return;
        board.play.push_back(card);
    }
    if (record.claim) {
        int tricks = 0;
        if (!readClaim(*record.claim, tricks)) {
            board.error = "a claim of " + quoted(*record.claim) + " tricks, not 0 to 13";
            return;
        }
        board.claim = tricks;
        checkClaim(tracker, board);
    }
}

}  // namespace

}  // namespace reading

std::vector<PlayedBoard> readLinBoards(std::string_view text) {
    std::vector<PlayedBoard> boards;
    int number = 0;
    reading::forEachLine(text, [&](std::string_view line) {
        ++number;
        if (reading::trimmed(line).empty()) return;
        const std::string text = reading::recordOf(line);
        const reading::Record record = reading::fieldsOf(text);
        const bool header = text.find('|') != std::string::npos && !record.deal &&
                            record.calls.empty() && record.cards.empty() && !record.claim;
        if (header) return;
        PlayedBoard& board = boards.emplace_back();
        board.line = number;
        if (text.find('|') == std::string::npos) {
            board.error = "not a LIN record";
            return;
        }
        reading::readRecord(record, board);
    });
    return boards;
}

}  // namespace ddsolver
