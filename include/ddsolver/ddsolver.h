// The ddsolver library: double-dummy solving for bridge and preferans.
//   BridgeSolver, PrefSolver   one solver object per thread
//   Deal, Position, Card       the vocabulary, PBN deal text
//   solveTable, dealerPar      a deal's table and par
//   reviewPlay                 the cost of every card of a played deal
//   prefHistogram              the preferans hidden-layout analysis
//   readPlayedBoards           boards as played, read from PBN or LIN
//   simulate, Constraint       bridge simulation: deal, filter, solve, sum up
//   Status, describe           why a call refused its arguments
#pragma once

#include "BridgeSolver.h"
#include "Constraint.h"
#include "Deal.h"
#include "Par.h"
#include "PlayReview.h"
#include "PlayedBoard.h"
#include "PrefSolver.h"
#include "Simulation.h"
#include "Status.h"
#include "Table.h"
#include "Version.h"
