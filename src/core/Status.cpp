// The one-line message of every status.
#include "ddsolver/Status.h"

namespace ddsolver {

const char* describe(Status status) {
    switch (status) {
        case Status::Ok:
            return "ok";
        case Status::NullArgument:
            return "a required argument is null";
        case Status::BadStrain:
            return "strain out of range";
        case Status::BadLeader:
            return "leader not a seat of the game";
        case Status::BadDeclarer:
            return "declarer not a seat of the game";
        case Status::BadCard:
            return "not a card of the game";
        case Status::SeatNotInGame:
            return "cards held by a seat that does not play";
        case Status::CardTwice:
            return "a card both in a hand and on the trick";
        case Status::BadThreadCount:
            return "negative number of threads";
        case Status::TwoCardsFromSeat:
            return "two cards on the trick from one seat";
        case Status::TrickTooLarge:
            return "too many cards on the trick";
        case Status::TrickNotLeaders:
            return "card on the trick not the leader's";
        case Status::TrickOutOfOrder:
            return "card on the trick from a seat whose turn has not come";
        case Status::UnevenHands:
            return "uneven hands";
        case Status::NotOneMove:
            return "the position after the move is not one card on";
        case Status::NotFullDeal:
            return "not thirteen cards to each seat";
        case Status::PbnBadFirstSeat:
            return "unknown first seat";
        case Status::PbnTooFewHands:
            return "the deal needs four hands";
        case Status::PbnBadSuitCount:
            return "a hand needs four suits separated by dots";
        case Status::PbnBadRank:
            return "unknown rank";
        case Status::PbnCardTwice:
            return "a card appears twice";
        case Status::PbnBadHandSize:
            return "a hand has the wrong number of cards";
        case Status::PbnTextAfterDeal:
            return "text after the fourth hand";
        case Status::PrefTooFewAbsentCards:
            return "too few absent cards";
        case Status::PrefTooManyDots:
            return "too many dots";
        case Status::PrefInvalidSymbol:
            return "invalid symbol";
        case Status::PrefInvalidCard:
            return "invalid card";
        case Status::PrefTooManyAbsentCards:
            return "too many absent cards";
        case Status::PrefTooManyPlayerCards:
            return "too many player cards";
        case Status::PrefLeadCardNotDeclarers:
            return "error lead card found when player is not north";
        case Status::PrefTooManyLeadCards:
            return "too many lead cards";
        case Status::PrefTooFewPlayerCards:
            return "too few player cards";
        case Status::PrefTooManyPlayerCardsWithLead:
            return "too many player cards with a lead card";
        case Status::PrefCardTwice:
            return "same card appears two or more times";
        case Status::CardNotHeld: return "a card its player does not hold";
        case Status::Revoke: return "a revoke: the player holds the suit led";
        case Status::PlayOver: return "a card after the last trick";
        case Status::BadConstraint: return "the constraint expression is not valid";
        case Status::BadContract: return "a contract needs a level, a strain and a declarer, e.g. 4S-N";
        case Status::UnseenCardKnown: return "a card is both known and unseen";
        case Status::HandsNotEqual:
            return "the known and unseen cards do not make four equal hands";
        case Status::TooManyLayouts: return "too many layouts for an exact run";
        case Status::ConstraintsTooStrict: return "no deal met the constraints in the tries allowed";
        case Status::LeaderNotKnown: return "the opening leader's hand is not wholly known";
        case Status::NoSuchLeader: return "the seat leads against none of the contracts";
        case Status::BadVulnerability:
            return "vulnerability out of range";
        case Status::BadTrickCount:
            return "trick count out of range";
        case Status::BufferTooSmall:
            return "buffer too small for the result";
        case Status::OutOfMemory:
            return "the solver's table could not be reserved";
    }
    return "unknown status";
}

}  // namespace ddsolver
