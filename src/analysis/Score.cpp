// Duplicate bridge scoring of made undoubled contracts and doubled undertricks,
// the two kinds of contract a par result ends in.
#include "analysis/Score.h"

#include "ddsolver/compat/DealCodes.h"

namespace ddsolver {

namespace {

bool isMinor(int strain) {
    return strain == 2 || strain == 3;
}

int trickValue(int strain) {
    return isMinor(strain) ? 20 : 30;
}

}  // namespace

int madeScore(int level, int strain, int tricks, bool vulnerable) {
    int contractPoints = level * trickValue(strain) + (strain == NO_TRUMP ? 10 : 0);
    int score = contractPoints + (tricks - 6 - level) * trickValue(strain);
    score += contractPoints >= 100 ? (vulnerable ? 500 : 300) : 50;
    if (level == 6) score += vulnerable ? 750 : 500;
    if (level == 7) score += vulnerable ? 1500 : 1000;
    return score;
}

int doubledPenalty(int undertricks, bool vulnerable) {
    if (vulnerable) return 200 + 300 * (undertricks - 1);
    if (undertricks <= 3) return 100 + 200 * (undertricks - 1);
    return 500 + 300 * (undertricks - 3);
}

}  // namespace ddsolver
