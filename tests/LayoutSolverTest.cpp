// The hidden-layout solver against the yes/no reference over every split of
// small endings, with one solver (so one table) for all the splits of a game,
// as the analysis runs it: an entry that stands for many positions must
// answer rightly for every one of them, also when the table is small enough
// to replace entries all the time.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "preferans/LayoutCards.h"
#include "support/PrefThresholdReference.h"

namespace {

using preferans::CardSet;
using preferans::LayoutGame;
using preferans::LayoutPosition;

// Deal-array index of a solver card (suit * 8 + rank, rank 0 the seven).
int dealIndex(int card) {
    return card / 8 * 13 + 7 - card % 8;
}
constexpr int SEAT_OF_PLAYER[3] = {0, 1, 3};
constexpr int CODE_OF_PLAYER[3] = {1, 2, 4};

int referenceTricks(const LayoutGame& game, const LayoutPosition& position) {
    int deal[52] = {0};
    for (int p = 0; p < 3; p++) {
        for (int c = 0; c < 32; c++) {
            if ((position.hands[p] >> c) & 1) deal[dealIndex(c)] = CODE_OF_PLAYER[p];
        }
    }
    for (int i = 0; i < position.trickCount; i++) {
        deal[dealIndex(position.trick[i])] = CODE_OF_PLAYER[(position.leader + i) % 3] + 4;
    }
    PrefThresholdReference reference(deal, game.trump, SEAT_OF_PLAYER[position.leader],
                                     SEAT_OF_PLAYER[game.declarer], game.misere);
    return reference.declarerTricks();
}

// Large enough for lines of 8 entries of 8 bytes in misere; the smallest
// table with such entries has lines of 2.
constexpr size_t ROOMY = preferans::LayoutTable::MIN_COMPACT_BYTES * 4;
constexpr size_t SMALL_COMPACT = preferans::LayoutTable::MIN_COMPACT_BYTES;

struct Ending {
    LayoutGame game;
    LayoutPosition root;     // the declarer's hand, the leader and any lead card
    std::vector<int> hidden;  // the cards the two defenders share, split in every way
};

// A random ending of `tricks` tricks; when `withLead`, the declarer leads and
// his first card is already on the table.
Ending randomEnding(std::mt19937& rng, int tricks, int round, bool withLead) {
    std::vector<int> pack(32);
    for (int c = 0; c < 32; c++) pack[c] = c;
    std::shuffle(pack.begin(), pack.end(), rng);
    Ending e;
    e.game.misere = round % 3 == 2;
    e.game.trump = e.game.misere ? NO_TRUMP : static_cast<int>(rng() % 5);
    e.game.declarer = static_cast<int>(rng() % 3);
    e.root.leader = withLead ? e.game.declarer : static_cast<int>(rng() % 3);
    int next = 0;
    for (int i = withLead ? 1 : 0; i < tricks; i++) {
        e.root.hands[e.game.declarer] |= 1u << pack[next++];
    }
    if (withLead) {
        e.root.trickCount = 1;
        e.root.trick[0] = pack[next++];
    }
    e.hidden.assign(pack.begin() + next, pack.begin() + next + 2 * tricks);
    return e;
}

// A misere ending of `tricks` tricks in two suits (so that every hand
// meets the others in them), the declarer's cards drawn from the `spread`
// highest of the ranks when `high`, else from the lowest: endings where he
// is often forced to win tricks or sure to lose them all.
Ending lopsidedMisere(std::mt19937& rng, int tricks, bool high, int spread = 8) {
    const int first = static_cast<int>(rng() % 4);
    const int second = (first + 1 + static_cast<int>(rng() % 3)) % 4;
    std::vector<int> pack;
    for (int s : {first, second}) {
        for (int r = 0; r < 8; r++) pack.push_back(s * 8 + r);
    }
    std::shuffle(pack.begin(), pack.end(), rng);
    // Higher ranks first (or lower), the suits mixed within a rank.
    std::stable_sort(pack.begin(), pack.end(), [high](int a, int b) {
        return high ? a % 8 > b % 8 : a % 8 < b % 8;
    });
    Ending e;
    e.game.misere = true;
    e.game.declarer = static_cast<int>(rng() % 3);
    e.root.leader = static_cast<int>(rng() % 3);
    // His cards from the first ones, not always the very top ones.
    std::shuffle(pack.begin(), pack.begin() + spread, rng);
    for (int i = 0; i < tricks; i++) e.root.hands[e.game.declarer] |= 1u << pack[i];
    std::shuffle(pack.begin() + tricks, pack.end(), rng);
    e.hidden.assign(pack.begin() + tricks, pack.begin() + 3 * tricks);
    return e;
}

// Solves every split of the ending in the order of the analysis (the first
// defender's share in lexicographic order) with one solver, checking each
// against the reference; returns how many splits disagreed.
int disagreements(const Ending& e, size_t tableBytes) {
    preferans::LayoutSolver solver(tableBytes);
    const int n = static_cast<int>(e.hidden.size()) / 2;
    const int first = (e.game.declarer + 1) % 3;
    const int second = (e.game.declarer + 2) % 3;
    std::vector<int> choice(n);
    for (int i = 0; i < n; i++) choice[i] = i;
    int wrong = 0;
    int guess = 0;
    while (true) {
        LayoutPosition position = e.root;
        CardSet chosen = 0, all = 0;
        for (int c : e.hidden) all |= 1u << c;
        for (int i : choice) chosen |= 1u << e.hidden[i];
        position.hands[first] = chosen;
        position.hands[second] = all & ~chosen;
        guess = solver.declarerTricks(e.game, position, guess);
        const int expected = referenceTricks(e.game, position);
        if (guess != expected) {
            ADD_FAILURE() << "split " << chosen << ": " << guess << " tricks, reference "
                          << expected;
            if (++wrong > 3) return wrong;
        }
        int i = n - 1;
        while (i >= 0 && choice[i] == 2 * n - n + i) i--;
        if (i < 0) return wrong;
        choice[i]++;
        for (int j = i + 1; j < n; j++) choice[j] = choice[j - 1] + 1;
    }
}

}  // namespace

