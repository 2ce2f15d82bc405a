// The browser module: the library's bridge calls for the analysis page, each
// taking text and returning one JSON object as text. A refusal comes back as
// {"error": "..."} with a short message for the page to show; nothing the
// page passes in can stop the module. One solver serves every call (the page
// runs the module in one worker), so its memory carries over from one card
// of a play to the next and across the four leaders of a strain.
#include <emscripten/bind.h>
#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ddsolver/BridgeSolver.h"
#include "ddsolver/Constraint.h"
#include "ddsolver/Deal.h"
#include "ddsolver/Par.h"
#include "ddsolver/PlayReview.h"
#include "ddsolver/PlayedBoard.h"
#include "ddsolver/Simulation.h"
#include "ddsolver/Status.h"
#include "ddsolver/Table.h"
#include "ddsolver/Version.h"

using namespace ddsolver;

namespace {

// A JSON string: quotes, backslashes and control characters escaped.
std::string quoted(std::string_view value) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : value) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += "\\u00";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out + '"';
}

// A JSON object written field by field.
class Json {
   public:
    Json& key(std::string_view name) {
        out_ += first_ ? "" : ",";
        first_ = false;
        out_ += quoted(name) + ":";
        return *this;
    }
    Json& text(std::string_view value) { return raw(quoted(value)); }
    Json& number(double value) { return raw(std::to_string(value)); }
    Json& integer(long long value) { return raw(std::to_string(value)); }
    Json& raw(std::string_view value) {
        out_ += value;
        return *this;
    }
    std::string done() { return out_ + "}"; }

   private:
    std::string out_ = "{";
    bool first_ = true;
};

std::string failure(const std::string& message) {
    return Json().key("error").text(message).done();
}

template <typename T, typename Write>
std::string list(const std::vector<T>& items, Write write) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + write(items[i]);
    return out + "]";
}

std::string seatText(Seat seat) {
    return std::string(1, seatLetter(seat));
}

BridgeSolver& solver() {
    static BridgeSolver shared;
    return shared;
}

bool readFullDeal(const std::string& text, Deal& deal, std::string& message) {
    std::string reason;
    const Status status = Deal::fromPbn(text, deal, DealSize::Full, &reason);
    if (status == Status::Ok) return true;
    message = reason.empty() ? describe(status) : reason;
    return false;
}

// Cards as the page writes them: "SA HT C2", blanks or commas between.
bool readCards(const std::string& text, std::vector<Card>& cards, std::string& message) {
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text[at] == ' ' || text[at] == ',')) ++at;
        size_t end = at;
        while (end < text.size() && text[end] != ' ' && text[end] != ',') ++end;
        if (end == at) break;
        Card card;
        if (!Card::fromText(std::string_view(text).substr(at, end - at), card)) {
            message = "not a card: \"" + text.substr(at, end - at) + "\"";
            return false;
        }
        cards.push_back(card);
        at = end;
    }
    return true;
}

// The cards played so far laid out as a position: the hands, the trick on
// the table and the tricks each side has won. A card its player does not
// hold, a revoke or a card after the last trick stops the replay.
struct Replay {
    Position position;
    int won[2] = {0, 0};  // by Side
    int played = 0;
    std::string refusal;

    Seat toMove() const {
        Seat seat = position.leader;
        for (int i = 0; i < position.trickCount; ++i) seat = nextSeat(seat);
        return seat;
    }

    bool play(Card card) {
        const Seat seat = toMove();
        if (position.hands.count(seat) == 0) {
            refusal = "the play is over: " + card.text() + " is one card too many";
            return false;
        }
        if (!position.hands.holds(seat, card)) {
            refusal = card.text() + " is not " + seatText(seat) + "'s card";
            return false;
        }
        if (position.trickCount > 0) {
            const Suit led = position.trick[0].suit();
            if (card.suit() != led && position.hands.count(seat, led) > 0) {
                refusal = seatText(seat) + " must follow suit, not play " + card.text();
                return false;
            }
        }
        position.hands.remove(card);
        ++played;
        if (position.trickCount < 3) {
            position.trick[position.trickCount++] = card;
            return true;
        }
        // The fourth card: the highest trump wins, else the highest of the suit led.
        const Card cards[4] = {position.trick[0], position.trick[1], position.trick[2], card};
        int best = 0;
        for (int i = 1; i < 4; ++i) {
            const bool trumps = position.strain != Strain::NoTrump &&
                                strainOf(cards[i].suit()) == position.strain;
            const bool bestTrumps = position.strain != Strain::NoTrump &&
                                    strainOf(cards[best].suit()) == position.strain;
            if (trumps != bestTrumps) {
                if (trumps) best = i;
            } else if (cards[i].suit() == cards[best].suit() &&
                       cards[i].rank() > cards[best].rank()) {
                best = i;
            }
        }
        Seat winner = position.leader;
        for (int i = 0; i < best; ++i) winner = nextSeat(winner);
        ++won[static_cast<int>(sideOf(winner))];
        position.leader = winner;
        position.trickCount = 0;
        position.trick = {};
        return true;
    }
};

