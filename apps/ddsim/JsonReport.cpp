// JSON of a simulation report: the figures a program wants (make percentage,
// average score, IMPs) beside the counts they come from, which are what a
// merge reads back and adds.
#include "apps/ddsim/JsonReport.h"

#include <cmath>
#include <cstdio>

#include "apps/common/Json.h"
#include "apps/common/Text.h"

namespace ddsim {

using namespace ddsolver;

namespace {

std::string number(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

template <size_t N>
std::string counts(const std::array<uint64_t, N>& values) {
    std::string text = "[";
    for (size_t i = 0; i < N; ++i) text += (i ? ", " : "") + std::to_string(values[i]);
    return text + "]";
}

std::string contractJson(const ContractReport& contract, Vulnerability vulnerability) {
    const bool vulnerable = isVulnerable(vulnerability, sideOf(contract.contract.declarer));
    const auto interval = contract.makeInterval95();
    const int needed = contract.contract.level + 6;
    std::string down = "[", over = "[";
    for (int tricks = needed - 1; tricks >= 0; --tricks)
        down += (tricks < needed - 1 ? ", " : "") + std::to_string(contract.tricks[tricks]);
    for (int tricks = needed; tricks <= 13; ++tricks)
        over += (tricks > needed ? ", " : "") + std::to_string(contract.tricks[tricks]);
    return "{\"contract\": " + apps::jsonString(contractText(contract.contract)) +
           ", \"tricks\": " + counts(contract.tricks) +
           ", \"make_pct\": " + number(contract.makePercent(), 2) + ", \"make_ci95\": [" +
           number(interval[0], 2) + ", " + number(interval[1], 2) +
           "], \"avg_score\": " + number(contract.averageScore(vulnerable), 2) +
           ", \"undertricks\": " + down + "], \"overtricks\": " + over + "]}";
}

std::string compareJson(const SimulationReport& report) {
    const CompareReport& compare = report.compare;
    return "{\"first\": " +
           apps::jsonString(contractText(report.contracts[compare.first].contract)) +
           ", \"second\": " +
           apps::jsonString(contractText(report.contracts[compare.second].contract)) +
           ", \"imps\": " + number(compare.averageImps(), 3) +
           ", \"imps_se\": " + number(compare.impsStandardError(), 3) +
           ", \"mp_share\": " + number(compare.matchpointShare(), 4) +
           ", \"wins\": " + std::to_string(compare.wins) +
           ", \"ties\": " + std::to_string(compare.ties) +
           ", \"losses\": " + std::to_string(compare.losses) +
           ", \"imps_histogram\": " + counts(compare.imps) + "}";
}

std::string leadsJson(const SimulationReport& report) {
    const SimContract& against = report.contracts[report.leadContract].contract;
    std::string text = "[";
    for (size_t i = 0; i < report.leads.size(); ++i) {
        const LeadReport& lead = report.leads[i];
        text += (i ? ", " : "") + std::string("{\"card\": ") + apps::jsonString(lead.card.text()) +
                ", \"defence_tricks\": " + number(lead.averageDefenceTricks(), 3) +
                ", \"beats_pct\": " + number(lead.beatsPercent(against.level + 6), 2) +
                ", \"tricks\": " + counts(lead.defenceTricks) + "}";
    }
    return text + "]";
}

std::string tableJson(const SimulationReport& report) {
    std::string text = "{";
    for (Seat declarer : ALL_SEATS) {
        text += std::string(declarer == Seat::North ? "" : ", ") + "\"" + seatLetter(declarer) +
                "\": {";
        // The no-trump column first, as tables are read.
        const Strain order[] = {Strain::NoTrump, Strain::Spades, Strain::Hearts, Strain::Diamonds,
                                Strain::Clubs};
        for (Strain strain : order) {
            text +=
                std::string(strain == Strain::NoTrump ? "" : ", ") + "\"" + strainText(strain) +
                "\": " + counts(report.table[static_cast<int>(strain)][static_cast<int>(declarer)]);
        }
        text += "}";
    }
    return text + "}";
}

}  // namespace

std::string jsonReport(const ReportRecord& record) {
    const SimulationReport& report = record.report;
    std::string text = "{\"deals\": " + std::to_string(report.deals) +
                       ", \"exact\": " + (report.exact ? "true" : "false") +
                       ", \"partial\": " + (report.partial ? "true" : "false") +
                       ", \"seed\": " + std::to_string(report.seed) + ", \"range\": [" +
                       std::to_string(report.first) + ", " + std::to_string(report.end) +
                       "], \"deal\": " + apps::jsonString(record.dealText) +
                       ", \"unseen\": " + apps::jsonString(record.unseenText) +
                       ", \"where\": " + apps::jsonString(record.where) +
                       ", \"vul\": " + apps::jsonString(vulnerabilityText(report.vulnerability));
    text += ", \"contracts\": [";
    for (size_t i = 0; i < report.contracts.size(); ++i)
        text += (i ? ", " : "") + contractJson(report.contracts[i], report.vulnerability);
    text += "]";
    if (report.hasCompare) text += ", \"compare\": " + compareJson(report);
    if (report.leadContract >= 0) {
        const Seat leader = nextSeat(report.contracts[report.leadContract].contract.declarer);
        text += ", \"leads_against\": " +
                apps::jsonString(contractText(report.contracts[report.leadContract].contract)) +
                ", \"leader\": \"" + seatLetter(leader) + "\", \"leads\": " + leadsJson(report);
    }
    if (report.hasTable) text += ", \"table\": " + tableJson(report);
    return text + "}\n";
}

namespace {

// Reading back: each step checks the shape it expects.
class ReportReader {
   public:
    explicit ReportReader(std::string& error) : error_(error) {}

