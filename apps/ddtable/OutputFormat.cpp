// Text, CSV and JSON Lines records of a deal's table and par. Tables are laid
// out as players read them: strains NT, S, H, D, C and declarers N, S, E, W.
#include "apps/ddtable/OutputFormat.h"

#include <cctype>
#include <cstdio>

#include "apps/common/Text.h"

namespace ddtable {

using namespace ddsolver;

using apps::jsonString;

namespace {

const Strain STRAIN_ROWS[] = {Strain::NoTrump, Strain::Spades, Strain::Hearts, Strain::Diamonds,
                              Strain::Clubs};
const Seat DECLARER_COLUMNS[] = {Seat::North, Seat::South, Seat::East, Seat::West};

std::string seatName(Seat seat) {
    return std::string(1, seatLetter(seat));
}

// The vulnerability as written when par is known, `unknown` otherwise.
std::string vulnerabilityOf(const DealRecord& record, const DealAnalysis& analysis,
                            const std::string& unknown) {
    return analysis.parKnown && record.vulnerability ? vulnerabilityText(*record.vulnerability)
                                                     : unknown;
}

// A board number stays a number; other board names are strings.
std::string jsonBoard(const std::string& board) {
    if (board.empty()) return "null";
    bool numeric = board.size() < 10;
    for (char c : board) numeric = numeric && std::isdigit(static_cast<unsigned char>(c));
    return numeric && board[0] != '0' ? board : jsonString(board);
}

// A field holding a comma, a quote or a line break (a carriage return, which
// a board name may hold, included) is quoted, as CSV readers expect.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// The dealer-aware par contracts joined by spaces: "3C*-EW-1 2N*-EW-1", or "pass".
std::string dealerContracts(const ParResult& par) {
    if (par.count == 0) return "pass";
    std::string text;
    for (int i = 0; i < par.count; ++i) {
        if (i > 0) text += ' ';
        text += dealerParContractText(par.contracts[i]);
    }
    return text;
}

std::string textRecord(const DealRecord& record, const DealAnalysis& analysis) {
    std::string out = record.board.empty() ? "Deal" : "Board " + record.board;
    out += " (" + record.source + " line " + std::to_string(record.line) + ")  Dealer " +
           seatName(record.dealer) + "  Vul " + vulnerabilityOf(record, analysis, "?") + "\n";
    out += record.deal.toPbn() + "\n";
    out += "        N   S   E   W\n";
    for (Strain strain : STRAIN_ROWS) {
        char row[64];
        int n = std::snprintf(row, sizeof row, "  %-3s", strainText(strain));
        for (Seat seat : DECLARER_COLUMNS) {
            n += std::snprintf(row + n, sizeof row - n, "%4d", analysis.table.at(strain, seat));
        }
        out += std::string(row) + "\n";
    }
    if (analysis.parKnown) {
        out += "Par " + std::to_string(analysis.dealerPar.score) + ": " +
               dealerContracts(analysis.dealerPar) + "\n";
    } else {
        out += "Par: vulnerability unknown\n";
    }
    return out + "\n";
}

std::string csvRecord(const DealRecord& record, const DealAnalysis& analysis) {
    std::string out = csvField(record.board) + "," + csvField(record.source) + "," +
                      std::to_string(record.line) + "," + seatName(record.dealer) + "," +
                      vulnerabilityOf(record, analysis, "") + "," + record.deal.toPbn();
    for (Strain strain : STRAIN_ROWS) {
        for (Seat seat : DECLARER_COLUMNS) {
            out += "," + std::to_string(analysis.table.at(strain, seat));
        }
    }
    if (analysis.parKnown) {
        out += "," + std::to_string(analysis.dealerPar.score) + "," +
               dealerContracts(analysis.dealerPar);
        for (Side side : {Side::NorthSouth, Side::EastWest}) {
            out += "," + parScoreText(analysis.sidesPar[static_cast<int>(side)], side);
        }
        for (Side side : {Side::NorthSouth, Side::EastWest}) {
            out += "," +
                   csvField(sidesParContractsText(analysis.sidesPar[static_cast<int>(side)], side));
        }
    } else {
        out += ",,,,,,";
    }
    return out + "\n";
}

std::string jsonRecord(const DealRecord& record, const DealAnalysis& analysis) {
    std::string out = "{\"board\": " + jsonBoard(record.board) +
                      ", \"deal\": " + jsonString(record.deal.toPbn()) + ", \"table\": {";
    for (Seat seat : ALL_SEATS) {
        if (seat != Seat::North) out += ", ";
        out += "\"" + seatName(seat) + "\": {";
        for (Strain strain : STRAIN_ROWS) {
            if (strain != STRAIN_ROWS[0]) out += ", ";
            out += std::string("\"") + strainText(strain) +
                   "\": " + std::to_string(analysis.table.at(strain, seat));
        }
        out += "}";
    }
    out += "}, \"par\": ";
    if (analysis.parKnown) {
        const ParResult& par = analysis.dealerPar;
        out += "{\"score\": " + std::to_string(par.score) + ", \"contracts\": [";
        if (par.count == 0) out += "\"pass\"";
        for (int i = 0; i < par.count; ++i) {
            if (i > 0) out += ", ";
            out += jsonString(dealerParContractText(par.contracts[i]));
        }
        const ParResult* sides = analysis.sidesPar;
        out +=
            "], \"ns\": " + jsonString(parScoreText(sides[0], Side::NorthSouth)) +
            ", \"ew\": " + jsonString(parScoreText(sides[1], Side::EastWest)) +
            ", \"contracts_ns\": " + jsonString(sidesParContractsText(sides[0], Side::NorthSouth)) +
            ", \"contracts_ew\": " + jsonString(sidesParContractsText(sides[1], Side::EastWest)) +
            "}";
    } else {
        out += "null";
    }
    out += ", \"dealer\": \"" + seatName(record.dealer) + "\", \"vulnerable\": " +
           (analysis.parKnown ? jsonString(vulnerabilityOf(record, analysis, "")) : "null") +
           ", \"source\": " + jsonString(record.source) +
           ", \"line\": " + std::to_string(record.line) + "}";
    return out + "\n";
}

}  // namespace

std::string outputHeader(OutputFormat format) {
    if (format != OutputFormat::Csv) return "";
    std::string header = "board,source,line,dealer,vulnerable,deal";
    for (Strain strain : STRAIN_ROWS) {
        for (Seat seat : DECLARER_COLUMNS) {
            header += std::string(",") + strainText(strain) + "_" + seatLetter(seat);
        }
    }
    return header + ",par_score,par_contracts,par_ns,par_ew,par_contracts_ns,par_contracts_ew\n";
}

std::string formatRecord(OutputFormat format, const DealRecord& record,
                         const DealAnalysis& analysis) {
    switch (format) {
        case OutputFormat::Csv:
            return csvRecord(record, analysis);
        case OutputFormat::Json:
            return jsonRecord(record, analysis);
        default:
            return textRecord(record, analysis);
    }
}

}  // namespace ddtable
