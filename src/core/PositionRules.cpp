// Positions of the public vocabulary against the rules of their game.
#include "core/PositionRules.h"

namespace core {

namespace {

// Whether the game deals this card: preferans plays the seven to the ace.
bool inDeck(const GameRules& game, Card card) {
    return card.valid() && game.isRead(card.index());
}

}  // namespace

Status toDealArray(const GameRules& game, const Position& position, int deal[DEAL_CARDS]) {
    const int leader = static_cast<int>(position.leader);
    if (!game.validSeat(leader)) return Status::BadLeader;
    if (position.trickCount < 0 || position.trickCount >= game.trickSize)
        return Status::TrickTooLarge;
    for (int index = 0; index < DEAL_CARDS; ++index) {
        const Card card = Card::fromIndex(index);
        const std::optional<ddsolver::Seat> holder = position.hands.holder(card);
        deal[index] = CODE_OUT_OF_PLAY;
        if (!holder) continue;
        const int seat = static_cast<int>(*holder);
        if (!inDeck(game, card)) return Status::BadCard;
        if (!game.validSeat(seat)) return Status::SeatNotInGame;
        deal[index] = inHandCode(seat);
    }
    for (int place = 0; place < position.trickCount; ++place) {
        const Card card = position.trick[place];
        if (!inDeck(game, card)) return Status::BadCard;
        if (deal[card.index()] != CODE_OUT_OF_PLAY) return Status::CardTwice;
        deal[card.index()] = onTrickCode(game.seatAt(leader, place));
    }
    // The trick's seats are right by construction: what is left is the hands.
    const SeatCounts counts = countSeats(deal, game);
    for (int place = 1; place < game.trickSize; ++place) {
        if (counts.total(game.seats[place]) != counts.total(game.seats[0]))
            return Status::UnevenHands;
    }
    return Status::Ok;
}

Position afterPlaying(const GameRules& game, const Position& position, Card card, int trump,
                      int& winner) {
    Position after = position;
    after.hands.remove(card);
    winner = -1;
    if (position.trickCount + 1 < game.trickSize) {
        after.trick[after.trickCount++] = card;
        return after;
    }
    int cards[4];
    for (int place = 0; place < position.trickCount; ++place)
        cards[place] = position.trick[place].index();
    cards[position.trickCount] = card.index();
    winner =
        game.seatAt(static_cast<int>(position.leader), winningPlace(cards, game.trickSize, trump));
    after.leader = static_cast<ddsolver::Seat>(winner);
    after.trick = {};
    after.trickCount = 0;
    return after;
}

int legalRunTops(const GameRules& game, const Position& position, int trump,
                 const int deal[DEAL_CARDS], int tops[CARDS_PER_SUIT]) {
    const int mover = seatToMove(game, position);
    const ddsolver::Seat seat = static_cast<ddsolver::Seat>(mover);
    int suits[4] = {0, 1, 2, 3}, suitCount = 4;
    if (position.trickCount > 0) {
        const ddsolver::Suit led = position.trick[0].suit();
        const ddsolver::Suit trumps = static_cast<ddsolver::Suit>(trump);
        if (position.hands.count(seat, led) > 0) {
            suits[0] = static_cast<int>(led);
            suitCount = 1;
        } else if (!game.bridge && trump != NO_TRUMP && position.hands.count(seat, trumps) > 0) {
            suits[0] = trump;  // in preferans a player void in the suit led must trump
            suitCount = 1;
        }
    }
    int n = 0;
    for (int i = 0; i < suitCount; ++i) n += runTops(deal, game, suits[i], mover, false, tops + n);
    return n;
}

void sortValues(std::vector<CardValue>& values) {
    std::stable_sort(values.begin(), values.end(), [](const CardValue& a, const CardValue& b) {
        if (a.tricks != b.tricks) return a.tricks > b.tricks;
        return a.card.index() < b.card.index();
    });
}

}  // namespace core