bool readStrainText(const std::string& text, Strain& strain, std::string& message) {
    if (strainFromText(text, strain)) return true;
    message = "unknown strain \"" + text + "\" (S, H, D, C or NT)";
    return false;
}

bool readSeatText(const std::string& text, Seat& seat, std::string& message) {
    if (seatFromText(text, seat)) return true;
    message = "unknown seat \"" + text + "\" (N, E, S or W)";
    return false;
}

// Deal text of any of the forms the page accepts: bare PBN deal text, a PBN
// game file, a LIN record or a hand-viewer URL. The first board counts.
std::string readDeal(const std::string& input) {
    std::string_view text = input;
    while (!text.empty() && (text.front() == ' ' || text.front() == '\n' || text.front() == '\r' ||
                             text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\r' ||
                             text.back() == '\t'))
        text.remove_suffix(1);
    if (text.empty()) return failure("no deal given");
    const bool game = text.front() == '[' || text.front() == '%';
    const bool lin = text.find('|') != std::string_view::npos ||
                     text.find("lin=") != std::string_view::npos;
    if (!game && !lin) {
        Deal deal;
        std::string message;
        if (!readFullDeal(std::string(text), deal, message)) return failure(message);
        return Json().key("deal").text(deal.toPbn()).done();
    }
    const std::vector<PlayedBoard> boards = game ? readPbnGames(text) : readLinBoards(text);
    if (boards.empty()) return failure(game ? "no Deal tag found" : "no LIN board found");
    const PlayedBoard& board = boards.front();
    if (!board.error.empty()) return failure(board.error);
    Json out;
    out.key("deal").text(board.deal.toPbn());
    out.key("dealer").text(seatText(board.dealer));
    if (board.vulnerability) out.key("vul").text(vulnerabilityText(*board.vulnerability));
    if (!board.name.empty()) out.key("name").text(board.name);
    if (board.contract && board.declarer) {
        const BridgeContract& contract = *board.contract;
        std::string name = std::to_string(contract.level) + strainText(contract.strain);
        if (contract.doubling == Doubling::Doubled) name += "x";
        if (contract.doubling == Doubling::Redoubled) name += "xx";
        out.key("contract").text(name);
        out.key("strain").text(strainText(contract.strain));
        out.key("declarer").text(seatText(*board.declarer));
        out.key("play").raw(list(board.play, [](Card c) { return quoted(c.text()); }));
    }
    return out.done();
}

std::string randomDeal(double seed) {
    KnownCards cards;
    if (KnownCards::fromText("N:- - - -", "", cards) != Status::Ok) return failure("no deck");
    Deal deal;
    uint64_t tries = 0;
    Dealer dealer(cards);
    dealer.deal(static_cast<uint64_t>(seed), 0, {}, deal, tries);
    return Json().key("deal").text(deal.toPbn()).done();
}

// The four declarers' tricks in one strain (N, E, S, W).
std::string solveStrain(const std::string& dealText, const std::string& strainName) {
    Deal deal;
    Strain strain;
    std::string message;
    if (!readFullDeal(dealText, deal, message) || !readStrainText(strainName, strain, message))
        return failure(message);
    DdTable table;
    const Status status = solveTable(solver(), deal, table, 1u << static_cast<int>(strain));
    if (status != Status::Ok) return failure(describe(status));
    std::string tricks = "[";
    for (Seat seat : ALL_SEATS) tricks += (seat == Seat::North ? "" : ",") +
                                          std::to_string(table.at(strain, seat));
    return Json().key("tricks").raw(tricks + "]").done();
}

