// The figures of a simulation, summed deal by deal: histograms of tricks,
// make rates, scores, the comparison of two contracts, opening leads and tables.
#include <cassert>
#include <cmath>

#include "ddsolver/Simulation.h"

namespace ddsolver {

namespace {

template <size_t N>
uint64_t total(const std::array<uint64_t, N>& counts) {
    uint64_t sum = 0;
    for (uint64_t count : counts) sum += count;
    return sum;
}

// The mean of the values 0, 1, 2, ... counted in `counts`, shifted by `offset`.
template <size_t N>
double mean(const std::array<uint64_t, N>& counts, int offset = 0) {
    const uint64_t deals = total(counts);
    if (deals == 0) return 0;
    double sum = 0;
    for (size_t value = 0; value < N; ++value)
        sum += static_cast<double>(counts[value]) * (static_cast<int>(value) + offset);
    return sum / static_cast<double>(deals);
}

double percent(uint64_t part, uint64_t whole) {
    return whole == 0 ? 0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

// The compared contract's score from the first contract's declaring side's point of view.
int scoreFor(Side side, const SimContract& contract, int tricks, Vulnerability vulnerability) {
    const Side declaring = sideOf(contract.declarer);
    const int score = contractScore(contract, tricks, isVulnerable(vulnerability, declaring));
    return declaring == side ? score : -score;
}

// Counts one more deal with this many tricks.
void countTricks(std::array<uint64_t, 14>& counts, int tricks) {
    assert(tricks >= 0 && tricks <= 13);
    ++counts[tricks];
}

}  // namespace

uint64_t ContractReport::deals() const {
    return total(tricks);
}

uint64_t ContractReport::makes() const {
    uint64_t count = 0;
    for (int taken = contract.level + 6; taken <= 13; ++taken) count += tricks[taken];
    return count;
}

double ContractReport::makePercent() const {
    return percent(makes(), deals());
}

std::array<double, 2> ContractReport::makeInterval95() const {
    const double n = static_cast<double>(deals());
    if (n == 0) return {0, 100};
    const double z = 1.959963984540054, p = static_cast<double>(makes()) / n;
    const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
    const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n);
    return {100 * std::max(0.0, centre - half), 100 * std::min(1.0, centre + half)};
}

double ContractReport::averageScore(bool vulnerable) const {
    const uint64_t n = deals();
    if (n == 0) return 0;
    double sum = 0;
    for (int taken = 0; taken <= 13; ++taken)
        sum += static_cast<double>(tricks[taken]) * contractScore(contract, taken, vulnerable);
    return sum / static_cast<double>(n);
}

uint64_t CompareReport::deals() const {
    return total(imps);
}

double CompareReport::averageImps() const {
    return mean(imps, -24);
}

double CompareReport::impsStandardError() const {
    const uint64_t n = deals();
    if (n < 2) return 0;
    const double average = averageImps();
    double squares = 0;
    for (int value = -24; value <= 24; ++value) {
        const double difference = value - average;
        squares += static_cast<double>(imps[value + 24]) * difference * difference;
    }
    const double deviation = std::sqrt(squares / static_cast<double>(n - 1));
    return deviation / std::sqrt(static_cast<double>(n));
}

double CompareReport::matchpointShare() const {
    const uint64_t n = wins + ties + losses;
    return n == 0 ? 0
                  : (static_cast<double>(wins) + 0.5 * static_cast<double>(ties)) /
                        static_cast<double>(n);
}

uint64_t LeadReport::deals() const {
    return total(defenceTricks);
}

double LeadReport::averageDefenceTricks() const {
    return mean(defenceTricks);
}

double LeadReport::beatsPercent(int declarerNeeds) const {
    uint64_t beats = 0;
    for (int taken = 14 - declarerNeeds; taken <= 13; ++taken)
        if (taken >= 0) beats += defenceTricks[taken];
    return percent(beats, deals());
}

SimulationReport SimulationReport::start(const SimulationOptions& options,
                                         Vulnerability vulnerability, int compareFirst,
                                         int compareSecond) {
    SimulationReport report;
    report.exact = options.exact;
    report.seed = options.seed;
    report.first = options.first;
    report.end = options.end;
    report.vulnerability = vulnerability;
    for (const SimContract& contract : options.contracts)
        report.contracts.push_back(ContractReport{contract, {}});
    const int count = static_cast<int>(options.contracts.size());
    if (compareFirst >= 0 && compareFirst < count && compareSecond >= 0 && compareSecond < count) {
        report.hasCompare = true;
        report.compare.first = compareFirst;
        report.compare.second = compareSecond;
    }
    if (options.leader >= 0 && options.leader < 4) {
        const Seat leader = static_cast<Seat>(options.leader);
        for (int i = 0; i < count && report.leadContract < 0; ++i)
            if (nextSeat(options.contracts[i].declarer) == leader) report.leadContract = i;
        for (Card card : options.cards.known().hand(leader)) report.leads.push_back({card, {}});
    }
    report.hasTable = options.table;
    return report;
}

void SimulationReport::add(const SimulatedDeal& deal) {
    ++deals;
    for (size_t i = 0; i < contracts.size() && i < deal.tricks.size(); ++i)
        countTricks(contracts[i].tricks, deal.tricks[i]);
    if (hasCompare) {
        const SimContract& a = contracts[compare.first].contract;
        const SimContract& b = contracts[compare.second].contract;
        const Side side = sideOf(a.declarer);
        const int difference = scoreFor(side, a, deal.tricks[compare.first], vulnerability) -
                               scoreFor(side, b, deal.tricks[compare.second], vulnerability);
        ++compare.imps[impsFor(difference) + 24];
        if (difference > 0)
            ++compare.wins;
        else if (difference == 0)
            ++compare.ties;
        else
            ++compare.losses;
    }
    for (const CardValue& value : deal.leads)
        for (LeadReport& lead : leads)
            if (lead.card == value.card) countTricks(lead.defenceTricks, value.tricks);
    if (hasTable)
        for (Strain strain : ALL_STRAINS)
            for (Seat declarer : ALL_SEATS)
                countTricks(table[static_cast<int>(strain)][static_cast<int>(declarer)],
                            deal.table.at(strain, declarer));
}

bool SimulationReport::merge(const SimulationReport& other) {
    bool same = exact == other.exact && (exact || seed == other.seed) &&
                vulnerability == other.vulnerability &&
                contracts.size() == other.contracts.size() && hasCompare == other.hasCompare &&
                leadContract == other.leadContract && leads.size() == other.leads.size() &&
                hasTable == other.hasTable;
    for (size_t i = 0; same && i < contracts.size(); ++i)
        same = contracts[i].contract == other.contracts[i].contract;
    if (same && hasCompare)
        same = compare.first == other.compare.first && compare.second == other.compare.second;
    for (size_t i = 0; same && i < leads.size(); ++i) same = leads[i].card == other.leads[i].card;
    if (!same) return false;
    if (other.first == end)
        end = other.end;
    else if (other.end == first)
        first = other.first;
    else
        return false;

    deals += other.deals;
    partial = partial || other.partial;
    for (size_t i = 0; i < contracts.size(); ++i)
        for (int t = 0; t < 14; ++t) contracts[i].tricks[t] += other.contracts[i].tricks[t];
    for (int k = 0; k < 49; ++k) compare.imps[k] += other.compare.imps[k];
    compare.wins += other.compare.wins;
    compare.ties += other.compare.ties;
    compare.losses += other.compare.losses;
    for (size_t i = 0; i < leads.size(); ++i)
        for (int t = 0; t < 14; ++t) leads[i].defenceTricks[t] += other.leads[i].defenceTricks[t];
    for (int s = 0; s < 5; ++s)
        for (int d = 0; d < 4; ++d)
            for (int t = 0; t < 14; ++t) table[s][d][t] += other.table[s][d][t];
    return true;
}

}  // namespace ddsolver
