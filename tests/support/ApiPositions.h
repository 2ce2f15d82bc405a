// The reference solvers' deal arrays as positions of the public vocabulary,
// for the tests of the library's public calls.
#pragma once

#include <string>
#include <vector>

#include "ddsolver/ddsolver.h"
#include "support/BridgeReference.h"
#include "support/PrefPositions.h"

// A bridge position of the references (at most three cards on the trick).
ddsolver::Position apiPosition(const bridgeref::Position& position);

// A preferans position of the test generator: rank positions 8 to 12 and
// seat 2's codes are out of play. The strain is left at no trump: the
// contract names the trump.
ddsolver::Position apiPosition(const PrefTestPosition& position);
ddsolver::PrefContract apiContract(const PrefTestPosition& position);

// A list of card values written "SA:3 H7:2 ...", in the order given.
std::string valuesText(const std::vector<ddsolver::CardValue>& values);

// Card values as the public calls order them: best first, ties by deal index
// (suit order, high cards first).
std::vector<ddsolver::CardValue> bestFirst(std::vector<ddsolver::CardValue> values);
// The bridge reference's card values in that form and order.
std::vector<ddsolver::CardValue> bestFirst(const std::vector<bridgeref::CardValue>& values);
// Every legal card of the player to move with the tricks his side takes, by
// the preferans reference, in that order.
std::vector<ddsolver::CardValue> prefReferenceValues(const PrefTestPosition& position);