// Par of a table given as twenty numbers, strains S H D C NT, each N E S W.
std::string par(const std::string& tricksText, const std::string& dealerText,
                const std::string& vulText) {
    DdTable table;
    size_t at = 0;
    for (int i = 0; i < 20; ++i) {
        while (at < tricksText.size() && (tricksText[at] == ' ' || tricksText[at] == ',')) ++at;
        if (at >= tricksText.size() || tricksText[at] < '0' || tricksText[at] > '9')
            return failure("a table needs twenty trick counts");
        int value = 0;
        while (at < tricksText.size() && tricksText[at] >= '0' && tricksText[at] <= '9' &&
               value <= 13)
            value = value * 10 + (tricksText[at++] - '0');
        if (value > 13) return failure("a trick count above 13");
        table.tricks[i / 4][i % 4] = value;
    }
    Seat dealer;
    Vulnerability vulnerability;
    std::string message;
    if (!readSeatText(dealerText, dealer, message)) return failure(message);
    if (!vulnerabilityFromText(vulText, vulnerability))
        return failure("unknown vulnerability \"" + vulText + "\" (None, NS, EW or All)");
    const ParResult result = dealerPar(table, dealer, vulnerability);
    std::vector<std::string> contracts;
    for (int i = 0; i < result.count; ++i)
        contracts.push_back(dealerParContractText(result.contracts[i]));
    const ParResult ns = sidesPar(table, Side::NorthSouth, vulnerability);
    const ParResult ew = sidesPar(table, Side::EastWest, vulnerability);
    Json out;
    out.key("score").integer(result.score);
    out.key("contracts").raw(list(contracts, [](const std::string& c) { return quoted(c); }));
    out.key("ns").text(parScoreText(ns, Side::NorthSouth));
    out.key("ew").text(parScoreText(ew, Side::EastWest));
    out.key("contracts_ns").text(sidesParContractsText(ns, Side::NorthSouth));
    out.key("contracts_ew").text(sidesParContractsText(ew, Side::EastWest));
    return out.done();
}

// A deal, its strain, the opening leader and the cards played so far.
struct Play {
    Deal deal;
    Strain strain = Strain::NoTrump;
    Seat leader = Seat::North;
    std::vector<Card> cards;
};

bool readPlay(const std::string& dealText, const std::string& strainName,
              const std::string& leaderName, const std::string& cardsText, Play& play,
              std::string& message) {
    return readFullDeal(dealText, play.deal, message) &&
           readStrainText(strainName, play.strain, message) &&
           readSeatText(leaderName, play.leader, message) &&
           readCards(cardsText, play.cards, message);
}

// The position after the cards played: whose turn it is, the trick on the
// table, the tricks won, and every legal card's value as the tricks its
// side ends the deal with (those won plus those still to come).
std::string position(const std::string& dealText, const std::string& strainName,
                     const std::string& leaderName, const std::string& cardsText) {
    Play play;
    std::string message;
    if (!readPlay(dealText, strainName, leaderName, cardsText, play, message))
        return failure(message);
    Replay replay;
    replay.position.hands = play.deal;
    replay.position.strain = play.strain;
    replay.position.leader = play.leader;
    for (Card card : play.cards)
        if (!replay.play(card)) break;
    Json out;
    const Position& now = replay.position;
    const Seat seat = replay.toMove();
    out.key("played").integer(replay.played);
    if (!replay.refusal.empty()) out.key("refusal").text(replay.refusal);
    out.key("toMove").text(seatText(seat));
    out.key("leader").text(seatText(now.leader));
    std::vector<Card> trick(now.trick.begin(), now.trick.begin() + now.trickCount);
    out.key("trick").raw(list(trick, [](Card c) { return quoted(c.text()); }));
    out.key("wonNS").integer(replay.won[0]);
    out.key("wonEW").integer(replay.won[1]);
    std::vector<CardValue> values;
    if (now.hands.count(seat) > 0) {
        const Status status = solver().cardValues(now, values);
        if (status != Status::Ok) return failure(describe(status));
    }
    const int won = replay.won[static_cast<int>(sideOf(seat))];
    out.key("values").raw(list(values, [won](const CardValue& v) {
        return "[" + quoted(v.card.text()) + "," + std::to_string(won + v.tricks) + "]";
    }));
    return out.done();
}

