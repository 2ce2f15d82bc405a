// The hidden-layout analysis of a preferans deal: the twenty cards the
// declarer cannot see, and the numbered splits of them into two hands of ten.
#pragma once

class Permutations;

// The twenty cards the declarer cannot see, and the ways to deal them ten and ten.
constexpr int HIDDEN_CARDS = 20;
constexpr int HIDDEN_SPLITS = 184756;

// The cards of rank ace to seven that are not among the twelve known cards
// (sorted ascending), in ascending card index.
void listHiddenCards(const int knownCards[12], int hiddenCards[HIDDEN_CARDS]);

// Puts a COMBINATION enumerator straight onto the combination that `split`
// steps from the first one would reach (0 <= split < its number()).
void seekSplit(Permutations& splits, int split);
