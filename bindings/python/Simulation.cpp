// Simulation: the known cards dealt out, filtered by a constraint, solved,
// and the report returned as a dict with the figures ddsim's JSON gives.
#include "ddsolver/Simulation.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <atomic>

#include "Common.h"

namespace ddpy {

using namespace ddsolver;

namespace {

SimContract readContract(const std::string& text) {
    SimContract contract;
    if (contractFromText(text, contract) != Status::Ok)
        fail(Status::BadContract, "\"" + text + "\"");
    return contract;
}

template <size_t N>
py::list counts(const std::array<uint64_t, N>& values) {
    py::list list;
    for (uint64_t value : values) list.append(value);
    return list;
}

py::dict reportDict(const SimulationReport& report) {
    py::dict out;
    out["deals"] = report.deals;
    out["exact"] = report.exact;
    out["partial"] = report.partial;
    out["seed"] = report.seed;
    out["range"] = py::make_tuple(report.first, report.end);
    out["vul"] = vulnerabilityText(report.vulnerability);
    py::list contracts;
    for (const ContractReport& contract : report.contracts) {
        const auto interval = contract.makeInterval95();
        py::dict item;
        item["contract"] = contractText(contract.contract);
        item["tricks"] = counts(contract.tricks);
        item["make_pct"] = contract.makePercent();
        item["make_ci95"] = py::make_tuple(interval[0], interval[1]);
        item["avg_score"] = contract.averageScore(
            isVulnerable(report.vulnerability, sideOf(contract.contract.declarer)));
        contracts.append(item);
    }
    out["contracts"] = contracts;
    out["compare"] = py::none();
    if (report.hasCompare) {
        const CompareReport& compare = report.compare;
        py::dict item;
        item["first"] = contractText(report.contracts[compare.first].contract);
        item["second"] = contractText(report.contracts[compare.second].contract);
        item["imps"] = compare.averageImps();
        item["imps_se"] = compare.impsStandardError();
        item["mp_share"] = compare.matchpointShare();
        item["wins"] = compare.wins;
        item["ties"] = compare.ties;
        item["losses"] = compare.losses;
        out["compare"] = item;
    }
    out["leads"] = py::none();
    if (report.leadContract >= 0) {
        const SimContract& against = report.contracts[report.leadContract].contract;
        out["leads_against"] = contractText(against);
        py::list leads;
        for (const LeadReport& lead : report.leads) {
            py::dict item;
            item["card"] = lead.card.text();
            item["defence_tricks"] = lead.averageDefenceTricks();
            item["beats_pct"] = lead.beatsPercent(against.level + 6);
            item["tricks"] = counts(lead.defenceTricks);
            leads.append(item);
        }
        out["leads"] = leads;
    }
    out["table"] = py::none();
    if (report.hasTable) {
        const Strain order[] = {Strain::NoTrump, Strain::Spades, Strain::Hearts, Strain::Diamonds,
                                Strain::Clubs};
        py::dict table;
        for (Seat declarer : ALL_SEATS) {
            py::dict row;
            for (Strain strain : order)
                row[strainText(strain)] =
                    counts(report.table[static_cast<int>(strain)][static_cast<int>(declarer)]);
            table[std::string(1, seatLetter(declarer)).c_str()] = row;
        }
        out["table"] = table;
    }
    return out;
}

py::dict simulateDeals(const std::string& dealText, const std::string& unseen,
                       const std::string& where, const py::object& n, uint64_t seed, bool exact,
                       const py::object& range, const std::vector<std::string>& contracts,
                       const py::object& compare, const py::object& leads, bool table,
                       const std::string& vulText, const py::object& threads) {
    SimulationOptions run;
    std::string reason;
    check(KnownCards::fromText(dealText, unseen, run.cards, &reason), reason);
    ConstraintError error;
    if (Constraint::compile(where, run.constraint, &error) != Status::Ok)
        fail(Status::BadConstraint,
             "column " + std::to_string(error.column) + ": " + error.message);
    Vulnerability vulnerability;
    if (!vulnerabilityFromText(vulText, vulnerability))
        throw Error("unknown vulnerability \"" + vulText + "\" (None, NS, EW or All)");
    run.seed = seed;
    run.exact = exact;
    if (!n.is_none() && !range.is_none()) throw Error("give either n or range");
    if (!n.is_none() && exact)
        throw Error("exact takes every layout once: give range to take some, not n");
    if (!range.is_none()) {
        const auto bounds = range.cast<std::pair<long long, long long>>();
        if (bounds.first < 0 || bounds.first > bounds.second)
            throw Error("range is (a, b): deals a to b-1, with 0 <= a <= b");
        run.first = bounds.first;
        run.end = bounds.second;
    } else if (!n.is_none()) {
        const long long count = n.cast<long long>();
        if (count < 1) throw Error("n needs a number of deals from 1 on");
        run.end = count;
    }
    if (exact) {
        if (run.cards.layoutCount() > static_cast<double>(MAX_EXACT_LAYOUTS))
            fail(Status::TooManyLayouts);
        // Without a range, every layout.
        const uint64_t layouts = Dealer(run.cards).layoutCount();
        if (range.is_none()) run.end = layouts;
        run.end = std::min(run.end, layouts);
        run.first = std::min(run.first, run.end);
    }
    for (const std::string& text : contracts) run.contracts.push_back(readContract(text));
    int compareFirst = -1, compareSecond = -1;
    if (!compare.is_none()) {
        const auto pair = compare.cast<std::pair<std::string, std::string>>();
        const SimContract a = readContract(pair.first), b = readContract(pair.second);
        compareFirst = contractPlace(run.contracts, a);
        compareSecond = contractPlace(run.contracts, b);
        if (compareFirst == compareSecond) throw Error("compare needs two different contracts");
    }
    if (!leads.is_none()) {
        run.leader = static_cast<int>(readSeat(leads.cast<std::string>(), Status::BadLeader));
        if (run.contracts.empty()) fail(Status::NoSuchLeader, "leads need a contract");
    }
    run.table = table;
    run.threads = readThreads(threads);

    SimulationReport report =
        SimulationReport::start(run, vulnerability, compareFirst, compareSecond);
    // Ctrl-C: the sink, on this thread, looks for a pending signal now and
    // then and asks the workers to stop; the KeyboardInterrupt is then raised.
    std::atomic<bool> interrupted{false};
    run.stop = [&interrupted] { return interrupted.load(std::memory_order_relaxed); };
    SimulationRun outcome;
    Status status;
    {
        py::gil_scoped_release release;
        status = simulate(
            run,
            [&](const SimulatedDeal& deal) {
                report.add(deal);
                if (report.deals % 16 == 0 && !interrupted) {
                    py::gil_scoped_acquire acquire;
                    if (PyErr_CheckSignals() != 0) interrupted = true;
                }
            },
            outcome);
    }
    if (interrupted) throw py::error_already_set();
    check(status);
    report.partial = outcome.stopped;
    return reportDict(report);
}

}  // namespace

void bindSimulation(py::module_& m) {
    m.def("simulate", &simulateDeals, py::arg("deal") = "N:- - - -", py::arg("unseen") = "",
          py::arg("where") = "", py::arg("n") = py::none(), py::arg("seed") = 1,
          py::arg("exact") = false, py::arg("range") = py::none(),
          py::arg("contracts") = std::vector<std::string>(), py::arg("compare") = py::none(),
          py::arg("leads") = py::none(), py::arg("table") = false, py::arg("vul") = "None",
          py::arg("threads") = py::none(),
          "simulate(deal='N:- - - -', unseen='', where='', n=None, seed=1, exact=False,\n"
          "         range=None, contracts=(), compare=None, leads=None, table=False,\n"
          "         vul='None', threads=None) -> dict\n\n"
          "Deals the cards not known in `deal` (PBN; '-' a hand not seen, a short hand\n"
          "partly known; `unseen` the cards still to deal, empty for all the others),\n"
          "keeps the deals meeting the constraint `where` ('hcp(N) >= 15 && spades(S) >= 5'),\n"
          "and solves each for `contracts` ('4S-N'), the two of `compare`, the opening\n"
          "leads of seat `leads` and the whole table. n deals (1000 when neither n nor range\n"
          "is given) or range=(a, b); exact=True takes every layout once. The dict holds\n"
          "what ddsim --format json reports: deals, exact, partial, seed, range, contracts\n"
          "(contract, tricks[14], make_pct, make_ci95, avg_score), compare (first, second,\n"
          "imps, imps_se, mp_share) or None, leads (card, defence_tricks, beats_pct) or\n"
          "None, table (declarer -> strain -> 14 counts) or None. Ctrl-C stops the run\n"
          "and raises KeyboardInterrupt.");
}

}  // namespace ddpy
