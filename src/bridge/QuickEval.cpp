// Bridge quick evaluation gP: settles "is the score above a?" without playing
// a card, from the trick bounds, the last trick, the no-trump quick tricks,
// the transposition table and four tests on the trump suit.
#include <algorithm>

#include "bridge/TrickPlay.h"

using namespace bridge;

namespace {

// Adds k to every 2-bit owner digit of x modulo 4 (y holds k in every
// digit): a sum whose carries stay inside each digit.
inline uint32_t addToDigits(uint32_t x, uint32_t y) {
    return (x ^ y) ^ ((x & y & 0x55555555u) << 1);
}

// Tricks that the side on lead takes for sure at no trump by playing its
// suits from the top, from the ST summaries of each suit with 1 to 10 cards.
int noTrumpTricks(uint32_t leader, int tricksLeft) {
    // Owner digits renumbered so that the leader is 0 and his partner 2.
    const uint32_t renumber = ((4 - leader) & 3) * 0x55555u;
    int sumT = 0, sumL = 0, sumP = 0, sumLP = 0, m = 14;
    bool anyL = false, anyP = false;
    for (int s = 0; s < 4; ++s) {
        const uint32_t index = SSCODE[s];
        const uint32_t n = nofbits[index] >> 1;
        if (n == 0 || n > MAX_ST_CARDS) continue;
        const uint32_t pattern = addToDigits(CodeArrayST[index], renumber) & ((1u << (2 * n)) - 1);
        const uint32_t e = BridgePosition::ST[n][pattern];
        const int solo0 = static_cast<int>((e >> 8) & 15);
        const int solo2 = static_cast<int>((e >> 12) & 15);
        sumT += static_cast<int>(e & 15);
        sumL += solo0;
        sumP += solo2;
        if (e & 16) {
            anyL = true;
            m = std::min(m, solo2);
        }
        if (e & 32) {
            anyP = true;
            sumLP += solo0;
            m = std::min(m, solo0);
        }
    }
    int est = sumT + sumL;
    if (anyP) est = anyL ? sumL + sumP + sumT - m : sumL + sumP + sumT - sumLP;
    return std::min(est, tricksLeft);
}

// True when the two highest trumps belong to seats x and y (one of them both,
// or one each with a lower trump of either behind them): two sure tricks.
bool holdsTopTwoTrumps(int tr, uint8_t x, uint8_t y) {
    const Item* tail = &BridgePosition::D[tr];
    const Item* first = BridgePosition::Q[tr].lower;
    if (first == tail || first->lower == tail) return false;
    const Item* second = first->lower;
    auto sides = [&](const Item* c) { return c->owner == x || c->owner == y; };
    if (!sides(first) || !sides(second)) return false;
    if (first->owner == second->owner) return true;
    for (const Item* c = second->lower; c != tail; c = c->lower) {
        if (sides(c)) return true;
    }
    return false;
}

// True when the side on lead surely takes a trick: a top trump of its own,
// a top card that no opponent can ruff or overruff, a ruff by the partner
// that no opponent can overruff, or a lead to the partner's top card when
// no opponent holds a trump.
bool takesATrick(const BridgePosition& r, int tr) {
    const uint8_t leader = r.who[0], second = r.who[1], partner = r.who[2], fourth = r.who[3];
    const Item* tail = &BridgePosition::D[tr];
    const Item* topTrump = BridgePosition::Q[tr].lower;
    if (topTrump->owner == leader || topTrump->owner == partner) return true;
    int z = -1, y = -1, x = -1;  // highest trump of second, partner, fourth
    for (const Item* c = topTrump; c != tail; c = c->lower) {
        if (c->owner == second && z < 0) z = c->rank;
        if (c->owner == partner && y < 0) y = c->rank;
        if (c->owner == fourth && x < 0) x = c->rank;
    }
    const bool noRuff = z < 0 && x < 0;
    for (int u = 0; u < 4; ++u) {
        if (u == tr) continue;
        const Item* top = BridgePosition::Q[u].lower;
        if (top == &BridgePosition::D[u]) continue;
        bool holds[4] = {false, false, false, false};  // cards below the top, by seat
        for (const Item* c = top->lower; c != &BridgePosition::D[u]; c = c->lower) {
            holds[c->owner] = true;
        }
        const bool fP = holds[partner];
        // The partner, void in u, ruffs above an opponent's highest trump.
        auto overruffs = [&](int opponentTrump) {
            return !fP && y >= 0 && (opponentTrump < 0 || y > opponentTrump);
        };
        // An opponent cannot take the leader's top card: he follows, holds
        // no trump, or the partner overruffs him.
        auto safeFrom = [&](uint8_t seat, int opponentTrump) {
            return holds[seat] || opponentTrump < 0 || overruffs(opponentTrump);
        };
        const bool fL = holds[leader];
        if (top->owner == leader) {
            if (safeFrom(second, z) && safeFrom(fourth, x)) return true;
        } else if (top->owner == second) {
            if (fL && overruffs(x)) return true;
        } else if (top->owner == fourth) {
            if (fL && overruffs(z)) return true;
        } else if (fL && noRuff) {
            return true;
        }
    }
    return false;
}

// The trump tests for the extreme thresholds; 100 when they decide nothing.
int trumpTests(const BridgePosition& r, int a, int t) {
    const int tr = BridgePosition::trump;
    if (a == -t) return takesATrick(r, tr) ? a + 2 : UNDECIDED;
    if (a == t - 2) {
        const uint8_t owner = BridgePosition::Q[tr].lower->owner;
        return owner == r.who[1] || owner == r.who[3] ? a : UNDECIDED;
    }
    if (a == 2 - t) return holdsTopTwoTrumps(tr, r.who[0], r.who[2]) ? a + 2 : UNDECIDED;
    if (a == t - 4) return holdsTopTwoTrumps(tr, r.who[1], r.who[3]) ? a : UNDECIDED;
    return UNDECIDED;
}

}  // namespace

int BridgePosition::gP(int a) {
    ++NodeCount;
    const int t = tricksLeft;
    if (t <= a) return a;
    if (a + 1 < -t) return a + 2;
    if (child == nullptr) return lastTrickScore(*this);
    refreshSuitCode(*this);
    const uint32_t leader = who[0];
    __builtin_prefetch(&hashtable[hashIndex(suitCode, leader)]);
    if (trump == 4 && 2 * noTrumpTricks(leader, t) > t + a) return a + 2;
    int answer;
    if (probeTable(suitCode, leader, a, answer)) return answer;
    if (trump == 4) return UNDECIDED;
    return trumpTests(*this, a, t);
}
