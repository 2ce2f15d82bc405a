// Annotation of PBN game files. Each input is held as its lines, line ends
// included; DealReader reads the same text into deal records, and a record
// whose line is a game's Deal tag belongs to that game. The lines are written
// out as the records come back in order, so the output follows the batch.
#include "apps/ddtable/Annotate.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "apps/ddtable/BatchRunner.h"

namespace ddtable {

using namespace ddsolver;

namespace {

const char TABLE_TAG[] = "OptimumResultTable";
const Seat TABLE_DECLARERS[] = {Seat::North, Seat::South, Seat::East, Seat::West};
const Strain TABLE_STRAINS[] = {Strain::NoTrump, Strain::Spades, Strain::Hearts, Strain::Diamonds,
                                Strain::Clubs};

// A game's lines: [begin, end), its Deal tag at dealLine. A game starts with
// the block of tags it is in (or at its Deal tag when a block has several)
// and ends at a blank line, the next Deal tag or the end of the input.
struct Game {
    std::size_t begin = 0, dealLine = 0, end = 0;
    std::string tags;  // the new tags; empty: the game is copied as it was
};

struct Source {
    std::string name;
    std::vector<std::string> lines;  // each with its line end, if it had one
    std::vector<int> oldTagOf;       // per line: the game whose earlier annotation it is, or -1
    std::vector<Game> games;
    std::size_t written = 0;   // lines written so far
    std::size_t nextGame = 0;  // the first game whose Deal tag is not written yet
};

std::string withoutLineEnd(const std::string& line) {
    std::size_t length = line.size();
    if (length > 0 && line[length - 1] == '\n') --length;
    if (length > 0 && line[length - 1] == '\r') --length;
    return line.substr(0, length);
}

// The tag name of a line "[Name "value"]", as DealReader reads it; empty for other lines.
std::string tagName(const std::string& line) {
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] != '[') return "";
    std::size_t quote = line.find('"', start);
    if (quote == std::string::npos) return "";
    std::string name = line.substr(start + 1, quote - start - 1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    return name;
}

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r\n") == std::string::npos;
}

// A row of an OptimumResultTable: declarer, strain, tricks ("N NT 6").
bool isTableRow(const std::string& line) {
    std::istringstream words(line);
    std::string declarer, strain, tricks, rest;
    Seat seat;
    Strain parsedStrain;
    if (!(words >> declarer >> strain >> tricks) || (words >> rest)) return false;
    if (!seatFromText(declarer, seat) || !strainFromText(strain, parsedStrain)) return false;
    return tricks.size() <= 2 && tricks.find_first_not_of("0123456789") == std::string::npos;
}

// Cuts the text into lines and finds its games and the lines of earlier annotations.
void scanSource(const std::string& text, Source& source) {
    for (std::size_t at = 0; at < text.size();) {
        std::size_t next = text.find('\n', at);
        next = next == std::string::npos ? text.size() : next + 1;
        source.lines.push_back(text.substr(at, next - at));
        at = next;
    }
    const std::size_t count = source.lines.size();
    source.oldTagOf.assign(count, -1);
    std::size_t blockStart = 0;
    bool inGame = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& line = source.lines[i];
        if (isBlank(line)) {
            if (inGame) source.games.back().end = i;
            inGame = false;
            blockStart = i + 1;
            continue;
        }
        std::string name = tagName(line);
        if (name == "Deal") {
            if (inGame) source.games.back().end = i;
            Game game;
            game.begin = inGame ? i : blockStart;
            game.dealLine = i;
            game.end = count;
            source.games.push_back(game);
            inGame = true;
        }
    }
    // Earlier annotations inside a game: the three tags and the table's rows.
    for (std::size_t g = 0; g < source.games.size(); ++g) {
        const Game& game = source.games[g];
        for (std::size_t i = game.begin; i < game.end; ++i) {
            std::string name = tagName(source.lines[i]);
            if (name != "OptimumScore" && name != "ParContract" && name != TABLE_TAG) continue;
            source.oldTagOf[i] = static_cast<int>(g);
            if (name != TABLE_TAG) continue;
            while (i + 1 < game.end && isTableRow(withoutLineEnd(source.lines[i + 1])))
                source.oldTagOf[++i] = static_cast<int>(g);
        }
    }
}

// "NS 4S", "EW 4HX", "W 3NT": the declaring side (or the one seat that makes
// the contract), level and strain, X when doubled.
std::string parContractText(const ParContract& contract) {
    static const char* const SEATS[] = {"N", "E", "S", "W", "NS", "EW"};
    std::string text =
        contract.seats >= 0 && contract.seats <= PAR_SEATS_EW ? SEATS[contract.seats] : "?";
    text += ' ' + std::to_string(contract.level) + strainText(contract.strain);
    return contract.doubled ? text + 'X' : text;
}

