// Search of the hidden-layout solver: tests "the declarer takes at least
// `target` of the tricks left", each answered with the strongest bound on his
// tricks that its search saw, trick by trick, with the table at trick
// starts. In trump and no-trump games each test also gives the cards whose
// ranks decided it, so that its table entry covers every position that
// shares them.
#include <algorithm>

#include "preferans/LayoutCards.h"

#ifdef DDSOLVER_LAYOUT_COUNTERS
#define LAYOUT_COUNT(statement) statement
#else
#define LAYOUT_COUNT(statement)
#endif

namespace preferans {

int LayoutSolver::winningPlace(const Trick& trick) const {
    int place = 0;
    for (int i = 1; i < 3; i++) {
        if (takesOver(trick.cards[place], trick.cards[i], game_.trump)) place = i;
    }
    return place;
}

CardSet LayoutSolver::winnerByRank(const Trick& trick, int place) const {
    const int winning = trick.cards[place];
    for (int i = 0; i < 3; i++) {
        if (i != place && suitOf(trick.cards[i]) == suitOf(winning)) return cardBit(winning);
    }
    return 0;
}

int LayoutSolver::lastTrickForDeclarer(int leader, CardSet& mattered) const {
    Trick trick{leader, 3, {}, 1, 0};
    for (int i = 0; i < 3; i++) trick.cards[i] = highestCard(hands_[(leader + i) % PLAYERS]);
    const int place = winningPlace(trick);
    mattered = winnerByRank(trick, place);
    return (leader + place) % PLAYERS == game_.declarer ? 1 : 0;
}

int LayoutSolver::trickStart(int leader, int tricks, int target, uint64_t key,
                             CardSet& mattered) {
    mattered = 0;
    if (target <= 0) return 0;
    if (target > tricks) return tricks;
    if (tricks == 1) return lastTrickForDeclarer(leader, mattered);
    nodes_++;
    LAYOUT_COUNT(counters_.nodes[tricks]++);
    // The shape's mask line loads while the sure tricks are counted.
    const uint64_t shape = partitioned_ ? shapeKey(leader) : 0;
    if (partitioned_) table_->prefetchMasks(shape);
    if (!game_.misere) {
        CardSet winners = 0;
        const int sure = quickTricks(leader, winners);
        if (leader == game_.declarer ? sure >= target : tricks - sure < target) {
            mattered = winners;
            return leader == game_.declarer ? sure : tricks - sure;
        }
    }
    if (key == 0) key = ownerKey();
    int first = -1;
    int value = 0;
    if (lookUp(shape, key, leader, tricks, target, &value, mattered, &first)) return value;
    // The table line is often in cache already (the trick's last card
    // fetched it), while the misere outlook reads every suit.
    if (game_.misere) {
        const MisereBounds sure =
            misereOutlook(hands_, game_.declarer, leader, target <= 1 || target >= tricks);
        const int known = sure.low >= target ? sure.low : sure.high < target ? sure.high : -1;
        if (known >= 0) {
            // Stored too, as the least worth keeping: the last card of the
            // trick before finds it there and needs no trick start.
            record(shape, key, leader, tricks, target, known, LayoutTable::NO_MOVE, 0, 1);
            return known;
        }
    }
    // In misere the lead that last settled a test in the same context goes
    // first, even before the table's: it is fresher.
    const uint64_t context = game_.misere ? leadContext(leader) : 0;
    const int remembered = game_.misere ? leads_.lead(context, hands_[leader]) : -1;
    if (remembered >= 0) first = remembered;
    Trick trick{leader, 0, {}, tricks, key};
    int settled = -1;
    const uint64_t before = nodes_;
    value = playNext(trick, target, first, &settled, mattered);
    if (game_.misere && settled >= 0) leads_.remember(context, settled);
    record(shape, key, leader, tricks, target, value,
           settled < 0 ? LayoutTable::NO_MOVE : relativeLead(settled), mattered, nodes_ - before);
    return value;
}

bool LayoutSolver::lookUp(uint64_t shape, uint64_t key, int leader, int tricks, int target,
                          int* value, CardSet& mattered, int* first) {
    LayoutTable::Bounds exact;
    if (table_->probeExact(key, leader, exact)) {
        if (exact.lower >= target || exact.upper < target) {
            LAYOUT_COUNT(counters_.exactCuts[tricks]++);
            const bool reached = exact.lower >= target;
            *value = reached ? exact.lower : exact.upper;
            if (partitioned_) mattered = cardsOfTops(reached ? exact.lowerTops : exact.upperTops);
            return true;
        }
        if (exact.best != LayoutTable::NO_MOVE) *first = leadOfRelative(exact.best);
    }
    if (!partitioned_) return false;
    const LayoutTable::ShapeMasks& known = table_->masksOf(shape);
    if (known.shape != shape) return false;
    int masks = 0;
    while (masks < LayoutTable::MASKS && known.masks[masks] != LayoutTable::NO_MASK) masks++;
    // The slots are far apart: fetch them all at once.
    for (int i = 0; i < masks; i++) table_->prefetch(shape, known.masks[i], key & known.masks[i]);
    for (int i = 0; i < masks; i++) {
        const uint64_t mask = known.masks[i];
        LAYOUT_COUNT(counters_.shapeProbes[tricks]++);
        LayoutTable::Entry* e = table_->probe(shape, mask, key & mask);
        if (e == nullptr) continue;
        if (e->lower >= target || e->upper < target) {
            LAYOUT_COUNT(counters_.shapeCuts[tricks]++);
#ifdef DDSOLVER_LAYOUT_COUNTERS
            const uint32_t split = static_cast<uint32_t>(splits_);
            if (e->lastSplit != split) counters_.splitsServed++;
            e->lastSplit = split;
#endif
            const bool reached = e->lower >= target;
            *value = reached ? e->lower : e->upper;
            mattered = cardsOfMask(mask);
            // The next visit of this very position reads one line.
            table_->storeExact(key, leader, tricks, reached ? e->lower : e->upper + 1, reached,
                              e->best, topsOf(mattered));
            return true;
        }
        if (e->best != LayoutTable::NO_MOVE && *first < 0) *first = leadOfRelative(e->best);
    }
    return false;
}

void LayoutSolver::record(uint64_t shape, uint64_t key, int leader, int tricks, int test,
                          int value, int best, CardSet mattered, uint64_t work) {
    LAYOUT_COUNT(counters_.stores[tricks]++);
    // The bound the search proved: a value at least the test's target is a
    // lower bound, one under it an upper bound.
    const bool reached = value >= test;
    const int target = reached ? value : value + 1;
    if (!partitioned_) {
        table_->storeExact(key, leader, tricks, target, reached, best, 0, work,
                           static_cast<int>(splits_ >> SPLITS_PER_AGE_BITS));
        return;
    }
    const uint64_t mask = maskOf(mattered);
    LAYOUT_COUNT(counters_.cardsThatMattered[tricks] += __builtin_popcountll(mask) / 2);
    LAYOUT_COUNT(counters_.cardsLeft[tricks] += cardCount(hands_[0] | hands_[1] | hands_[2]));
    const bool made = table_->store(shape, mask, key & mask, tricks, target, reached, best);
    LAYOUT_COUNT(counters_.entriesMade += made ? 1 : 0);
    static_cast<void>(made);
    table_->storeExact(key, leader, tricks, target, reached, best, topsOf(mattered));
}

int LayoutSolver::finishTrick(const Trick& trick, int target, uint64_t key, CardSet& mattered) {
    const int place = winningPlace(trick);
    const int winner = (trick.leader + place) % PLAYERS;
    const int won = winner == game_.declarer ? 1 : 0;
    const int value = trickStart(winner, trick.tricks - 1, target - won, key, mattered) + won;
    if (partitioned_) mattered |= winnerByRank(trick, place);
    return value;
}

CardSet LayoutSolver::withWholeRuns(CardSet mattered, int mover, const Trick& trick) const {
    const CardSet hand = hands_[mover];
    const CardSet present = runSeparators(trick);
    for (int s = 0; s < 4; s++) {
        const CardSet marked = mattered & suitCards(s);
        const CardSet lowest = marked & (0u - marked);
        if (lowest == 0 || (hand & lowest) == 0) continue;
        // His cards just below it were stood for by a higher card of his.
        for (CardSet below = present & suitCards(s) & (lowest - 1); below != 0;) {
            const CardSet next = cardBit(highestCard(below));
            if ((hand & next) == 0) break;
            mattered |= next;
            below ^= next;
        }
    }
    return mattered;
}

uint64_t LayoutSolver::keyBeforeLastCard(const Trick& trick) const {
    if (trick.key == 0) return ownerKey();
    // Only the suits of the two cards played since the trick started changed.
    const int first = suitOf(trick.cards[0]);
    const int second = suitOf(trick.cards[1]);
    const uint64_t key = withSuitOwners(trick.key, first);
    return second == first ? key : withSuitOwners(key, second);
}

int LayoutSolver::lookAhead(Trick& trick, int target, int* moves, int n, uint64_t* keys,
                            bool* passed, int* value) {
    const int mover = (trick.leader + 2) % PLAYERS;
    const bool yesSide = wantsDeclarerTricks(mover);
    // The lines are far apart: they load together. Each card changes the
    // key of its own suit only.
    const uint64_t whole = keyBeforeLastCard(trick);
    int winners[10];
    for (int i = 0; i < n; i++) {
        const CardSet bit = cardBit(moves[i]);
        hands_[mover] ^= bit;
        trick.cards[2] = moves[i];
        keys[i] = withSuitOwners(whole, suitOf(moves[i]));
        winners[i] = (trick.leader + winningPlace(trick)) % PLAYERS;
        table_->prefetchExact(keys[i], winners[i]);
        hands_[mover] ^= bit;
    }
    // An exact entry's answer needs no cards that mattered, so in misere a
    // settled trick start answers for its card here, as its own probe would.
    const bool answers = !partitioned_;
    const int left = trick.tricks - 1;
    int against = 0;
    int bound = yesSide ? -1 : 99;
    // With shape entries only a card settled for the mover counts, and the
    // first card goes first anyway.
    for (int i = answers ? 0 : 1; i < n; i++) {
        const int next = target - (winners[i] == game_.declarer ? 1 : 0);
        LayoutTable::Bounds e;
        if (answers && (next <= 0 || next > left)) {
            e.lower = 0;
            e.upper = left;
        } else if (!table_->probeExact(keys[i], winners[i], e)) {
            continue;
        }
        const bool reached = e.lower >= next;
        if (!reached && e.upper >= next) continue;
        const int won = target - next;
        const int v = (reached ? e.lower : e.upper) + won;
        if (reached != yesSide) {
            // Elsewhere the card is tried all the same.
            if (!answers) continue;
            passed[i] = true;
            against++;
            bound = yesSide ? std::max(bound, v) : std::min(bound, v);
        } else if (answers) {
            *value = v;
            return 1;
        } else if (i > 0) {
            const int card = moves[i];
            const uint64_t key = keys[i];
            for (int j = i; j > 0; j--) {
                moves[j] = moves[j - 1];
                keys[j] = keys[j - 1];
            }
            moves[0] = card;
            keys[0] = key;
            *value = bound;
            return 0;
        }
    }
    *value = bound;
    return against == n ? -1 : 0;
}

int LayoutSolver::playNext(Trick& trick, int target, int first, int* settled,
                           CardSet& mattered) {
    const int mover = (trick.leader + trick.count) % PLAYERS;
    int moves[10];
    const int n = generateMoves(trick, mover, first, moves);
    // The declarer's side answers yes when one card does; the other side
    // answers no when one card does.
    const bool yesSide = wantsDeclarerTricks(mover);
    uint64_t keys[10];
    bool passed[10] = {};
    const bool lastCard = trick.count == 2 && trick.tricks > 2;
    // The best bound over the cards that failed: the most tricks the yes
    // side's cards reach, the fewest the other side's keep to.
    int bound = yesSide ? -1 : 99;
    if (lastCard) {
        const int known = lookAhead(trick, target, moves, n, keys, passed, &bound);
        if (known != 0) {
            mattered = 0;
            return bound;
        }
    }
    CardSet failed = 0;
    for (int i = 0; i < n; i++) {
        if (passed[i]) continue;
        const CardSet bit = cardBit(moves[i]);
        hands_[mover] ^= bit;
        trick.cards[trick.count++] = moves[i];
        CardSet child = 0;
        const int v = trick.count == 3
                          ? finishTrick(trick, target, lastCard ? keys[i] : 0, child)
                          : playNext(trick, target, -1, nullptr, child);
        trick.count--;
        hands_[mover] ^= bit;
        const bool reached = v >= target;
        if (reached == yesSide) {
            if (settled != nullptr) *settled = moves[i];
            mattered = child;
            return v;
        }
        bound = yesSide ? std::max(bound, v) : std::min(bound, v);
        failed |= child;
    }
    mattered = partitioned_ ? withWholeRuns(failed, mover, trick) : 0;
    return bound;
}

}  // namespace preferans
