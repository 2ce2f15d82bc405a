// Move generation of the hidden-layout solver: the legal cards of the player
// to move, one per run of equivalent cards, best guesses first.
#include <initializer_list>

#include "preferans/LayoutCards.h"

namespace preferans {

namespace {

// Order of trial: higher scores first; a handful of cards, so insertion sort.
void sortByScore(int* moves, int* scores, int n) {
    for (int i = 1; i < n; i++) {
        const int m = moves[i], s = scores[i];
        int j = i;
        for (; j > 0 && scores[j - 1] < s; j--) {
            moves[j] = moves[j - 1];
            scores[j] = scores[j - 1];
        }
        moves[j] = m;
        scores[j] = s;
    }
}

constexpr int GOOD = 100;

// In misere, the suits (a bit each) where the declarer cannot duck every
// round of the defenders' leads.
int suitsHeCannotDuck(const CardSet* hands, int declarer) {
    const CardSet defenders = hands[(declarer + 1) % PLAYERS] | hands[(declarer + 2) % PLAYERS];
    int suits = 0;
    for (int s = 0; s < 4; s++) {
        if (!ducksEveryRound(hands[declarer], defenders, s)) suits |= 1 << s;
    }
    return suits;
}

// A defender's lead in misere. In a suit the declarer holds and ducks for
// good: its top card first, then its higher cards, each round taking one of
// the cards he ducks with. In a suit where he cannot duck every round: low
// cards, last among them a card both defenders can play under all of his,
// since taking that trick gives him the lead and perhaps his way out. In a
// suit he is void in, where he discards: winners, then high cards.
int defenderMisereLead(const CardSet* hands, int declarer, int mover, int c, bool top, int unsafe) {
    const int rank = rankOf(c);
    const CardSet his = hands[declarer] & suitCards(suitOf(c));
    if (his == 0) return top ? GOOD + rank : rank;
    if (((unsafe >> suitOf(c)) & 1) == 0) return top ? 4 * GOOD : 3 * GOOD + GOOD / 2 + rank;
    const CardSet partner = hands[3 - mover - declarer] & suitCards(suitOf(c));
    const bool trap =
        __builtin_ctz(his) > c && (partner == 0 || __builtin_ctz(partner) < __builtin_ctz(his));
    return 3 * GOOD - rank - (trap ? 20 : 0);
}

// The declarer's lead in misere: first the leads a defender must overtake,
// holding only higher cards of the suit, then the suits where he cannot duck
// every round of theirs; his sure winners get no place in front.
int declarerMisereLead(const CardSet* hands, int declarer, int c, int unsafe) {
    for (const CardSet theirs : {hands[(declarer + 1) % PLAYERS] & suitCards(suitOf(c)),
                                 hands[(declarer + 2) % PLAYERS] & suitCards(suitOf(c))}) {
        if (theirs != 0 && __builtin_ctz(theirs) > c) return 2 * GOOD + rankOf(c);
    }
    return ((unsafe >> suitOf(c)) & 1) != 0 ? rankOf(c) : rankOf(c) - GOOD;
}

// The cards of c's suit still in play above it (`present` holds them).
CardSet cardsAbove(int c, CardSet present) {
    return present & suitCards(suitOf(c)) & ~((cardBit(c) << 1) - 1);
}

// A card stands for its run unless the next card above it is the mover's
// too: the cards below it down to the next card someone else holds are
// equivalent to it.
bool headsRun(CardSet above, CardSet hand) {
    return above == 0 || (hand & (above & (0u - above))) == 0;
}

}  // namespace

CardSet LayoutSolver::runSeparators(const Trick& trick) const {
    CardSet present = hands_[0] | hands_[1] | hands_[2];
    if (trick.count == 2) {
        const int first = trick.cards[0], second = trick.cards[1];
        return present | cardBit(takesOver(first, second, game_.trump) ? second : first);
    }
    for (int i = 0; i < trick.count; i++) present |= cardBit(trick.cards[i]);
    return present;
}

int LayoutSolver::misereFollows(CardSet legal, CardSet present, int winning, bool highestOver,
                                int first, int* moves) const {
    // The cards come highest first: those over the trick's winner before
    // those under it, which go first.
    int over[10];
    int overs = 0;
    int n = 0;
    for (CardSet rest = legal; rest != 0;) {
        const int c = highestCard(rest);
        rest ^= cardBit(c);
        if (!headsRun(cardsAbove(c, present), legal)) continue;
        if (takesOver(winning, c, NO_TRUMP)) {
            over[overs++] = c;
        } else {
            moves[n++] = c;
        }
    }
    for (int i = 0; i < overs; i++) moves[n++] = over[highestOver ? i : overs - 1 - i];
    for (int i = 1; i < n; i++) {
        if (moves[i] != first) continue;
        for (int j = i; j > 0; j--) moves[j] = moves[j - 1];
        moves[0] = first;
        break;
    }
    return n;
}

int LayoutSolver::generateMoves(const Trick& trick, int mover, int first, int* moves) const {
    const CardSet hand = hands_[mover];
    CardSet legal = hand;
    const CardSet present = runSeparators(trick);
    int winning = -1;
    int winningPlace = 0;
    if (trick.count > 0) {
        const CardSet follow = hand & suitCards(suitOf(trick.cards[0]));
        if (follow != 0) {
            legal = follow;
        } else if (game_.trump != NO_TRUMP && (hand & suitCards(game_.trump)) != 0) {
            legal = hand & suitCards(game_.trump);
        }
        winning = trick.cards[0];
        for (int i = 1; i < trick.count; i++) {
            if (takesOver(winning, trick.cards[i], game_.trump)) {
                winning = trick.cards[i];
                winningPlace = i;
            }
        }
    }
    const bool discarding = trick.count > 0 && (hand & suitCards(suitOf(trick.cards[0]))) == 0;
    if (game_.misere && trick.count > 0 && !discarding) {
        // A defender taking the trick last plays his highest card over.
        const bool highestOver = trick.count == 2 && mover != game_.declarer;
        return misereFollows(legal, present, winning, highestOver, first, moves);
    }
    const int unsafe = game_.misere && (trick.count == 0 || (discarding && mover == game_.declarer))
                           ? suitsHeCannotDuck(hands_, game_.declarer)
                           : 0;
    int scores[10];
    int n = 0;
    for (CardSet rest = legal; rest != 0;) {
        const int c = highestCard(rest);
        rest ^= cardBit(c);
        const CardSet above = cardsAbove(c, present);
        if (!headsRun(above, hand)) continue;
        const int rank = rankOf(c);
        int score;
        if (trick.count == 0) {
            // Winners first, then the highest card of each run.
            score = above == 0 ? GOOD + rank : rank;
            if (game_.misere) {
                score = mover == game_.declarer ? declarerMisereLead(hands_, mover, c, unsafe)
                                                : defenderMisereLead(hands_, game_.declarer, mover,
                                                                     c, above == 0, unsafe);
            }
        } else if (game_.misere) {
            // A discard (follows are ordered by misereFollows), highest
            // first; the declarer's from a suit where he cannot duck every
            // round first.
            score = GOOD + rank + (((unsafe >> suitOf(c)) & 1) != 0 ? 10 : 0);
        } else {
            const bool wins = takesOver(winning, c, game_.trump);
            if (trick.count == 2) {
                const int winner = wins ? mover : (trick.leader + winningPlace) % PLAYERS;
                const bool good = (winner == game_.declarer) == wantsDeclarerTricks(mover);
                score = good ? GOOD - rank : -rank;
            } else {
                score = wins && above == 0 ? GOOD + rank : -rank;
            }
        }
        moves[n] = c;
        scores[n] = c == first ? 4 * GOOD : score;
        n++;
    }
    sortByScore(moves, scores, n);
    return n;
}

}  // namespace preferans
