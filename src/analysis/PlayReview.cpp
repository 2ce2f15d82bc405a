// Play review: the played position is followed card by card. Each card
// played is valued by a solve of the position it leads to, which is the next
// card's starting point, so the optimum before each card is known from the
// card before. The other legal cards need one null-window test each, "does
// it keep the optimum?", or a solve each when every value is asked for.
#include "ddsolver/PlayReview.h"

#include <algorithm>

#include "core/PositionRules.h"

namespace ddsolver {

namespace {

// Why the seat to move may not play `card` here, or Ok.
Status legality(const Position& position, Seat mover, Card card) {
    if (!card.valid()) return Status::BadCard;
    if (!position.hands.holds(mover, card)) return Status::CardNotHeld;
    if (position.trickCount > 0) {
        const Suit led = position.trick[0].suit();
        if (card.suit() != led && position.hands.count(mover, led) > 0) return Status::Revoke;
    }
    return Status::Ok;
}

int tricksFromHere(const Position& position) {
    int cards = position.trickCount;
    for (Seat seat : ALL_SEATS) cards += position.hands.count(seat);
    return cards / 4;
}

// The side to move's tricks from the current trick on against the declaring
// side's count over the whole deal.
struct SideCount {
    bool moverDeclares;
    int won;        // tricks the declaring side has won so far
    int remaining;  // tricks from the current one on
    int declarers(int moverValue) const {
        return won + (moverDeclares ? moverValue : remaining - moverValue);
    }
    int movers(int declarerCount) const {
        return moverDeclares ? declarerCount - won : remaining - (declarerCount - won);
    }
};

// The side to move's tricks when it plays `card` (the trick it may complete
// counted for its winner), given the optimum `best`: most cards keep it, so
// one null-window test settles them, and only a card that does not is solved.
Status valueOf(BridgeSolver& solver, const Position& position, Seat mover, Card card, int best,
               int& value) {
    int winner = -1;
    const Position after =
        core::afterPlaying(core::BRIDGE, position, card, static_cast<int>(position.strain), winner);
    const int won = winner >= 0 && isNorthSouth(static_cast<Seat>(winner)) == isNorthSouth(mover);
    bool keeps = false;
    Status status = solver.reaches(after, sideOf(mover), best - won, keeps);
    if (status != Status::Ok || keeps) {
        value = best;
        return status;
    }
    BridgeResult result;
    status = solver.solve(after, result);
    value = (isNorthSouth(mover) ? result.northSouth : result.eastWest) + won;
    return status;
}

// Every legal card with the optimum `best` when it keeps it and below it
// otherwise, one null-window test each, but for the card played and those
// equal to it, which have its value `played`.
Status keepsOptimum(BridgeSolver& solver, const Position& position, int best, Card card, int played,
                    std::vector<CardValue>& values) {
    int deal[DEAL_CARDS];
    const Status checked = core::toDealArray(core::BRIDGE, position, deal);
    if (checked != Status::Ok) return checked;
    std::vector<Card> playedRun = {card};
    core::forEachEquivalent(deal, core::BRIDGE, card.index(), 1,
                            [&](int equal) { playedRun.push_back(Card::fromIndex(equal)); });
    auto test = [&](const Position& after, Card top, int mover, int winner, int& value) {
        if (std::find(playedRun.begin(), playedRun.end(), top) != playedRun.end()) {
            value = played;
            return Status::Ok;
        }
        const bool winnersSide = winner >= 0 && (winner & 1) == (mover & 1);
        bool reached = false;
        const Status status = solver.reaches(after, sideOf(static_cast<Seat>(mover)),
                                             best - (winnersSide ? 1 : 0), reached);
        value = reached ? best : best - 1;
        return status;
    };
    return core::valueEveryCard(core::BRIDGE, position, static_cast<int>(position.strain), test,
                                values);
}

}  // namespace

Status reviewPlay(BridgeSolver& solver, const Deal& deal, Strain strain, Seat leader,
                  const std::vector<Card>& cards, PlayReview& review, ReviewDetail detail) {
    review = PlayReview();
    if (static_cast<int>(leader) > 3) return Status::BadLeader;
    if (static_cast<int>(strain) > 4) return Status::BadStrain;
    for (Seat seat : ALL_SEATS) {
        if (deal.count(seat) != 13) return Status::NotFullDeal;
    }
    const bool declarerNorthSouth = !isNorthSouth(leader);
    Position position{deal, strain, leader, {}, 0};
    BridgeResult first;
    const Status solved = solver.solve(position, first);
    if (solved != Status::Ok) return solved;
    review.start = declarerNorthSouth ? first.northSouth : first.eastWest;
    int declarerCount = review.start;  // the value the last card left
    std::vector<CardValue> values;
    for (size_t place = 0; place < cards.size(); ++place) {
        const Seat mover = static_cast<Seat>(core::seatToMove(core::BRIDGE, position));
        const Card card = cards[place];
        Status status =
            tricksFromHere(position) == 0 ? Status::PlayOver : legality(position, mover, card);
        if (status != Status::Ok) {
            review.refusedCard = static_cast<int>(place);
            return status;
        }
        const SideCount count{isNorthSouth(mover) == declarerNorthSouth, review.declarerTricksTaken,
                              tricksFromHere(position)};
        const int best = count.movers(declarerCount);
        const bool everyCard = detail == ReviewDetail::EveryCard;
        int played = best;
        values.clear();
        if (everyCard) {
            status = solver.cardValues(position, values);
        } else {
            status = valueOf(solver, position, mover, card, best, played);
            if (status == Status::Ok && detail == ReviewDetail::Optimal)
                status = keepsOptimum(solver, position, best, card, played, values);
        }
        if (status != Status::Ok) return status;

        PlayedCardReview reviewed;
        reviewed.seat = mover;
        reviewed.card = card;
        for (const CardValue& value : values) {
            if (value.card == card) played = value.tricks;
            if (value.tricks == best) reviewed.optimal.push_back(value.card);
            if (everyCard) reviewed.values.push_back({value.card, count.declarers(value.tricks)});
        }
        reviewed.cost = best - played;
        reviewed.tricks = declarerCount = count.declarers(played);
        review.cards.push_back(std::move(reviewed));

        int winner = -1;
        position =
            core::afterPlaying(core::BRIDGE, position, card, static_cast<int>(strain), winner);
        if (winner >= 0 && isNorthSouth(static_cast<Seat>(winner)) == declarerNorthSouth)
            ++review.declarerTricksTaken;
    }
    return Status::Ok;
}

}  // namespace ddsolver
