// Deal arrays of the references as public positions.
#include "support/ApiPositions.h"

#include <algorithm>

#include "support/PrefReference.h"

using ddsolver::Card;
using ddsolver::Seat;

namespace {

// Codes 1-4 held by seats 0-3, 5-8 on the trick; `seats` in playing order
// (the others' cards are out of play), `ranks` rank positions read per suit.
ddsolver::Position fromDealArray(const int* deal, const std::vector<int>& seats, int ranks,
                                 int leader) {
    ddsolver::Position position;
    position.leader = static_cast<Seat>(leader);
    Card onTrick[4];
    for (int index = 0; index < 52; ++index) {
        const int code = deal[index];
        const int seat = (code - 1) % 4;
        if (index % 13 >= ranks || code < 1 || code > 8 ||
            std::find(seats.begin(), seats.end(), seat) == seats.end())
            continue;
        if (code <= 4)
            position.hands.give(Card::fromIndex(index), static_cast<Seat>(seat));
        else
            onTrick[seat] = Card::fromIndex(index);
    }
    size_t place = std::find(seats.begin(), seats.end(), leader) - seats.begin();
    while (position.trickCount < static_cast<int>(seats.size()) - 1 &&
           onTrick[seats[place]].valid()) {
        position.trick[position.trickCount++] = onTrick[seats[place]];
        place = (place + 1) % seats.size();
    }
    return position;
}

}  // namespace

ddsolver::Position apiPosition(const bridgeref::Position& position) {
    ddsolver::Position out = fromDealArray(position.deal.data(), {0, 1, 2, 3}, 13, position.leader);
    out.strain = static_cast<ddsolver::Strain>(position.trump);
    return out;
}

ddsolver::Position apiPosition(const PrefTestPosition& position) {
    return fromDealArray(position.deal, {0, 1, 3}, 8, position.leaderSeat);
}

ddsolver::PrefContract apiContract(const PrefTestPosition& position) {
    return {static_cast<ddsolver::Strain>(position.trump), position.misere,
            static_cast<Seat>(position.declarerSeat)};
}

std::string valuesText(const std::vector<ddsolver::CardValue>& values) {
    std::string text;
    for (const ddsolver::CardValue& value : values)
        text += value.card.text() + ":" + std::to_string(value.tricks) + " ";
    return text;
}

std::vector<ddsolver::CardValue> bestFirst(std::vector<ddsolver::CardValue> values) {
    std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
        return a.tricks != b.tricks ? a.tricks > b.tricks : a.card.index() < b.card.index();
    });
    return values;
}

std::vector<ddsolver::CardValue> bestFirst(const std::vector<bridgeref::CardValue>& values) {
    std::vector<ddsolver::CardValue> converted;
    for (const auto& value : values)
        converted.push_back({Card::fromIndex(value.card), value.sideTricks});
    return bestFirst(converted);
}

std::vector<ddsolver::CardValue> prefReferenceValues(const PrefTestPosition& p) {
    PrefReference reference(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere);
    const bool moverDeclares = reference.seatToMove() == p.declarerSeat;
    std::vector<ddsolver::CardValue> values;
    for (int card : reference.legalCards()) {
        const int declarer = reference.declarerTricksAfter(card);
        values.push_back(
            {Card::fromIndex(card), moverDeclares ? declarer : reference.tricksLeft() - declarer});
    }
    return bestFirst(values);
}
