// Preferans: positions solved with every card's value, and the hidden-layout
// analysis numbered as the ddsolver program numbers it.
#include <pybind11/stl.h>

#include "Common.h"
#include "ddsolver/PrefSolver.h"

namespace ddpy {

using namespace ddsolver;

namespace {

struct PrefOutcome {
    int declarer = 0;
    int defenders = 0;
    std::string best;
    py::dict cards;
};

PrefOutcome prefSolve(const std::string& dealText, const std::string& trump,
                      const std::string& declarer, const std::string& leader, bool misere,
                      const std::vector<std::string>& played) {
    Position position;
    position.hands = readDeal(dealText, DealSize::Ending);
    PrefContract contract;
    contract.misere = misere;
    if (!misere || !trump.empty()) contract.trump = readStrain(trump);
    contract.declarer = readSeat(declarer, Status::BadDeclarer);
    position.strain = contract.trump;
    position.leader = readSeat(leader, Status::BadLeader);
    if (played.size() > 2) fail(Status::TrickTooLarge, "at most 2 cards on the trick");
    for (const Card& card : readCards(played)) {
        position.hands.remove(card);
        position.trick[position.trickCount++] = card;
    }
    PrefResult result;
    std::vector<CardValue> values;
    Status status;
    {
        py::gil_scoped_release release;
        PrefSolver solver;
        status = solver.solve(position, contract, result);
        if (status == Status::Ok) status = solver.cardValues(position, contract, values);
    }
    check(status);
    PrefOutcome outcome;
    outcome.declarer = result.declarer;
    outcome.defenders = result.defenders;
    outcome.best = result.best.text();
    for (const CardValue& value : values) outcome.cards[value.card.text().c_str()] = value.tricks;
    return outcome;
}

// CONTRACT 0-3 a trump suit, 4 no trump, 5 misere, above 5 no trump; LEADER
// 0 the declarer (North), 1 East, 2 West.
std::vector<uint64_t> prefHistogramOf(const std::string& dealText, int start, int end,
                                      int contractNumber, int leaderNumber,
                                      const py::object& threadsArg) {
    constexpr int MISERE = 5;
    if (contractNumber < 0)
        fail(Status::BadContract, "contract is 0-3 a trump suit, 4 no trump, 5 misere");
    if (leaderNumber < 0 || leaderNumber > 2)
        fail(Status::BadLeader, "leader is 0 the declarer, 1 seat 1, 2 seat 3");
    PrefContract contract;
    contract.misere = contractNumber == MISERE;
    contract.trump = contractNumber < 4 ? static_cast<Strain>(contractNumber) : Strain::NoTrump;
    contract.declarer = Seat::North;
    const Seat leaders[] = {Seat::North, Seat::East, Seat::West};
    const int threads = readThreads(threadsArg);
    PrefHistogram histogram{};
    Status status;
    {
        py::gil_scoped_release release;
        status = prefHistogram(dealText, contract, leaders[leaderNumber], start, end, threads, {},
                               histogram);
    }
    check(status);
    return std::vector<uint64_t>(histogram.begin(), histogram.end());
}

}  // namespace

void bindPreferans(py::module_& m) {
    py::class_<PrefOutcome>(m, "PrefSolution", "The double-dummy result of a preferans position.")
        .def_readonly("declarer", &PrefOutcome::declarer, "the declarer's tricks from here on")
        .def_readonly("defenders", &PrefOutcome::defenders, "the defenders' tricks from here on")
        .def_readonly("best", &PrefOutcome::best, "a card that keeps the optimum ('' if none)")
        .def_readonly("cards", &PrefOutcome::cards,
                      "{card: tricks} for every legal card of the player to move, best first:\n"
                      "the tricks his side takes (in misere the declarer's side counts the\n"
                      "declarer's)")
        .def("__repr__", [](const PrefOutcome& outcome) {
            return "PrefSolution(declarer=" + std::to_string(outcome.declarer) +
                   ", defenders=" + std::to_string(outcome.defenders) +
                   ", cards=" + py::repr(outcome.cards).cast<std::string>() + ")";
        });

    m.def(
        "pref_solve", &prefSolve, py::arg("position"), py::arg("trump"), py::arg("declarer"),
        py::arg("leader"), py::arg("misere") = false,
        py::arg("played") = std::vector<std::string>(),
        "pref_solve(position, trump, declarer, leader, misere=False, played=()) -> PrefSolution\n\n"
        "Solves a preferans position: PBN text with South's hand empty ('...') and\n"
        "cards from the seven to the ace, `trump` 'S' 'H' 'D' 'C' or 'NT' (not read in\n"
        "misere), `declarer` and `leader` among N, E, W, `played` the cards already on\n"
        "the current trick.");
    m.def("pref_histogram", &prefHistogramOf, py::arg("deal_text"), py::arg("start"),
          py::arg("end"), py::arg("contract"), py::arg("leader"), py::arg("threads") = py::none(),
          "pref_histogram(deal_text, start, end, contract, leader, threads=None) -> list[int]\n\n"
          "The hidden-layout analysis: `deal_text` holds the declarer's cards, '*' before\n"
          "the two out of play and '#' before one already led ('aqjt9.ak*7*8.kq.a');\n"
          "splits start to end-1 of the 184756 are solved and counted by the declarer's\n"
          "tricks (11 counts). `contract`: 0-3 that suit trump, 4 no trump, 5 misere (above\n"
          "5 no trump); `leader`: 0 the declarer, 1 seat 1, 2 seat 3. As the ddsolver\n"
          "program's DEALTEXT a-b CONTRACT LEADER.");
}

}  // namespace ddpy
