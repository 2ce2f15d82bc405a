// The Python module ddsolver: its exception, the shared readers, and the
// registration of the tables, play, preferans and simulation parts.
#include <thread>

#include "Common.h"
#include "ddsolver/Version.h"

namespace ddpy {

void fail(ddsolver::Status status, const std::string& reason) {
    std::string message = ddsolver::describe(status);
    if (!reason.empty() && reason != message) message += ": " + reason;
    throw Error(message);
}

void check(ddsolver::Status status, const std::string& reason) {
    if (status != ddsolver::Status::Ok) fail(status, reason);
}

ddsolver::Seat readSeat(const std::string& text, ddsolver::Status whenBad) {
    ddsolver::Seat seat;
    if (!ddsolver::seatFromText(text, seat)) fail(whenBad, "\"" + text + "\" is not N, E, S or W");
    return seat;
}

ddsolver::Strain readStrain(const std::string& text) {
    ddsolver::Strain strain;
    if (!ddsolver::strainFromText(text, strain))
        fail(ddsolver::Status::BadStrain, "\"" + text + "\" is not S, H, D, C or NT");
    return strain;
}

ddsolver::Card readCard(const std::string& text) {
    ddsolver::Card card;
    if (!ddsolver::Card::fromText(text, card))
        fail(ddsolver::Status::BadCard, "\"" + text + "\" is not a card such as SA or H10");
    return card;
}

std::vector<ddsolver::Card> readCards(const std::vector<std::string>& texts) {
    std::vector<ddsolver::Card> cards;
    for (const std::string& text : texts) cards.push_back(readCard(text));
    return cards;
}

ddsolver::Deal readDeal(const std::string& text, ddsolver::DealSize size) {
    ddsolver::Deal deal;
    std::string reason;
    check(ddsolver::Deal::fromPbn(text, deal, size, &reason), reason);
    return deal;
}

int readThreads(const py::object& threads) {
    if (threads.is_none())
        return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int count = threads.cast<int>();
    if (count < 1) fail(ddsolver::Status::BadThreadCount, "threads must be at least 1");
    return count;
}

}  // namespace ddpy

PYBIND11_MODULE(ddsolver, m) {
    m.doc() =
        "Double-dummy solving of bridge and preferans: tables, par, card values, play\n"
        "review, simulation and the preferans hidden-layout analysis.";
    m.attr("__version__") = ddsolver::version();
    pybind11::register_exception<ddpy::Error>(m, "Error", PyExc_ValueError);
    ddpy::bindTables(m);
    ddpy::bindPlay(m);
    ddpy::bindPreferans(m);
    ddpy::bindSimulation(m);
}
