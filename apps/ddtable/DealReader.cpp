// Line-by-line reading of bare deal lines and PBN game files. A game's tags
// are gathered until a blank line, the end of input or the next Deal tag.
#include "apps/ddtable/DealReader.h"

namespace ddtable {

using namespace ddsolver;

namespace {

// A PBN deal text into the record: its deal, or the reason it is refused,
// and its first seat as the dealer.
void readDealText(const std::string& text, DealRecord& record) {
    std::string reason;
    if (Deal::fromPbn(text, record.deal, DealSize::Full, &reason) != Status::Ok) {
        record.error = reason;
        return;
    }
    const size_t start = text.find_first_not_of(" \t\r\n");
    if (start != std::string::npos && start + 1 < text.size() && text[start + 1] == ':') {
        seatFromText(text.substr(start, 1), record.dealer);
    }
}

// The tags of the game being read.
struct Game {
    bool hasDeal = false;
    int dealLine = 0;
    std::string dealText, dealer, vulnerable, board;
    bool hasDealer = false, hasVulnerable = false;
    std::string error;  // a malformed tag of this game
    int errorLine = 0;
};

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

// "[Name "value"]" into name and value; false when the line is not of that form.
bool parseTag(const std::string& line, std::string& name, std::string& value) {
    size_t open = line.find('['), quote = line.find('"'), close = line.rfind('"');
    size_t end = line.rfind(']');
    if (open == std::string::npos || quote == std::string::npos || close <= quote ||
        end == std::string::npos || end < close) {
        return false;
    }
    name = line.substr(open + 1, quote - open - 1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    value = line.substr(quote + 1, close - quote - 1);
    return !name.empty();
}

void finishGame(Game& game, const std::string& source,
                std::optional<Vulnerability> defaultVulnerability,
                std::vector<DealRecord>& records) {
    if (!game.hasDeal) {
        if (!game.error.empty()) {
            DealRecord record;
            record.source = source;
            record.line = game.errorLine;
            record.error = game.error;
            records.push_back(record);
        }
        game = Game();
        return;
    }
    DealRecord record;
    record.source = source;
    record.line = game.dealLine;
    record.board = game.board;
    readDealText(game.dealText, record);
    record.vulnerability = defaultVulnerability;
    if (record.error.empty() && !game.error.empty()) {
        record.error = game.error;
        record.line = game.errorLine;
    }
    if (record.error.empty() && game.hasDealer) {
        if (!seatFromText(game.dealer, record.dealer))
            record.error = "unknown Dealer \"" + game.dealer + "\"";
    }
    if (record.error.empty() && game.hasVulnerable) {
        Vulnerability vulnerability;
        if (vulnerabilityFromText(game.vulnerable, vulnerability)) {
            record.vulnerability = vulnerability;
        } else {
            record.error = "unknown Vulnerable \"" + game.vulnerable + "\"";
        }
    }
    records.push_back(record);
    game = Game();
}

}  // namespace

void readDeals(std::istream& in, const std::string& source,
               std::optional<Vulnerability> defaultVulnerability,
               std::vector<DealRecord>& records) {
    std::string line;
    int lineNumber = 0;
    bool gameFile = false;
    Game game;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t start = line.find_first_not_of(" \t");
        if (start != std::string::npos && line[start] == '%') continue;  // PBN comment
        if (start != std::string::npos && line[start] == '[') {
            gameFile = true;
            std::string name, value;
            if (!parseTag(line, name, value)) {
                if (game.error.empty()) {
                    game.error = "malformed tag";
                    game.errorLine = lineNumber;
                }
                continue;
            }
            if (name == "Deal") {
                if (game.hasDeal) finishGame(game, source, defaultVulnerability, records);
                game.hasDeal = true;
                game.dealLine = lineNumber;
                game.dealText = value;
            } else if (name == "Dealer") {
                game.hasDealer = true;
                game.dealer = value;
            } else if (name == "Vulnerable") {
                game.hasVulnerable = true;
                game.vulnerable = value;
            } else if (name == "Board") {
                game.board = value;
            }
            continue;
        }
        if (isBlank(line)) {
            finishGame(game, source, defaultVulnerability, records);
            continue;
        }
        if (gameFile) continue;  // auction, play or commentary of a game
        DealRecord record;
        record.source = source;
        record.line = lineNumber;
        readDealText(line, record);
        record.vulnerability = defaultVulnerability;
        records.push_back(record);
    }
    finishGame(game, source, defaultVulnerability, records);
}

}  // namespace ddtable
