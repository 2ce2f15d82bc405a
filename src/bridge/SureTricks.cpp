// Sure tricks at a trick's start: tricks that one side takes whatever the
// others do, found without searching. Each rule marks in `relevant` the
// cards whose owners its argument relies on, so that a table entry made from
// a cut-off holds only for positions where the same argument holds.
#include <algorithm>

#include "bridge/Internal.h"

using namespace bridge;

// Tricks that `seat`, on lead, takes for sure by cashing: per suit, his
// cards above every other card of the suit (all of his cards once the others
// are out of the suit). At a trump contract a side suit counts no further
// than the length of an opponent who could ruff it. perSuit receives the
// count of each suit, `relevant` the cards the count relies on.
int BridgeSolver::cashTricks(int seat, uint16_t* relevant, int* perSuit) const {
    const int lho = (seat + 1) & 3, rho = (seat + 3) & 3;
    int total = 0;
    for (int s = 0; s < 4; ++s) {
        perSuit[s] = 0;
        const uint32_t held = hand_[seat][s];
        if (held == 0) continue;
        uint32_t rest = inHands_[s];
        int k = 0;
        while (rest != 0 && ((held >> highestRank(rest)) & 1)) {
            rest ^= 1u << highestRank(rest);
            ++k;
        }
        if (k == 0) continue;
        int others = 0;
        for (int o = 0; o < 4; ++o) {
            if (o != seat) others = std::max(others, countCards(hand_[o][s]));
        }
        int w = k >= others ? countCards(held) : k;
        if (trump_ != NO_TRUMP && s != trump_) {
            for (int o : {lho, rho}) {
                if (hand_[o][trump_] != 0) w = std::min(w, countCards(hand_[o][s]));
            }
        }
        if (w == 0) continue;
        perSuit[s] = w;
        total += w;
        // The argument relies on the owners of the top min(w, k) cards.
        uint32_t top = inHands_[s];
        for (int i = 1; i < std::min(w, k); ++i) top ^= 1u << highestRank(top);
        relevant[s] |= static_cast<uint16_t>(1u << highestRank(top));
    }
    return total;
}

// Tricks the side of `leader` takes for sure: his own cashing tricks, or his
// partner's when the leader can reach him in a suit the partner cashes (the
// first of those tricks is then the leader's lead to the partner's winner).
int BridgeSolver::quickTricks(int leader, uint16_t* relevant) const {
    int perSuit[4];
    const int own = cashTricks(leader, relevant, perSuit);
    uint16_t partnerRanks[4] = {0, 0, 0, 0};
    const int partner = cashTricks(leader ^ 2, partnerRanks, perSuit);
    if (partner <= own) return own;
    for (int s = 0; s < 4; ++s) {
        if (perSuit[s] == 0 || hand_[leader][s] == 0) continue;
        for (int u = 0; u < 4; ++u) relevant[u] = partnerRanks[u];
        return partner;
    }
    return own;
}

// Trumps win every trick they are played to once no higher trump is left:
// the hand that holds the top trump takes a trick with each card of its run
// of top trumps. Returns that run's length (0 at no trump or with no trump
// left) with its holder, and marks the run's lowest card.
int BridgeSolver::topTrumpTricks(int& holder, uint16_t* relevant) const {
    if (trump_ == NO_TRUMP || inHands_[trump_] == 0) return 0;
    uint32_t rest = inHands_[trump_];
    holder = owner_[trump_][highestRank(rest)];
    const uint32_t own = hand_[holder][trump_];
    int run = 0, lowest = 0;
    while (rest != 0 && ((own >> highestRank(rest)) & 1)) {
        lowest = highestRank(rest);
        rest ^= 1u << lowest;
        ++run;
    }
    relevant[trump_] |= static_cast<uint16_t>(1u << lowest);
    return run;
}