    bool fail(const std::string& what) {
        error_ = what;
        return false;
    }

    bool count(const apps::JsonValue& value, const char* what, uint64_t& out) {
        if (!value.isNumber() || value.number < 0 || value.number > 1e18 ||
            value.number != std::floor(value.number))
            return fail(std::string(what) + " is not a count");
        out = static_cast<uint64_t>(value.number);
        return true;
    }

    template <size_t N>
    bool counts(const apps::JsonValue& value, const char* what, std::array<uint64_t, N>& out) {
        if (!value.isArray() || value.items.size() != N)
            return fail(std::string(what) + " needs " + std::to_string(N) + " counts");
        for (size_t i = 0; i < N; ++i)
            if (!count(value.items[i], what, out[i])) return false;
        return true;
    }

    bool text(const apps::JsonValue& value, const char* what, std::string& out) {
        if (value.kind != apps::JsonValue::Kind::String)
            return fail(std::string(what) + " is not text");
        out = value.text;
        return true;
    }

    bool flag(const apps::JsonValue& value, const char* what, bool& out) {
        if (value.kind != apps::JsonValue::Kind::Bool)
            return fail(std::string(what) + " is not true or false");
        out = value.boolean;
        return true;
    }

    bool contract(const apps::JsonValue& value, SimContract& out) {
        std::string name;
        if (!text(value, "a contract", name)) return false;
        if (contractFromText(name, out) != Status::Ok) return fail("unknown contract " + name);
        return true;
    }

    // The place of a contract named in the report's list.
    bool place(const apps::JsonValue& value, const SimulationReport& report, int& out) {
        SimContract wanted;
        if (!contract(value, wanted)) return false;
        for (size_t i = 0; i < report.contracts.size(); ++i) {
            if (report.contracts[i].contract == wanted) {
                out = static_cast<int>(i);
                return true;
            }
        }
        return fail("a contract not among the report's contracts");
    }

