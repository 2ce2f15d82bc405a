// Bridge search: how many of the tricks still to play (the current one
// included) do North-South take, relative to a target (a null window),
// card by card with make and unmake, with sure tricks and the table
// consulted at each trick's start.
#include <algorithm>

#include "bridge/Internal.h"

namespace bridge {

void Engine::addToTrick(int seat, int card) {
    const int s = suitOf(card), r = rankOf(card);
    Trick& t = trick_;
    if (t.count == 0) t.suit = static_cast<uint8_t>(s);
    if (t.count == 0 || (s == t.winSuit && r > t.winRank) || (s == trump_ && t.winSuit != trump_)) {
        t.winSeat = static_cast<uint8_t>(seat);
        t.winSuit = static_cast<uint8_t>(s);
        t.winRank = static_cast<uint8_t>(r);
    }
    t.onTrick[s] |= static_cast<uint16_t>(1u << r);
    ++t.count;
}

namespace {

void clearRanks(uint16_t* ranks) {
    ranks[0] = ranks[1] = ranks[2] = ranks[3] = 0;
}

}  // namespace

// With one card left in each hand: the seat whose card wins the last trick.
// Its rank mattered when another card of its suit was in the trick.
int Engine::lastTrickWinner(uint16_t* relevant) const {
    const int leader = trick_.leader;
    int winSeat = leader, winSuit = -1, winRank = -1;
    uint16_t played[4] = {0, 0, 0, 0};
    for (int k = 0; k < 4; ++k) {
        const int seat = (leader + k) & 3;
        int s = 0;
        while (hand_[seat][s] == 0) ++s;
        const int r = lowestRank(hand_[seat][s]);
        played[s] |= static_cast<uint16_t>(1u << r);
        if (k == 0 || (s == winSuit && r > winRank) || (s == trump_ && winSuit != trump_)) {
            winSeat = seat;
            winSuit = s;
            winRank = r;
        }
    }
    if (countCards(played[winSuit]) > 1) relevant[winSuit] |= static_cast<uint16_t>(1u << winRank);
    return winSeat;
}

// The winning card of a completed trick and the cards of its hand that were
// equivalent to it (only one card of a run is tried), when its rank beat
// another card of its suit in the trick.
void Engine::markTrickWinner(uint16_t* relevant) const {
    const int s = trick_.winSuit;
    if (countCards(trick_.onTrick[s]) < 2) return;
    const uint32_t all = inHands_[s] | trick_.onTrick[s];
    const uint32_t own = hand_[trick_.winSeat][s];
    int r = trick_.winRank;
    uint32_t marks = 1u << r;
    for (uint32_t below = all & ((1u << r) - 1); below != 0;) {
        const int next = highestRank(below);
        if (!((own >> next) & 1)) break;
        marks |= 1u << next;
        below ^= 1u << next;
        r = next;
    }
    relevant[s] |= static_cast<uint16_t>(marks);
}

// A card played for its run of equivalent cards in the hand stands for the
// cards above it in the run only while nothing lies between them. When every
// card failed and the answer relied on one of those cards, it relied on that
// too: the played card's rank is marked with them, so that each position the
// table entry covers has the same run and no other card to try. (A card that
// cuts off needs no mark: the hand keeps the cards that mattered, and any
// position the entry covers holds a card below them to play instead.)
void Engine::markPlayedForRun(int seat, int card, uint16_t* relevant) const {
    const int s = suitOf(card), r = rankOf(card);
    // A lead is the top card of its run; and nothing to mark when no card
    // above the played one mattered.
    if (trick_.count == 0 || (relevant[s] >> r) <= 1) return;
    // The run reaches up to the first card above it held by another hand
    // (or winning the trick).
    const uint32_t held = hand_[seat][s], above = ~((2u << r) - 1);
    const uint32_t others = trickRunBreaks(s) & ~held & above;
    const uint32_t run = held & above & (others != 0 ? (1u << lowestRank(others)) - 1 : ~0u);
    if (relevant[s] & run) relevant[s] |= static_cast<uint16_t>(1u << r);
}

// The play of a hand that follows suit when its cards of the suit form one
// run of equivalent plays (the lowest, as the move list has it), else -1.
int Engine::onlyFollow(int seat) const {
    const int s = trick_.suit;
    const uint32_t held = hand_[seat][s];
    const int low = lowestRank(held);
    if (trickRunBreaks(s) & ~held & ranksBetween(low, highestRank(held))) return -1;
    return cardOf(s, low);
}

// The last hand's first try when it follows suit: the cheapest card that
// beats the opponents' winning card, else its lowest card (both the lowest
// of their runs, as the move list holds them).
int Engine::lastHandFirst(int seat) const {
    const int s = trick_.suit;
    const uint32_t held = hand_[seat][s];
    const bool opponentsWin = ((trick_.winSeat ^ seat) & 1) == 1;
    const uint32_t winners = held & ~((2u << trick_.winRank) - 1);
    if (opponentsWin && trick_.winSuit == s && winners != 0) return cardOf(s, lowestRank(winners));
    return cardOf(s, lowestRank(held));
}

int Engine::tryCard(int seat, int card, int target, uint16_t* relevant) {
    const int s = suitOf(card);
    const uint16_t bit = static_cast<uint16_t>(1u << rankOf(card));
    const Trick saved = trick_;
    hand_[seat][s] ^= bit;
    inHands_[s] ^= bit;
    shape_ -= lengthUnit(seat, s);
    --cardsLeft_;
    addToTrick(seat, card);
    int value;
    if (trick_.count == 4) {
        const Trick done = trick_;
        const int won = (done.winSeat & 1) == 0 ? 1 : 0;
        trick_ = newTrick(done.winSeat);
        value = search(target - won, relevant) + won;
        trick_ = done;
        markTrickWinner(relevant);
    } else {
        value = search(target, relevant);
    }
    trick_ = saved;
    hand_[seat][s] ^= bit;
    inHands_[s] ^= bit;
    shape_ += lengthUnit(seat, s);
    ++cardsLeft_;
    return value;
}

#ifdef DDSOLVER_BRIDGE_COUNTERS
#define BRIDGE_SURE_CUT(value) (counters_.sureCuts[tricks]++, (value))
#else
#define BRIDGE_SURE_CUT(value) (value)
#endif

// Fail-soft: a value v >= target means North-South take at least v of the
// tricks from here, v < target that they take at most v.
int Engine::search(int target, uint16_t* relevant) {
    ++nodes_;
    clearRanks(relevant);
    const int tricks = (cardsLeft_ + trick_.count) / 4;
    BRIDGE_COUNT(counters_.nodes[tricks]++);
    int hint = -1;
    uint64_t lengths = 0, context = 0;
    const int leader = trick_.leader;
    const bool trickStart = trick_.count == 0;
    if (trickStart) {
        if (target <= 0) return 0;
        if (target > tricks) return tricks;
        if (tricks == 1) return (lastTrickWinner(relevant) & 1) == 0 ? 1 : 0;
        lengths = shape_;
        prefetchBucket(lengths, leader);
        context = cutContext(leader);  // also the memory's key below
        prefetchCut(context);
        // Sure tricks of either side bound the North-South tricks.
        const int quick =
            quickTricks(leader, (leader & 1) == 0 ? target : tricks - target + 1, relevant);
        if ((leader & 1) == 0 && quick >= target) return BRIDGE_SURE_CUT(quick);
        if ((leader & 1) == 1 && tricks - quick < target) return BRIDGE_SURE_CUT(tricks - quick);
        clearRanks(relevant);
        int holder = 0;
        const int trumpTricks = topTrumpTricks(holder, relevant);
        if ((holder & 1) == 0 && trumpTricks >= target) return BRIDGE_SURE_CUT(trumpTricks);
        if ((holder & 1) == 1 && tricks - trumpTricks < target) {
            return BRIDGE_SURE_CUT(tricks - trumpTricks);
        }
        clearRanks(relevant);
        // The tricks the side not on lead needs for a cut-off.
        const int needed = (leader & 1) == 0 ? tricks - target + 1 : target;
        const int later = laterTricks(leader, needed, relevant);
        if (later >= needed) return BRIDGE_SURE_CUT((leader & 1) == 0 ? tricks - later : later);
        clearRanks(relevant);
        int value;
        if (probe(lengths, leader, target, relevant, hint, value)) return value;
    }
    const int seat = (leader + trick_.count) & 3;
    const bool northSouth = (seat & 1) == 0;
    // When one trick settles the target either way: who takes this one?
    if (trick_.count > 1 && (target == 1 || target == tricks)) {
        int top;
        const int winner = sureTrickWinner(top);
        if (winner >= 0 && ((winner & 1) == 0 ? target == 1 : target == tricks)) {
            if (top >= 0) relevant[trick_.winSuit] = static_cast<uint16_t>(1u << top);
            return (winner & 1) == 0 ? 1 : tricks - 1;
        }
    }
    // After the lead: the trick's sure winner and the tricks he cashes next.
    if (trick_.count == 1) {
        int holder;
        const int sure = trickThenCash(holder, target, tricks - target + 1, relevant);
        if (sure > 0) return (holder & 1) == 0 ? sure : tricks - sure;
    }
    int cut = -1;
    int best = northSouth ? 0 : tricks;
    uint16_t child[4];
    uint16_t skip[4] = {0, 0, 0, 0};
    // Tries one card; true when it settles the target for the seat's side.
    auto tryOne = [&](int card) {
        const int v = tryCard(seat, card, target, child);
        if ((v >= target) == northSouth) {
            cut = card;
            best = v;
            for (int s = 0; s < 4; ++s) relevant[s] = child[s];
            return true;
        }
        // Only failed cards: see markPlayedForRun.
        markPlayedForRun(seat, card, child);
        best = northSouth ? std::max(best, v) : std::min(best, v);
        for (int s = 0; s < 4; ++s) relevant[s] |= child[s];
        // A card below every rank that mattered so far in its suit stands
        // for every card of the suit in this hand below the lowest of those
        // ranks (the whole suit when none mattered): the answer holds
        // wherever such cards lie, so playing another of them instead
        // changes nothing. Those cards are skipped.
        const int s = suitOf(card), r = rankOf(card);
        if ((relevant[s] & ((2u << r) - 1)) == 0) {
            const int lowest = relevant[s] != 0 ? lowestRank(relevant[s]) : 13;
            skip[s] |= static_cast<uint16_t>((1u << lowest) - 1);
        }
        return false;
    };
    // A hand that follows suit with one run of equivalent cards has one play.
    // Otherwise the card that last cut off in this context is tried before
    // the list is built, which it most often makes unneeded; the list then
    // skips it. The last hand to follow suit tries the cheapest card that
    // wins the trick from the opponents, else the lowest: this beats the
    // memory.
    const bool following = trick_.count > 0 && hand_[seat][trick_.suit] != 0;
    const int only = following ? onlyFollow(seat) : -1;
    const bool useMemory = only < 0 && !(following && trick_.count == 3);
    if (useMemory && !trickStart) context = cutContext(seat);
    if (only >= 0) {
        tryOne(only);
    } else {
        const int first =
            useMemory ? candidateOrNone(seat, rememberedCut(context)) : lastHandFirst(seat);
        if (first < 0 || !tryOne(first)) {
            Moves moves;
            generateMoves(seat, moves, hint);
            for (int i = 0; i < moves.count; ++i) {
                const int card = moves.card[i];
                if (card == first || ((skip[suitOf(card)] >> rankOf(card)) & 1)) continue;
                if (tryOne(card)) break;
            }
        }
    }
    if (cut >= 0 && useMemory) rememberCut(context, cut);
    if (trickStart) {
        const int move = cut >= 0 ? relativeMove(cut) : NO_MOVE;
        if (best >= target)
            store(lengths, leader, relevant, best, tricks, move);
        else
            store(lengths, leader, relevant, 0, best, move);
    }
    return best;
}

}  // namespace bridge
