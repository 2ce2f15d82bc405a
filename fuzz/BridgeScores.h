// Every score a par result can end in, worked out from the laws of duplicate
// scoring and apart from the table program's own scoring: a contract made
// undoubled, with or without overtricks, or one doubled and going down.
#pragma once

// True when `score` (North-South's view) is one of those scores, or 0 for a
// deal passed out, for the vulnerability (0 none, 1 all, 2 North-South, 3
// East-West).
bool isParScore(int score, int vulnerability);
