// Double-dummy tables (one deal, or many on worker threads) and par.
#include <pybind11/stl.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "Common.h"
#include "ddsolver/Par.h"
#include "ddsolver/Table.h"

namespace ddpy {

using namespace ddsolver;

namespace {

// The order a table is shown and listed in: no trump first.
const Strain SHOWN_STRAINS[] = {Strain::NoTrump, Strain::Spades, Strain::Hearts, Strain::Diamonds,
                                Strain::Clubs};

py::dict rowOf(const DdTable& table, Seat declarer) {
    py::dict row;
    for (Strain strain : SHOWN_STRAINS) row[strainText(strain)] = table.at(strain, declarer);
    return row;
}

py::dict tableDict(const DdTable& table) {
    py::dict out;
    for (Seat seat : ALL_SEATS) out[std::string(1, seatLetter(seat)).c_str()] = rowOf(table, seat);
    return out;
}

std::string tableRepr(const DdTable& table) {
    std::string text = "Table(\n     NT  S  H  D  C\n";
    for (Seat seat : ALL_SEATS) {
        text += std::string("  ") + seatLetter(seat) + " ";
        for (Strain strain : SHOWN_STRAINS) {
            char cell[8];
            std::snprintf(cell, sizeof cell, "%3d", table.at(strain, seat));
            text += cell;
        }
        text += "\n";
    }
    return text + ")";
}

// A table given as a Table or as the dictionary to_dict gives.
DdTable readTable(const py::object& object) {
    if (py::isinstance<DdTable>(object)) return object.cast<DdTable>();
    if (!py::isinstance<py::dict>(object))
        throw Error("a table is a Table or a dict such as {\"N\": {\"NT\": 6, ...}, ...}");
    const py::dict dict = object.cast<py::dict>();
    DdTable table;
    for (Seat seat : ALL_SEATS) {
        const std::string seatKey(1, seatLetter(seat));
        if (!dict.contains(seatKey)) throw Error("the table has no row " + seatKey);
        const py::dict row = dict[seatKey.c_str()].cast<py::dict>();
        for (Strain strain : ALL_STRAINS) {
            if (!row.contains(strainText(strain)))
                throw Error("row " + seatKey + " has no " + strainText(strain));
            const int tricks = row[strainText(strain)].cast<int>();
            if (tricks < 0 || tricks > 13)
                throw Error("row " + seatKey + ": " + strainText(strain) +
                            " is not 0 to 13 tricks");
            table.at(strain, seat) = tricks;
        }
    }
    return table;
}

DdTable ddTable(const std::string& text) {
    const Deal deal = readDeal(text, DealSize::Full);
    DdTable table;
    Status status;
    {
        py::gil_scoped_release release;
        BridgeSolver solver;
        status = solveTable(solver, deal, table);
    }
    check(status);
    return table;
}

std::vector<DdTable> ddTables(const std::vector<std::string>& texts, const py::object& threadsArg) {
    std::vector<Deal> deals;
    deals.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        Deal deal;
        std::string reason;
        const Status status = Deal::fromPbn(texts[i], deal, DealSize::Full, &reason);
        if (status != Status::Ok)
            fail(status, "deal " + std::to_string(i) + (reason.empty() ? "" : ": " + reason));
        deals.push_back(deal);
    }
    const int threads = static_cast<int>(
        std::min<size_t>(readThreads(threadsArg), std::max<size_t>(deals.size(), 1)));
    std::vector<DdTable> tables(deals.size());
    std::vector<Status> statuses(deals.size(), Status::Ok);
    {
        py::gil_scoped_release release;
        // Each worker takes the next deal and solves it with its own solver.
        std::atomic<size_t> next{0};
        auto work = [&] {
            BridgeSolver solver;
            for (size_t i; (i = next.fetch_add(1)) < deals.size();)
                statuses[i] = solveTable(solver, deals[i], tables[i]);
        };
        std::vector<std::thread> workers;
        for (int t = 1; t < threads; ++t) workers.emplace_back(work);
        work();
        for (std::thread& worker : workers) worker.join();
    }
    for (size_t i = 0; i < statuses.size(); ++i) check(statuses[i], "deal " + std::to_string(i));
    return tables;
}

struct ParOutcome {
    int score = 0;
    std::vector<std::string> contracts;
};

ParOutcome par(const py::object& tableArg, const std::string& vulText,
               const std::string& dealerText) {
    const DdTable table = readTable(tableArg);
    Vulnerability vulnerability;
    if (!vulnerabilityFromText(vulText, vulnerability))
        throw Error("unknown vulnerability \"" + vulText + "\" (None, NS, EW or All)");
    const Seat dealer = readSeat(dealerText, Status::BadDeclarer);
    const ParResult result = dealerPar(table, dealer, vulnerability);
    ParOutcome outcome;
    outcome.score = result.score;
    for (int i = 0; i < result.count; ++i)
        outcome.contracts.push_back(dealerParContractText(result.contracts[i]));
    return outcome;
}

}  // namespace

