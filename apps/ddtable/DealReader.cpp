// Line-by-line reading of bare deal lines and PBN game files. Bare lines are
// read here; from the first tag on, the lines go to the library's PBN game
// reader (the one that reads played boards), and each game's deal, dealer,
// vulnerability and board name become a record.
#include "apps/ddtable/DealReader.h"

#include "analysis/PbnGames.h"

namespace ddtable {

using namespace ddsolver;

void readDeals(std::istream& in, const std::string& source,
               std::optional<Vulnerability> defaultVulnerability,
               std::vector<DealRecord>& records) {
    std::string line;
    int lineNumber = 0;
    bool gameFile = false;
    reading::PbnGameSplitter games;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        gameFile = gameFile || reading::isTagLine(line);
        if (gameFile) {
            games.line(lineNumber, line);
            continue;
        }
        const size_t start = line.find_first_not_of(" \t");
        if (start != std::string::npos && line[start] == '%') continue;  // PBN comment
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        DealRecord record;
        record.source = source;
        record.line = lineNumber;
        reading::readDealText(line, record.deal, record.dealer, record.error);
        record.vulnerability = defaultVulnerability;
        records.push_back(record);
    }
    for (const reading::PbnGame& game : games.finish()) {
        DealRecord record;
        record.source = source;
        if (!game.hasDeal) {  // kept for its malformed tag
            record.line = game.errorLine;
            record.error = game.error;
            records.push_back(record);
            continue;
        }
        PlayedBoard board;
        reading::readGameHeader(game, board);
        record.line = board.line;
        record.board = board.name;
        record.deal = board.deal;
        record.dealer = board.dealer;
        record.vulnerability = board.vulnerability ? board.vulnerability : defaultVulnerability;
        record.error = board.error;
        records.push_back(record);
    }
}

}  // namespace ddtable
