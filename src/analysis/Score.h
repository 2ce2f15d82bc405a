// Duplicate bridge scores of a contract from the declaring side's point of view.
#pragma once

namespace ddsolver {

// Score of an undoubled contract that makes (tricks >= level + 6), overtricks included.
int madeScore(int level, int strain, int tricks, bool vulnerable);

// What a doubled contract that goes down by undertricks (>= 1) costs, as a positive number.
int doubledPenalty(int undertricks, bool vulnerable);

}  // namespace ddsolver
