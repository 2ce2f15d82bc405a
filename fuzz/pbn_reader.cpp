// Fuzz target: the table program's input reader. The bytes are one input,
// read as bare deal lines or as a PBN game file. A refused deal carries a
// short reason; an accepted one deals 52 distinct cards 13 to a hand, prints
// as text that reads back to the same deal, and has a dealer and a
// vulnerability in range. Each accepted deal gets par on a table made up
// from the bytes, or, for a small share of inputs, on its own double-dummy
// table, and its records are printed: the counts lie in 0 to 13, par is a
// score a contract can earn (or 0 for a passed-out deal), and the CSV record
// reads back to the deal and the table it came from.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "BridgeScores.h"
#include "FuzzSupport.h"
#include "apps/ddtable/DealAnalysis.h"
#include "apps/ddtable/DealReader.h"
#include "apps/ddtable/OutputFormat.h"

using namespace ddtable;
using namespace ddsolver;

namespace {

// One input in this many has its first accepted deal solved, and at most one
// such solve runs in a gap of ANALYSIS_GAP: under the sanitizers and the
// fuzzer's instrumentation a full deal's twenty solves take some 15 seconds
// of processor time, as much as a million reads. The first input of a run
// may always be solved, so a saved input reproduces on its own.
constexpr uint64_t FULL_ANALYSIS_SHARE = 64;
constexpr std::chrono::seconds ANALYSIS_GAP(300);

uint64_t hashBytes(const uint8_t* data, size_t size) {
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
    return hash;
}

// Lines as std::getline counts them.
int countLines(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

// The vulnerability as the score checks number it: -1 when unknown.
int vulnerabilityNumber(std::optional<Vulnerability> vulnerability) {
    return vulnerability ? static_cast<int>(*vulnerability) : -1;
}

void checkAcceptedDeal(const DealRecord& record,
                       std::optional<Vulnerability> defaultVulnerability) {
    for (int index = 0; index < 52; ++index) FUZZ_CHECK(record.deal.holder(Card::fromIndex(index)));
    for (Seat seat : ALL_SEATS) FUZZ_CHECK(record.deal.count(seat) == 13);
    const std::string text = record.deal.toPbn();
    FUZZ_CHECK(text.size() == 2 + 52 + 12 + 3);  // "N:", the cards, the dots, the spaces
    FUZZ_CHECK(text.compare(0, 2, "N:") == 0);
    Deal again;
    FUZZ_CHECK(Deal::fromPbn(text, again) == Status::Ok && again == record.deal);
    FUZZ_CHECK(static_cast<int>(record.dealer) < 4);
    FUZZ_CHECK(vulnerabilityNumber(record.vulnerability) <= 3);
    if (defaultVulnerability) FUZZ_CHECK(record.vulnerability.has_value());
}

// A table of counts 0 to 13 drawn from the seed: par must hold up on any table.
DdTable madeUpTable(uint64_t seed) {
    DdTable table;
    for (auto& row : table.tricks) {
        for (int& tricks : row) {
            seed ^= seed << 13;
            seed ^= seed >> 7;
            seed ^= seed << 17;
            tricks = static_cast<int>(seed % 14);
        }
    }
    return table;
}

void checkPar(const ParResult& par, int vulnerability) {
    FUZZ_CHECK(isParScore(par.score, vulnerability));
    FUZZ_CHECK(par.count >= 0 && par.count <= MAX_PAR_CONTRACTS);
    FUZZ_CHECK((par.count == 0) == (par.score == 0));  // no contract scores nothing
    for (int i = 0; i < par.count; ++i) {
        const ParContract& contract = par.contracts[i];
        FUZZ_CHECK(contract.level >= 1 && contract.level <= 7);
        FUZZ_CHECK(static_cast<int>(contract.strain) < 5);
        FUZZ_CHECK(contract.seats >= 0 && contract.seats <= PAR_SEATS_EW);
    }
}

void checkAnalysis(const DealAnalysis& analysis, int vulnerability) {
    for (const auto& row : analysis.table.tricks) {
        for (int tricks : row) FUZZ_CHECK(tricks >= 0 && tricks <= 13);
    }
    if (!analysis.parKnown) return;
    checkPar(analysis.dealerPar, vulnerability);
    for (const ParResult& par : analysis.sidesPar) checkPar(par, vulnerability);
}

// The fields of one CSV record; quoted fields lose their quotes. A line
// break outside quotes would end the record for a CSV reader.
std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else if ((c == '\r' || c == '\n') && !quoted) {
            propertyBroken("a line break outside quotes", __FILE__, __LINE__);
        } else {
            fields.back() += c;
        }
    }
    FUZZ_CHECK(!quoted);
    return fields;
}

// The table column a header name such as "NT_E" names; false for other columns.
bool tableColumn(const std::string& name, Strain& strain, Seat& seat) {
    for (Strain s : ALL_STRAINS) {
        for (Seat t : ALL_SEATS) {
            strain = s;
            seat = t;
            if (name == std::string(strainText(s)) + "_" + seatLetter(t)) return true;
        }
    }
    return false;
}

