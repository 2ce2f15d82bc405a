// Why a call refused its arguments: every call that can refuse returns a
// Status, and describe() gives its one-line message. Any thread.
#pragma once

namespace ddsolver {

enum class Status {
    Ok = 0,
    // Arguments
    NullArgument,    // a pointer or callback that must be given is null
    BadStrain,       // a strain or trump outside spades .. no trump
    BadLeader,       // the leader is not a seat of the game
    BadDeclarer,     // the declarer is not a seat of the game
    BadCard,         // a card outside the deck (in preferans: below the seven)
    SeatNotInGame,   // a card held by a seat that takes no part (South in preferans)
    CardTwice,       // a card both in a hand and on the trick, or twice on the trick
    BadThreadCount,  // a negative number of threads
    // The position
    TwoCardsFromSeat,  // one seat has two cards on the trick
    TrickTooLarge,     // more cards on the trick than the game allows there
    TrickNotLeaders,   // cards on the trick, none of them the leader's
    TrickOutOfOrder,   // a card on the trick whose seat's turn has not come
    UnevenHands,       // the seats start the trick with different numbers of cards
    NotOneMove,        // the position after a move is not the position with one card played
    NotFullDeal,       // a deal that does not give each seat thirteen cards
    // PBN deal text
    PbnBadFirstSeat,   // the seat before ':' is not N, E, S or W
    PbnTooFewHands,    // fewer than four hands
    PbnBadSuitCount,   // a hand without four suits separated by dots
    PbnBadRank,        // a character that is not a rank
    PbnCardTwice,      // a card in two places
    PbnBadHandSize,    // a hand of a full deal without 13 cards, or any hand over 13
    PbnTextAfterDeal,  // something after the fourth hand
    // Preferans deal text of the hidden-layout analysis (the program's messages)
    PrefTooFewAbsentCards,
    PrefTooManyDots,
    PrefInvalidSymbol,
    PrefInvalidCard,
    PrefTooManyAbsentCards,
    PrefTooManyPlayerCards,
    PrefLeadCardNotDeclarers,
    PrefTooManyLeadCards,
    PrefTooFewPlayerCards,
    PrefTooManyPlayerCardsWithLead,
    PrefCardTwice,
    // A played card sequence
    CardNotHeld,  // a card its player does not hold
    Revoke,       // a card of another suit from a player who holds the suit led
    PlayOver,     // a card after the last trick
    // Simulation
    BadConstraint,         // a constraint expression that does not parse
    BadContract,           // a contract that is not level, strain and declarer ("4S-N")
    UnseenCardKnown,       // a card both known and among the cards still to deal
    HandsNotEqual,         // known and unseen cards that do not make four equal hands
    TooManyLayouts,        // more layouts than an exact run takes (MAX_EXACT_LAYOUTS)
    ConstraintsTooStrict,  // no deal met the constraints in the tries allowed
    LeaderNotKnown,        // opening leads asked for a hand that is not wholly known
    NoSuchLeader,          // opening leads asked for a seat that leads against no contract
    // Numbers and buffers of the C interface
    BadVulnerability,  // a vulnerability outside 0 .. 3 (Vulnerability)
    BadTrickCount,     // a table entry outside 0 .. 13
    BufferTooSmall,    // a caller's buffer too small for the result
    // Resources (kept last)
    OutOfMemory,  // the solver's table could not be reserved
};

// The status's message: "ok" for Ok, a short lower-case phrase otherwise
// (the preferans deal-text statuses give the program's own messages).
const char* describe(Status status);

}  // namespace ddsolver
