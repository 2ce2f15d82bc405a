// Bridge positions: the tricks and every legal card's value, and the review
// of a played deal card by card.
#include <pybind11/stl.h>

#include "Common.h"
#include "ddsolver/BridgeSolver.h"
#include "ddsolver/PlayReview.h"

namespace ddpy {

using namespace ddsolver;

namespace {

struct BridgeOutcome {
    int northSouth = 0;
    int eastWest = 0;
    std::string best;
    py::dict cards;
};

// The position: the cards still held, and those on the trick taken from
// their holders' hands.
Position readPosition(const std::string& dealText, const std::string& strainText,
                      const std::string& leaderText, const std::vector<std::string>& played) {
    Position position;
    position.hands = readDeal(dealText, DealSize::Ending);
    position.strain = readStrain(strainText);
    position.leader = readSeat(leaderText, Status::BadLeader);
    if (played.size() > 3) fail(Status::TrickTooLarge, "at most 3 cards on the trick");
    for (const Card& card : readCards(played)) {
        position.hands.remove(card);
        position.trick[position.trickCount++] = card;
    }
    return position;
}

BridgeOutcome solvePosition(const std::string& deal, const std::string& strain,
                            const std::string& leader, const std::vector<std::string>& played) {
    const Position position = readPosition(deal, strain, leader, played);
    BridgeResult result;
    std::vector<CardValue> values;
    Status status;
    {
        py::gil_scoped_release release;
        BridgeSolver solver;
        status = solver.solve(position, result);
        if (status == Status::Ok) status = solver.cardValues(position, values);
    }
    check(status);
    BridgeOutcome outcome;
    outcome.northSouth = result.northSouth;
    outcome.eastWest = result.eastWest;
    outcome.best = result.best.text();
    for (const CardValue& value : values) outcome.cards[value.card.text().c_str()] = value.tricks;
    return outcome;
}

std::vector<int> analysePlay(const std::string& dealText, const std::string& strain,
                             const std::string& leader, const std::vector<std::string>& played) {
    const Deal deal = readDeal(dealText, DealSize::Full);
    const Strain trump = readStrain(strain);
    const Seat first = readSeat(leader, Status::BadLeader);
    const std::vector<Card> cards = readCards(played);
    PlayReview review;
    Status status;
    {
        py::gil_scoped_release release;
        BridgeSolver solver;
        status = reviewPlay(solver, deal, trump, first, cards, review, ReviewDetail::Tricks);
    }
    if (review.refusedCard >= 0)
        fail(status, "card " + std::to_string(review.refusedCard + 1) + " (" +
                         played[review.refusedCard] + ")");
    check(status);
    std::vector<int> tricks{review.start};
    for (const PlayedCardReview& card : review.cards) tricks.push_back(card.tricks);
    return tricks;
}

}  // namespace

void bindPlay(py::module_& m) {
    py::class_<BridgeOutcome>(m, "Solution", "The double-dummy result of a bridge position.")
        .def_readonly("north_south", &BridgeOutcome::northSouth,
                      "North-South's tricks from the current trick on")
        .def_readonly("east_west", &BridgeOutcome::eastWest,
                      "East-West's tricks from the current trick on")
        .def_readonly("best", &BridgeOutcome::best, "a card that keeps the optimum ('' if none)")
        .def_readonly("cards", &BridgeOutcome::cards,
                      "{card: tricks} for every legal card of the seat to play, best first: the\n"
                      "tricks that seat's side takes from the current trick on")
        .def("__repr__", [](const BridgeOutcome& outcome) {
            return "Solution(north_south=" + std::to_string(outcome.northSouth) +
                   ", east_west=" + std::to_string(outcome.eastWest) +
                   ", cards=" + py::repr(outcome.cards).cast<std::string>() + ")";
        });

    m.def("solve", &solvePosition, py::arg("deal"), py::arg("strain"), py::arg("leader"),
          py::arg("played") = std::vector<std::string>(),
          "solve(deal, strain, leader, played=()) -> Solution\n\n"
          "Solves a bridge position: `deal` is PBN text of the cards still held (hands of\n"
          "any equal size), `strain` 'S' 'H' 'D' 'C' or 'NT', `leader` the seat that leads\n"
          "(or led) the current trick, `played` the cards already on it in order ('SA',\n"
          "'H10'), taken out of their holders' hands if still there.");
    m.def("analyse_play", &analysePlay, py::arg("deal"), py::arg("strain"), py::arg("leader"),
          py::arg("cards"),
          "analyse_play(deal, strain, leader, cards) -> list[int]\n\n"
          "The declaring side's double-dummy tricks before the first card of a full deal\n"
          "(`leader` leads, declarer is on his right) and after each of `cards`, counting the\n"
          "tricks it has already won. A card not its player's, a revoke or a card after the\n"
          "last trick raises ddsolver.Error naming its place (from 1).");
}

}  // namespace ddpy
