// The preferans deal text: the declarer's cards, the two absent cards and an
// optional lead card.
#pragma once

#include "ddsolver/Status.h"

// Checks a preferans deal text and fills the caller's card arrays; returns
// Status::Ok when the text is valid, else the first fault found, whose
// describe() is the program's message.
ddsolver::Status parseDeal(const char* text, int leaderArgument, int playerCards[10],
                           int absentCards[2], int knownCards[12], int& leadCard);
