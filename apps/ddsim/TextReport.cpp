// Text of a simulation report, a section per thing asked.
#include "apps/ddsim/TextReport.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace ddsim {

using namespace ddsolver;

namespace {

constexpr int BAR_WIDTH = 40;

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...) {
    char text[512];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

std::string contractName(const SimContract& contract) {
    static const char* const SEATS[] = {"North", "East", "South", "West"};
    return format("%d%s by %s", contract.level,
                  contract.strain == Strain::NoTrump ? "NT" : strainText(contract.strain),
                  SEATS[static_cast<int>(contract.declarer)]);
}

double percentOf(uint64_t part, uint64_t whole) {
    return whole == 0 ? 0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

// Trick counts that occurred (and those between them), each with a bar.
std::string histogram(const std::array<uint64_t, 14>& counts, int needed) {
    int low = 13, high = 0;
    uint64_t most = 0, total = 0;
    for (int t = 0; t <= 13; ++t) {
        if (counts[t] == 0) continue;
        low = std::min(low, t);
        high = std::max(high, t);
        most = std::max(most, counts[t]);
        total += counts[t];
    }
    std::string text = "  tricks  result     deals       %\n";
    for (int t = low; t <= high; ++t) {
        const std::string result = t == needed ? "=" : format("%+d", t - needed);
        const int width =
            most == 0 ? 0 : static_cast<int>((counts[t] * BAR_WIDTH + most / 2) / most);
        text += format("  %6d  %6s  %8llu  %6.1f", t, result.c_str(),
                       static_cast<unsigned long long>(counts[t]), percentOf(counts[t], total));
        text += (width > 0 ? "  " + std::string(width, '#') : "") + "\n";
    }
    return text;
}

std::string contractSection(const ContractReport& contract, Vulnerability vulnerability) {
    const SimContract& c = contract.contract;
    const bool vulnerable = isVulnerable(vulnerability, sideOf(c.declarer));
    const auto interval = contract.makeInterval95();
    return contractName(c) + (vulnerable ? ", vulnerable" : ", not vulnerable") + "\n" +
           histogram(contract.tricks, c.level + 6) +
           format("  makes %.1f%% (95%% interval %.1f-%.1f%%), average score %+.1f\n\n",
                  contract.makePercent(), interval[0], interval[1],
                  contract.averageScore(vulnerable));
}

std::string compareSection(const SimulationReport& report) {
    const CompareReport& compare = report.compare;
    const SimContract& a = report.contracts[compare.first].contract;
    const SimContract& b = report.contracts[compare.second].contract;
    const char* side = sideOf(a.declarer) == Side::NorthSouth ? "North-South" : "East-West";
    return format("%s against %s, for %s:\n", contractName(a).c_str(), contractName(b).c_str(),
                  side) +
           format("  %+.2f IMPs a deal (standard error %.2f), %.1f%% of the matchpoints\n",
                  compare.averageImps(), compare.impsStandardError(),
                  100 * compare.matchpointShare()) +
           format("  better on %llu deals, equal on %llu, worse on %llu\n\n",
                  static_cast<unsigned long long>(compare.wins),
                  static_cast<unsigned long long>(compare.ties),
                  static_cast<unsigned long long>(compare.losses));
}

std::string leadsSection(const SimulationReport& report) {
    const SimContract& against = report.contracts[report.leadContract].contract;
    std::vector<const LeadReport*> leads;
    for (const LeadReport& lead : report.leads) leads.push_back(&lead);
    const int needed = against.level + 6;
    // The best leads first: most often beating the contract, then most tricks.
    std::stable_sort(leads.begin(), leads.end(),
                     [needed](const LeadReport* x, const LeadReport* y) {
                         if (x->beatsPercent(needed) != y->beatsPercent(needed))
                             return x->beatsPercent(needed) > y->beatsPercent(needed);
                         return x->averageDefenceTricks() > y->averageDefenceTricks();
                     });
    std::string text =
        "Opening leads against " + contractName(against) + "\n  lead  defence tricks  beats it\n";
    for (const LeadReport* lead : leads)
        text += format("  %-4s  %14.2f  %7.1f%%\n", lead->card.text().c_str(),
                       lead->averageDefenceTricks(), lead->beatsPercent(needed));
    return text + "\n";
}

std::string tableSection(const SimulationReport& report) {
    const Strain order[] = {Strain::NoTrump, Strain::Spades, Strain::Hearts, Strain::Diamonds,
                            Strain::Clubs};
    std::string text = "Average tricks by declarer\n         NT      S      H      D      C\n";
    for (Seat declarer : ALL_SEATS) {
        text += format("  %c  ", seatLetter(declarer));
        for (Strain strain : order) {
            const auto& cell = report.table[static_cast<int>(strain)][static_cast<int>(declarer)];
            uint64_t deals = 0, tricks = 0;
            for (int t = 0; t <= 13; ++t) {
                deals += cell[t];
                tricks += cell[t] * static_cast<uint64_t>(t);
            }
            text += format(" %6.2f", deals == 0 ? 0.0 : static_cast<double>(tricks) / deals);
        }
        text += "\n";
    }
    text += "Deals by tricks (0 to 13)\n";
    for (Seat declarer : ALL_SEATS)
        for (Strain strain : order) {
            const auto& cell = report.table[static_cast<int>(strain)][static_cast<int>(declarer)];
            text += format("  %c %-2s ", seatLetter(declarer), strainText(strain));
            for (uint64_t count : cell)
                text += format(" %llu", static_cast<unsigned long long>(count));
            text += "\n";
        }
    return text + "\n";
}

std::string heading(const ReportRecord& record) {
    const SimulationReport& report = record.report;
    std::string text = format("%llu deals", static_cast<unsigned long long>(report.deals));
    if (report.exact)
        text += format(", exact: every layout in the range %llu-%llu",
                       static_cast<unsigned long long>(report.first),
                       static_cast<unsigned long long>(report.end));
    else
        text += format(", seed %llu, range %llu-%llu", static_cast<unsigned long long>(report.seed),
                       static_cast<unsigned long long>(report.first),
                       static_cast<unsigned long long>(report.end));
    if (report.partial) text += " (stopped early: partial)";
    text += "\n  deal   " + record.dealText + "\n";
    if (!record.unseenText.empty()) text += "  unseen " + record.unseenText + "\n";
    if (!record.where.empty()) text += "  where  " + record.where + "\n";
    text += std::string("  vul    ") + vulnerabilityText(report.vulnerability) + "\n\n";
    return text;
}

}  // namespace

std::string textReport(const ReportRecord& record) {
    const SimulationReport& report = record.report;
    std::string text = heading(record);
    for (const ContractReport& contract : report.contracts)
        text += contractSection(contract, report.vulnerability);
    if (report.hasCompare) text += compareSection(report);
    if (report.leadContract >= 0) text += leadsSection(report);
    if (report.hasTable) text += tableSection(report);
    return text;
}

}  // namespace ddsim