TEST(LayoutSolver, EverySplitOfSmallEndingsMatchesReference) {
    std::mt19937 rng(1729);
    for (int round = 0; round < 150; round++) {
        const Ending e = randomEnding(rng, 3 + round % 3, round, round % 4 == 3);
        SCOPED_TRACE("round " + std::to_string(round) + (e.game.misere ? " misere" : "") +
                     " trump " + std::to_string(e.game.trump) + " declarer " +
                     std::to_string(e.game.declarer) + " leader " +
                     std::to_string(e.root.leader));
        // A table that replaces entries at once, and a roomy one (with
        // 8-byte entries in misere).
        const size_t bytes = round % 2 == 0 ? preferans::LayoutTable::MIN_BYTES : ROOMY;
        ASSERT_EQ(disagreements(e, bytes), 0);
    }
}

// Longer endings, where entries serve splits many tricks deep.
TEST(LayoutSolver, EverySplitOfSevenTrickEndingsMatchesReference) {
    std::mt19937 rng(4104);
    for (int round = 0; round < 6; round++) {
        const Ending e = randomEnding(rng, 6, round, round == 5);
        SCOPED_TRACE("round " + std::to_string(round) + " trump " + std::to_string(e.game.trump));
        ASSERT_EQ(disagreements(e, size_t{8} << 20), 0);
    }
}

// Misere endings where the declarer's cards sit over or under the defenders':
// the positions the sure-trick bounds settle, with each leader.
TEST(LayoutSolver, EverySplitOfLopsidedMisereEndingsMatchesReference) {
    std::mt19937 rng(31337);
    for (int round = 0; round < 24; round++) {
        const Ending e = lopsidedMisere(rng, 4 + round % 2, round % 3 != 2);
        SCOPED_TRACE("round " + std::to_string(round) + " declarer " +
                     std::to_string(e.game.declarer) + " leader " +
                     std::to_string(e.root.leader));
        ASSERT_EQ(disagreements(e, ROOMY), 0);
    }
    // His cards between theirs, often with him on lead: the suits he ducks
    // round after round, and the leads that give the defenders the lead.
    for (int round = 0; round < 40; round++) {
        Ending e = lopsidedMisere(rng, 4 + round % 2, false, 12);
        if (round % 2 == 0) e.root.leader = e.game.declarer;
        SCOPED_TRACE("interleaved round " + std::to_string(round));
        const size_t sizes[3] = {size_t{8} << 20, SMALL_COMPACT, ROOMY};
        ASSERT_EQ(disagreements(e, sizes[round % 3]), 0);
    }
}

// The misere bounds at a trick start against the reference, on random
// positions of two to four suits, where traps, escapes and suits he ducks
// for good all come up; both sides on lead must meet the upper bound below
// the tricks left, or the rule that lowers it goes untested.
TEST(LayoutSolver, MisereOutlookHoldsOnRandomPositions) {
    std::mt19937 rng(2718);
    int lowered[2] = {0, 0};  // upper bounds under the tricks left: declarer on lead, defender
    for (int round = 0; round < 20000; round++) {
        const int tricks = 2 + round % 6;
        std::vector<int> pack;
        const int suits = 2 + static_cast<int>(rng() % 3);
        const int firstSuit = static_cast<int>(rng() % 4);
        for (int s = 0; s < suits; s++) {
            for (int r = 0; r < 8; r++) pack.push_back((firstSuit + s) % 4 * 8 + r);
        }
        if (static_cast<int>(pack.size()) < 3 * tricks) continue;
        std::shuffle(pack.begin(), pack.end(), rng);
        LayoutGame game;
        game.misere = true;
        game.declarer = static_cast<int>(rng() % 3);
        LayoutPosition position;
        position.leader = static_cast<int>(rng() % 3);
        for (int p = 0; p < 3; p++) {
            for (int i = 0; i < tricks; i++) position.hands[p] |= 1u << pack[p * tricks + i];
        }
        const preferans::MisereBounds sure =
            preferans::misereOutlook(position.hands, game.declarer, position.leader);
        const int expected = referenceTricks(game, position);
        ASSERT_TRUE(sure.low <= expected && expected <= sure.high)
            << "round " << round << ": bounds " << sure.low << "-" << sure.high
            << ", reference " << expected;
        if (sure.high < tricks) lowered[position.leader == game.declarer ? 0 : 1]++;
        // Without the edges it keeps the answers "none" and "all", and only those.
        const preferans::MisereBounds settled =
            preferans::misereOutlook(position.hands, game.declarer, position.leader, false);
        const bool whole = sure.low == sure.high && (sure.low == 0 || sure.low == tricks);
        ASSERT_TRUE(whole ? settled.low == sure.low && settled.high == sure.high
                          : settled.low == 0 && settled.high == tricks)
            << "round " << round;
    }
    EXPECT_GT(lowered[0], 0);
    EXPECT_GT(lowered[1], 0);
}