void bindTables(py::module_& m) {
    py::class_<DdTable>(m, "Table",
                        "A double-dummy table: the tricks each declarer (N, E, S, W) takes in\n"
                        "each strain (NT, S, H, D, C), the seat on his left leading.\n"
                        "t['N']['NT'] and t['N', 'NT'] read one entry; to_dict() gives them all.")
        .def("__getitem__",
             [](const DdTable& table, const py::object& key) -> py::object {
                 if (py::isinstance<py::tuple>(key)) {
                     const py::tuple pair = key.cast<py::tuple>();
                     if (pair.size() != 2) throw Error("index a table by (declarer, strain)");
                     const Seat seat = readSeat(pair[0].cast<std::string>(), Status::BadDeclarer);
                     return py::int_(table.at(readStrain(pair[1].cast<std::string>()), seat));
                 }
                 return rowOf(table, readSeat(key.cast<std::string>(), Status::BadDeclarer));
             })
        .def("to_dict", &tableDict,
             "{declarer: {strain: tricks}}: declarers 'N' 'E' 'S' 'W', strains 'NT' 'S' 'H' 'D' "
             "'C'.")
        .def("__eq__",
             [](const DdTable& a, const DdTable& b) {
                 return std::equal(&a.tricks[0][0], &a.tricks[0][0] + 20, &b.tricks[0][0]);
             })
        .def("__repr__", &tableRepr);

    py::class_<ParOutcome>(m, "Par", "Par of a table with the dealer and vulnerability given.")
        .def_readonly("score", &ParOutcome::score,
                      "North-South's par score (negative: East-West's)")
        .def_readonly("contracts", &ParOutcome::contracts,
                      "The par contracts, as '4S*-EW-1', '3N-NS+1', '4N-W-2'")
        .def("__repr__", [](const ParOutcome& par) {
            std::string text = "Par(score=" + std::to_string(par.score) + ", contracts=[";
            for (size_t i = 0; i < par.contracts.size(); ++i)
                text += (i ? ", '" : "'") + par.contracts[i] + "'";
            return text + "])";
        });

    m.def("dd_table", &ddTable, py::arg("deal"),
          "dd_table(deal) -> Table\n\n"
          "The double-dummy table of a full deal given as PBN text, e.g.\n"
          "'N:AKQ2.K32.A52.K32 J54.AQ5.KQ4.AJ5 ...'. Raises ddsolver.Error on a bad deal.");
    m.def("dd_tables", &ddTables, py::arg("deals"), py::arg("threads") = py::none(),
          "dd_tables(deals, threads=None) -> list[Table]\n\n"
          "The tables of a list of PBN deals, solved on `threads` worker threads (None:\n"
          "one per core), the interpreter free meanwhile. Every deal is read before any is\n"
          "solved; a bad one raises ddsolver.Error naming its place in the list.");
    m.def("par", &par, py::arg("table"), py::arg("vul") = "None", py::arg("dealer") = "N",
          "par(table, vul='None', dealer='N') -> Par\n\n"
          "Par of a Table (or its to_dict() form) when `dealer` deals at vulnerability\n"
          "`vul` ('None', 'NS', 'EW', 'All'): North-South's score and the par contracts,\n"
          "each once at its lowest level.");
}

}  // namespace ddpy
