// The hidden-layout analysis: the unseen cards of a preferans deal and the
// numbered splits of them between the two defenders.
#include "analysis/HiddenLayout.h"

#include "core/Permutations.h"
#include "ddsolver/compat/DealCodes.h"

namespace {

constexpr int KNOWN_CARDS = 12;

}  // namespace

void listHiddenCards(const int knownCards[12], int hiddenCards[HIDDEN_CARDS]) {
    int hidden = 0;
    int known = 0;
    for (int card = 0; card < DEAL_CARDS; card++) {
        if (card % CARDS_PER_SUIT >= PREFERANS_RANKS) continue;
        if (known < KNOWN_CARDS && knownCards[known] == card) {
            known++;
            continue;
        }
        if (hidden < HIDDEN_CARDS) hiddenCards[hidden++] = card;
    }
}

void seekSplit(Permutations& splits, int split) {
    // binomial[m][j] = m choose j, for the small sizes of a split.
    static const auto binomial = [] {
        struct Table {
            int v[HIDDEN_CARDS + 1][HIDDEN_CARDS + 1] = {};
        } t;
        for (int m = 0; m <= HIDDEN_CARDS; m++) {
            t.v[m][0] = 1;
            for (int j = 1; j <= m; j++) t.v[m][j] = t.v[m - 1][j - 1] + t.v[m - 1][j];
        }
        return t;
    }();
    // Lexicographic order: the combinations whose position i holds c come
    // before those holding c + 1, and there are (n-1-c choose k-1-i) of them.
    int item = 0;
    for (int i = 0; i < splits.k; i++, item++) {
        for (;;) {
            const int after = binomial.v[splits.n - 1 - item][splits.k - 1 - i];
            if (split < after) break;
            split -= after;
            item++;
        }
        splits.digits[i] = item;
    }
}
