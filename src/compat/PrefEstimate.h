// Per-card evaluation in preferans, as BridgePosition::estimateAll hands it
// over for a preferans position.
#pragma once

#include "compat/EstimateTrick.h"

namespace preferans {

// Values every card the player to move in `position` may play (the move
// itself shown by `positionAfterMove`) and reports them through `out`.
void estimateAll(const int* position, const int* positionAfterMove, signed char trumpSuit,
                 int leader, int declarer, bool misere, int level, const estimate::Reporter& out);

}  // namespace preferans