    bool read(const apps::JsonValue& root, ReportRecord& record) {
        SimulationReport& report = record.report;
        if (!root.isObject()) return fail("not a JSON object");
        const apps::JsonValue& range = root["range"];
        if (!count(root["deals"], "deals", report.deals) ||
            !flag(root["exact"], "exact", report.exact) ||
            !flag(root["partial"], "partial", report.partial) ||
            !count(root["seed"], "seed", report.seed))
            return false;
        if (!range.isArray() || range.items.size() != 2 ||
            !count(range.items[0], "range", report.first) ||
            !count(range.items[1], "range", report.end))
            return fail("range needs two counts");
        std::string vul;
        if (!text(root["deal"], "deal", record.dealText) ||
            !text(root["unseen"], "unseen", record.unseenText) ||
            !text(root["where"], "where", record.where) || !text(root["vul"], "vul", vul))
            return false;
        if (!vulnerabilityFromText(vul, report.vulnerability)) return fail("unknown vul " + vul);
        const apps::JsonValue& contracts = root["contracts"];
        if (!contracts.isArray()) return fail("contracts is not a list");
        for (const apps::JsonValue& item : contracts.items) {
            report.contracts.emplace_back();
            if (!contract(item["contract"], report.contracts.back().contract) ||
                !counts(item["tricks"], "tricks", report.contracts.back().tricks))
                return false;
        }
        return readCompare(root["compare"], report) && readLeads(root, report) &&
               readTable(root["table"], report) && consistent(report);
    }

    // Every histogram counts each deal once.
    bool consistent(const SimulationReport& report) {
        bool even = true;
        for (const ContractReport& contract : report.contracts)
            even = even && contract.deals() == report.deals;
        if (report.hasCompare)
            even =
                even && report.compare.deals() == report.deals &&
                report.compare.wins + report.compare.ties + report.compare.losses == report.deals;
        for (const LeadReport& lead : report.leads) even = even && lead.deals() == report.deals;
        if (report.hasTable)
            for (const auto& strain : report.table)
                for (const auto& cell : strain) {
                    uint64_t sum = 0;
                    for (uint64_t count : cell) sum += count;
                    even = even && sum == report.deals;
                }
        return even || fail("the counts do not add up to the deals");
    }

    bool readCompare(const apps::JsonValue& compare, SimulationReport& report) {
        if (compare.kind == apps::JsonValue::Kind::Null) return true;
        report.hasCompare = true;
        CompareReport& out = report.compare;
        return place(compare["first"], report, out.first) &&
               place(compare["second"], report, out.second) &&
               counts(compare["imps_histogram"], "imps_histogram", out.imps) &&
               count(compare["wins"], "wins", out.wins) &&
               count(compare["ties"], "ties", out.ties) &&
               count(compare["losses"], "losses", out.losses);
    }

    bool readLeads(const apps::JsonValue& root, SimulationReport& report) {
        if (root["leads"].kind == apps::JsonValue::Kind::Null) return true;
        if (!place(root["leads_against"], report, report.leadContract)) return false;
        if (!root["leads"].isArray()) return fail("leads is not a list");
        for (const apps::JsonValue& item : root["leads"].items) {
            report.leads.emplace_back();
            std::string card;
            if (!text(item["card"], "card", card)) return false;
            if (!Card::fromText(card, report.leads.back().card))
                return fail("unknown card " + card);
            if (!counts(item["tricks"], "tricks", report.leads.back().defenceTricks)) return false;
        }
        return true;
    }

    bool readTable(const apps::JsonValue& table, SimulationReport& report) {
        if (table.kind == apps::JsonValue::Kind::Null) return true;
        report.hasTable = true;
        for (Seat declarer : ALL_SEATS) {
            const apps::JsonValue& row = table[std::string(1, seatLetter(declarer))];
            for (Strain strain : ALL_STRAINS) {
                auto& cell = report.table[static_cast<int>(strain)][static_cast<int>(declarer)];
                if (!counts(row[strainText(strain)], "table", cell)) return false;
            }
        }
        return true;
    }

   private:
    std::string& error_;
};

}  // namespace

bool readJsonReport(const std::string& text, ReportRecord& record, std::string& error) {
    apps::JsonValue root;
    if (!apps::readJson(text, root, error)) return false;
    record = ReportRecord{};
    return ReportReader(error).read(root, record);
}

}  // namespace ddsim
