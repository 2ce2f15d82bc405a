// Argument checks of the entries a host program can call: each entry runs its
// check first and refuses, touching nothing, what its solver cannot play out.
#pragma once

#include <cstdint>

#include "ddsolver/Status.h"

// Each check returns the first fault it finds, in the order the checks are
// written, or Status::Ok.
using ddsolver::Status;

// True when every card the game reads (all 52 in bridge, rank positions 0
// to 7 in preferans) has a code 0 to 8. The entries do not ask for it: they
// take any other code for a card out of play, as they always have.
bool cardCodesInRange(const int* deal, bool bridge);

// A deal array for the bridge solver (all 52 cards read): trump 0 to 4,
// leader 0 to 3, up to `maxOnTrick` cards on the trick in playing order
// from the leader, four hands of equal size with their trick cards.
Status checkBridgeDeal(const int* deal, int trump, int leader, int maxOnTrick = 4);

// A deal array for the preferans solver (rank positions 0 to 7 read; seats
// 0, 1 and 3 play; seat 2's cards are out of play): trump 0 to 4 unless the
// contract is misere, preferans leader and declarer, up to `maxOnTrick`
// cards on the trick in playing order from the leader, three hands of equal
// size with their trick cards.
Status checkPreferansDeal(const int* deal, int trump, int leader, int declarer, bool misere,
                          int maxOnTrick = 2);

// The preferans solver's own form: 32 holders (0 to 2 a player, any other
// value out of play) at suit * 8 + rank (0 = seven), players 0 to 2, the
// first and second card on the trick as suit and rank or -1. The cards on the
// trick are the leader's and the next player's and still held by them; the
// three players hold equally many.
Status checkPreferansOwnForm(const int* deal32, int trump, int declarer, int leader, bool misere,
                             int16_t leadSuit, int16_t leadRank, int16_t secondSuit,
                             int16_t secondRank);

// The arrays of the per-card evaluation: both deal arrays sound for the game
// (the position after the move may hold a full trick), the callback given,
// and the second array the first with one card of a hand put on the trick.
Status checkEstimate(const int* position, const int* positionAfterMove, int trump, int leader,
                     int declarer, bool bridge, bool misere, bool callbackGiven);

// A deal array for switchMove and the trick's leader, a seat of the game.
Status checkSwitchMove(const int* deal, int leader, bool bridge);