std::string annotationTags(const DealAnalysis& analysis, const std::string& lineEnd) {
    std::string tags;
    if (analysis.parKnown) {
        const ParResult& par = analysis.dealerPar;
        const long long score = par.score;
        tags += "[OptimumScore \"" + std::string(score < 0 ? "EW " : "NS ") +
                std::to_string(score < 0 ? -score : score) + "\"]" + lineEnd;
        std::string contracts = par.count == 0 ? "NS Pass" : "";
        for (int i = 0; i < par.count; ++i)
            contracts += (i > 0 ? "," : "") + parContractText(par.contracts[i]);
        tags += "[ParContract \"" + contracts + "\"]" + lineEnd;
    }
    tags += std::string("[") + TABLE_TAG + " \"Declarer;Denomination\\2R;Result\\2R\"]" + lineEnd;
    for (Seat declarer : TABLE_DECLARERS) {
        for (Strain strain : TABLE_STRAINS) {
            tags += seatLetter(declarer) + std::string(" ") + strainText(strain) + " " +
                    std::to_string(analysis.table.at(strain, declarer)) + lineEnd;
        }
    }
    return tags;
}

void writeText(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// Writes the source's lines up to `limit`, the annotated games with their new tags.
void writeLines(Source& source, std::size_t limit) {
    std::size_t& game = source.nextGame;
    for (std::size_t i = source.written; i < limit; ++i) {
        const int oldTagOf = source.oldTagOf[i];
        if (oldTagOf >= 0 && !source.games[oldTagOf].tags.empty()) continue;
        const std::string& line = source.lines[i];
        writeText(line);
        while (game < source.games.size() && source.games[game].dealLine < i) ++game;
        if (game < source.games.size() && source.games[game].dealLine == i &&
            !source.games[game].tags.empty()) {
            if (line.empty() || line.back() != '\n') writeText("\n");  // the input's last line
            writeText(source.games[game].tags);
        }
    }
    if (limit > source.written) source.written = limit;
}

// The whole input; false when it cannot be read (a directory fails only
// when read, and the stream then throws).
bool readInput(const std::string& file, std::string& text) {
    try {
        if (file == "-") {
            text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
            return true;
        }
        std::ifstream in(file, std::ios::binary);
        if (!in) return false;
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !in.bad();
    } catch (const std::ios_base::failure&) {
        return false;
    }
}

}  // namespace

int runAnnotate(const std::vector<std::string>& files,
                std::optional<Vulnerability> defaultVulnerability, int workers, bool quiet) {
    bool failed = false;
    std::vector<Source> sources;
    std::vector<DealRecord> records;
    struct GameOf {
        int source = -1, game = -1;  // -1: a malformed line outside any game
    };
    std::vector<GameOf> gameOf;  // per record
    for (const std::string& file : files) {
        std::string text;
        if (!readInput(file, text)) {
            std::fprintf(stderr, "ddtable: %s: cannot be read\n", file.c_str());
            failed = true;
            continue;
        }
        Source source;
        source.name = file == "-" ? "<stdin>" : file;
        scanSource(text, source);
        std::vector<DealRecord> read;
        std::istringstream in(text);
        readDeals(in, source.name, defaultVulnerability, read);
        for (DealRecord& record : read) {
            GameOf place;
            auto game = std::lower_bound(
                source.games.begin(), source.games.end(), record.line,
                [](const Game& g, int line) { return g.dealLine + 1 < std::size_t(line); });
            if (game != source.games.end() && game->dealLine + 1 == std::size_t(record.line)) {
                place.source = static_cast<int>(sources.size());
                place.game = static_cast<int>(game - source.games.begin());
            }
            // A well-formed deal outside the games is a bare deal line: nothing to annotate.
            if (place.game < 0 && record.error.empty()) continue;
            records.push_back(std::move(record));
            gameOf.push_back(place);
        }
        sources.push_back(std::move(source));
    }

    Progress progress(records.size(), !quiet && isatty(STDERR_FILENO));
    std::size_t delivered = 0;
    auto sink = [&](const DealRecord& record, bool solved, const DealAnalysis& analysis) {
        const GameOf place = gameOf[delivered++];
        if (!solved) {
            reportUnsolved(record, progress);
            failed = true;
        }
        if (place.game < 0) return;
        Source& source = sources[place.source];
        Game& game = source.games[place.game];
        if (solved) {
            const std::string& dealLine = source.lines[game.dealLine];
            const bool crlf =
                dealLine.size() >= 2 && dealLine.compare(dealLine.size() - 2, 2, "\r\n") == 0;
            game.tags = annotationTags(analysis, crlf ? "\r\n" : "\n");
        }
        for (int s = 0; s < place.source; ++s) writeLines(sources[s], sources[s].lines.size());
        writeLines(source, game.end);
        std::fflush(stdout);
    };
    runBatch(records, workers, analyseRecord, sink, progress);
    for (Source& source : sources) writeLines(source, source.lines.size());
    std::fflush(stdout);
    return failed ? 1 : 0;
}

}  // namespace ddtable
