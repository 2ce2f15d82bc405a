// Checks a decoded position string before any solver sees it: the entries'
// own checks, with the program's messages, and bridge deals start a fresh trick.
#include "core/EntryChecks.h"
#include "ddsolver/compat/frontend/PositionString.h"

namespace {

const char* messageOf(Status problem) {
    switch (problem) {
        case Status::Ok:
            return "";
        case Status::BadStrain:
            return "trump character out of range";
        case Status::BadLeader:
            return "leader not 0, 1 or 3";
        case Status::BadDeclarer:
            return "declarer not 0, 1 or 3";
        case Status::TwoCardsFromSeat:
            return "two cards on the trick from one seat";
        case Status::TrickTooLarge:
            return "more than two cards on the trick";
        case Status::TrickNotLeaders:
            return "card on the trick not the leader's";
        case Status::TrickOutOfOrder:
            return "second card on the trick not from the seat after the leader";
        case Status::UnevenHands:
            return "uneven hands";
        default:
            return "invalid arguments";
    }
}

// The four solves of a bridge deal start a fresh trick for each leader in
// turn, so the deal may hold no card on the trick; its leader character is
// not read.
std::string checkBridge(const DecodedPosition& position) {
    const Status problem = checkBridgeDeal(position.deal, position.trump, 0, 0);
    if (problem == Status::TwoCardsFromSeat || problem == Status::TrickTooLarge) {
        return "card on the trick in a bridge deal";
    }
    return messageOf(problem);
}

}  // namespace

std::string checkPosition(const DecodedPosition& position) {
    if (!cardCodesInRange(position.deal, position.bridge)) return "card character out of range";
    if (position.bridge) return checkBridge(position);
    return messageOf(checkPreferansDeal(position.deal, position.trump, position.leader,
                                        position.declarer, position.misere));
}