// A side's par score as printed ("NS -110") read back as North-South's score.
void checkSideScore(const std::string& field, int side, int vulnerability) {
    int score = 0;
    char after = 0;
    const char* format = side == 0 ? "NS %d%c" : "EW %d%c";
    FUZZ_CHECK(std::sscanf(field.c_str(), format, &score, &after) == 1);
    FUZZ_CHECK(isParScore(side == 0 ? score : -score, vulnerability));
}

void checkCsvRecord(const DealRecord& record, const DealAnalysis& analysis) {
    const std::string header = outputHeader(OutputFormat::Csv);
    const std::string line = formatRecord(OutputFormat::Csv, record, analysis);
    FUZZ_CHECK(!line.empty() && line.find('\n') == line.size() - 1);
    const std::vector<std::string> names = csvFields(header.substr(0, header.size() - 1));
    const std::vector<std::string> fields = csvFields(line.substr(0, line.size() - 1));
    FUZZ_CHECK(fields.size() == names.size());
    int tableColumns = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        const std::string& field = fields[i];
        Strain strain;
        Seat seat;
        if (tableColumn(name, strain, seat)) {
            FUZZ_CHECK(field == std::to_string(analysis.table.at(strain, seat)));
            ++tableColumns;
        } else if (name == "board") {
            FUZZ_CHECK(field == record.board);
        } else if (name == "line") {
            FUZZ_CHECK(field == std::to_string(record.line));
        } else if (name == "dealer") {
            FUZZ_CHECK(field == std::string(1, seatLetter(record.dealer)));
        } else if (name == "deal") {
            Deal deal;
            FUZZ_CHECK(Deal::fromPbn(field, deal) == Status::Ok && deal == record.deal);
        } else if (name == "par_score") {
            FUZZ_CHECK(field ==
                       (analysis.parKnown ? std::to_string(analysis.dealerPar.score) : ""));
        } else if (analysis.parKnown && (name == "par_ns" || name == "par_ew")) {
            checkSideScore(field, name == "par_ns" ? 0 : 1,
                           vulnerabilityNumber(record.vulnerability));
        }
    }
    FUZZ_CHECK(tableColumns == 5 * 4);
}

// The other two forms carry the deal as printed, and end their record.
void checkTextAndJsonRecords(const DealRecord& record, const DealAnalysis& analysis) {
    const std::string deal = record.deal.toPbn();
    const std::string text = formatRecord(OutputFormat::Text, record, analysis);
    FUZZ_CHECK(text.find("\n" + deal + "\n") != std::string::npos);
    FUZZ_CHECK(text.size() >= 2 && text.compare(text.size() - 2, 2, "\n\n") == 0);
    const std::string json = formatRecord(OutputFormat::Json, record, analysis);
    FUZZ_CHECK(json.find("\"deal\": \"" + deal + "\"") != std::string::npos);
    FUZZ_CHECK(json.front() == '{' && json.compare(json.size() - 2, 2, "}\n") == 0);
}

bool analysisDue(uint64_t hash) {
    using Clock = std::chrono::steady_clock;
    static bool analysed = false;
    static Clock::time_point last;
    if (hash % FULL_ANALYSIS_SHARE != 0) return false;
    if (analysed && Clock::now() - last < ANALYSIS_GAP) return false;
    analysed = true;
    last = Clock::now();
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static BridgeSolver solver;
    const std::string input(reinterpret_cast<const char*>(data), size);
    // Unknown, then the four vulnerabilities.
    const std::optional<Vulnerability> defaultVulnerability =
        size % 5 == 0 ? std::nullopt
                      : std::optional<Vulnerability>(static_cast<Vulnerability>(size % 5 - 1));
    std::istringstream in(input);
    std::vector<DealRecord> records;
    readDeals(in, "fuzz.pbn", defaultVulnerability, records);

    const uint64_t hash = hashBytes(data, size);
    bool solveNext = analysisDue(hash);
    const int lines = countLines(input);
    int previousLine = 0;
    for (const DealRecord& record : records) {
        FUZZ_CHECK(record.source == "fuzz.pbn");
        FUZZ_CHECK(record.line > previousLine && record.line <= lines);  // one record a line
        previousLine = record.line;
        if (!record.error.empty()) {
            FUZZ_CHECK(record.error.find('\n') == std::string::npos);
            continue;
        }
        checkAcceptedDeal(record, defaultVulnerability);
        DealAnalysis analysis;
        if (solveNext) {
            FUZZ_CHECK(solveTable(solver, record.deal, analysis.table) == Status::Ok);
            solveNext = false;
        } else {
            analysis.table = madeUpTable(hash + static_cast<uint64_t>(record.line));
        }
        computeParResults(analysis, record.dealer, record.vulnerability);
        checkAnalysis(analysis, vulnerabilityNumber(record.vulnerability));
        checkCsvRecord(record, analysis);
        checkTextAndJsonRecords(record, analysis);
    }
    return 0;
}