// The review of a played sequence: declarer's side's tricks after each card,
// its cost to the side that played it, and the cards that kept the optimum.
std::string review(const std::string& dealText, const std::string& strainName,
                   const std::string& leaderName, const std::string& cardsText) {
    Play play;
    std::string message;
    if (!readPlay(dealText, strainName, leaderName, cardsText, play, message))
        return failure(message);
    PlayReview result;
    const Status status =
        reviewPlay(solver(), play.deal, play.strain, play.leader, play.cards, result,
                   ReviewDetail::Optimal);
    Json out;
    out.key("start").integer(result.start);
    out.key("cards").raw(list(result.cards, [](const PlayedCardReview& c) {
        return Json()
            .key("seat")
            .text(seatText(c.seat))
            .key("card")
            .text(c.card.text())
            .key("tricks")
            .integer(c.tricks)
            .key("cost")
            .integer(c.cost)
            .key("optimal")
            .raw(list(c.optimal, [](Card o) { return quoted(o.text()); }))
            .done();
    }));
    out.key("refused").integer(result.refusedCard);
    if (status != Status::Ok) out.key("message").text(describe(status));
    return out.done();
}

// A short simulation of one contract (and, when the leader's hand is known,
// its opening leads): the histogram of declarer's tricks, the make
// percentage, and each lead's average. The page hears of the progress
// through its ddProgress function, when it has one.
std::string simulateContract(const std::string& dealText, const std::string& where,
                             const std::string& contractName, int deals, double seed,
                             const std::string& vulText, bool leads) {
    SimulationOptions options;
    std::string reason;
    Status status = KnownCards::fromText(dealText, "", options.cards, &reason);
    if (status != Status::Ok) return failure(reason.empty() ? describe(status) : reason);
    ConstraintError error;
    if (Constraint::compile(where, options.constraint, &error) != Status::Ok)
        return failure("constraint, column " + std::to_string(error.column) + ": " +
                       error.message);
    SimContract contract;
    if (contractFromText(contractName, contract) != Status::Ok)
        return failure("contract \"" + contractName + "\": level, strain and declarer, as 4S-N");
    Vulnerability vulnerability;
    if (!vulnerabilityFromText(vulText, vulnerability))
        return failure("unknown vulnerability \"" + vulText + "\"");
    if (deals < 1 || deals > 100000) return failure("deals: 1 to 100000");
    options.contracts.push_back(contract);
    options.seed = static_cast<uint64_t>(seed);
    options.end = static_cast<uint64_t>(deals);
    options.threads = 1;
    options.maxTries = 1000000;
    if (leads) {
        const Seat leader = nextSeat(contract.declarer);
        if (options.cards.missing(leader) == 0) options.leader = static_cast<int>(leader);
    }
    SimulationReport report = SimulationReport::start(options, vulnerability);
    SimulationRun run;
    status = simulate(
        options,
        [&](const SimulatedDeal& deal) {
            report.add(deal);
            if (report.deals % 8 == 0)
                EM_ASM({ if (typeof ddProgress === 'function') ddProgress($0, $1); },
                       static_cast<double>(report.deals), static_cast<double>(deals));
        },
        run);
    if (status != Status::Ok && report.deals == 0) return failure(describe(status));
    const ContractReport& result = report.contracts.front();
    const auto interval = result.makeInterval95();
    std::vector<uint64_t> tricks(result.tricks.begin(), result.tricks.end());
    Json out;
    out.key("deals").integer(static_cast<long long>(report.deals));
    if (status != Status::Ok) out.key("message").text(describe(status));
    out.key("contract").text(contractText(contract));
    out.key("tricks").raw(list(tricks, [](uint64_t n) { return std::to_string(n); }));
    out.key("makePercent").number(result.makePercent());
    out.key("makeLow").number(interval[0]);
    out.key("makeHigh").number(interval[1]);
    out.key("averageScore")
        .number(result.averageScore(isVulnerable(vulnerability, sideOf(contract.declarer))));
    std::vector<LeadReport> leadReports = report.leads;
    out.key("leads").raw(list(leadReports, [&](const LeadReport& lead) {
        return Json()
            .key("card")
            .text(lead.card.text())
            .key("defenceTricks")
            .number(lead.averageDefenceTricks())
            .key("beatsPercent")
            .number(lead.beatsPercent(contract.level + 6))
            .done();
    }));
    return out.done();
}

std::string moduleVersion() {
    return Json().key("version").text(DDSOLVER_VERSION_STRING).done();
}

}  // namespace

EMSCRIPTEN_BINDINGS(ddsolver) {
    emscripten::function("version", &moduleVersion);
    emscripten::function("readDeal", &readDeal);
    emscripten::function("randomDeal", &randomDeal);
    emscripten::function("solveStrain", &solveStrain);
    emscripten::function("par", &par);
    emscripten::function("position", &position);
    emscripten::function("review", &review);
    emscripten::function("simulate", &simulateContract);
}
