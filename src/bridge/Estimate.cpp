// Per-card evaluation for host programs: every card the player to move could
// play is valued and handed out through the host's callback; and who plays
// next once a card has been added to the current trick.
#include <cstring>

#include "BridgePosition.h"
#include "EntryChecks.h"
#include "PrefPosition.h"

using BP = BridgePosition;

namespace {

// The value reported for a card whose evaluation is still to come.
constexpr int VALUE_TO_COME = 100;
constexpr int NO_CARD = -1;
constexpr int ANY_SUIT = -1;
constexpr int NO_TRUMP = 4;
constexpr int MAX_HAND = 13;
constexpr int MAX_PREF_HAND = 10;
// Directions of the walk over equivalent cards, in rank positions.
constexpr int TOWARDS_LOWER = 1;
constexpr int TOWARDS_HIGHER = -1;

// Preferans playing order by leader seat * 3 + place in the trick; seat 2
// takes no part and never leads.
constexpr int PREF_ORDER[12] = {0, 1, 3, 1, 3, 0, -1, -1, -1, 3, 0, 1};

// How one game reads a deal array: the rank positions in play (ace down),
// the seats of a trick in playing order and the codes of the trick's cards.
struct Game {
    bool bridge;
    int ranks;      // 13 in bridge; 8 (ace to seven) in preferans
    int trickSize;  // 4 or 3

    bool validSeat(int seat) const {
        return bridge ? seat >= 0 && seat <= 3 : seat == 0 || seat == 1 || seat == 3;
    }
    // The seat that plays `place`-th (0 = the leader) to a trick led by `leader`.
    int seatAt(int leader, int place) const {
        return bridge ? (leader + place) & 3 : PREF_ORDER[leader * 3 + place];
    }
    // True for a trick code of a seat of this game; in preferans seat 2's
    // cards (code 7) are out of play.
    bool isTrickCode(int code) const { return code >= 5 && code <= 8 && (bridge || code != 7); }
    bool isRead(int card) const { return card % 13 < ranks; }
};

constexpr Game BRIDGE{true, 13, 4};
constexpr Game PREFERANS{false, 8, 3};

// The card that `seat` has put on the trick (the lowest index should a
// faulty array hold several), or NO_CARD.
int trickCardOf(const int* deal, const Game& game, int seat) {
    for (int card = 0; card < 52; ++card) {
        if (game.isRead(card) && deal[card] == seat + 5) return card;
    }
    return NO_CARD;
}

int countTrick(const int* deal, const Game& game) {
    int count = 0;
    for (int card = 0; card < 52; ++card)
        count += game.isRead(card) && game.isTrickCode(deal[card]);
    return count;
}

// The trick's cards in playing order from the leader, as far as the seats
// have played without a gap; returns how many.
int trickInOrder(const int* deal, const Game& game, int leader, int cards[4]) {
    int n = 0;
    while (n < game.trickSize) {
        const int card = trickCardOf(deal, game, game.seatAt(leader, n));
        if (card == NO_CARD) break;
        cards[n++] = card;
    }
    return n;
}

// True when the trick holds exactly `count` cards, one from each of the
// first `count` seats from the leader; cards[] receives them in order.
bool trickIsOrderly(const int* deal, const Game& game, int leader, int count, int cards[4]) {
    return countTrick(deal, game) == count && trickInOrder(deal, game, leader, cards) == count;
}

// Place in the trick of the winning card: a later card takes over when it
// has the winning card's suit and a higher rank, or is a trump played on a
// card that is not (with no trump nothing ever trumps).
int winningPlace(const int* cards, int n, int trump) {
    int w = 0;
    for (int k = 1; k < n; ++k) {
        const int suit = cards[k] / 13, winningSuit = cards[w] / 13;
        const bool higher = suit == winningSuit && cards[k] % 13 < cards[w] % 13;
        const bool ruffs = suit == trump && winningSuit != trump;
        if (higher || ruffs) w = k;
    }
    return w;
}

// Hands the values to the host, each card with the cards equivalent to it:
// the cards of its suit reached one rank at a time over cards out of play
// (code 0) that have the same code in the position.
struct Reporter {
    EstimateCallback callback;
    void* context;
    const int* position;
    int ranks;

    void report(int card, int value) const { callback(context, card, value); }

    void equivalents(int card, int value, int step) const {
        const int suitBase = card - card % 13;
        for (int r = card % 13 + step; r >= 0 && r < ranks; r += step) {
            const int code = position[suitBase + r];
            if (code == 0) continue;
            if (code != position[card]) return;
            report(suitBase + r, value);
        }
    }

    void withEquivalents(int card, int value, int firstStep) const {
        report(card, value);
        equivalents(card, value, firstStep);
        equivalents(card, value, -firstStep);
    }
};

// ---- bridge ----

// The visible results of the host's solve, put back when the evaluation ends.
struct SavedResults {
    short eastWest;
    short northSouth;
    signed char bestRank;
    signed char bestSuit;
    int nextmove;

    static SavedResults take() {
        return {BP::EastWestTricks, BP::NorthSouthTricks, BP::bc, BP::bs, BP::nextmove};
    }
    void restore() const {
        BP::EastWestTricks = eastWest;
        BP::NorthSouthTricks = northSouth;
        BP::bc = bestRank;
        BP::bs = bestSuit;
        BP::nextmove = nextmove;
    }
    short tricksOf(int seat) const { return (seat & 1) == 0 ? northSouth : eastWest; }
};

// One bridge request: the position before the move, its trick leader, the
// seat to move and how many cards the trick holds once he has played.
struct BridgeRequest {
    const int* position;
    int leader;
    int mover;
    int count;
    char trumpSuit;
};

// No seat holds more than a hand's worth, so no move list can overflow.
bool handsFit(const int* deal) {
    int held[4] = {0, 0, 0, 0};
    for (int card = 0; card < 52; ++card) {
        if (deal[card] >= 1 && deal[card] <= 8) ++held[(deal[card] - 1) & 3];
    }
    for (int n : held) {
        if (n > MAX_HAND) return false;
    }
    return true;
}

// The best card of the host's solve as a deal index, or NO_CARD.
int bridgeBestCard(const SavedResults& saved) {
    if (saved.bestSuit < 0 || saved.bestSuit > 3 || saved.bestRank < 0 || saved.bestRank > 12)
        return NO_CARD;
    return saved.bestSuit * 13 + 12 - saved.bestRank;
}

// Who holds each card in play (codes 1 to 8: hands and the trick, where the
// trick's cards still separate runs), by suit and rank from the ace down;
// -1 for cards out of play.
struct Holdings {
    int owner[4][MAX_HAND];

    explicit Holdings(const int* deal) {
        for (int card = 0; card < 52; ++card) {
            const int code = deal[card];
            owner[card / 13][card % 13] = code >= 1 && code <= 8 ? (code - 1) & 3 : -1;
        }
    }

    // Appends the top card of each run of the seat's cards in suit s, from
    // the highest run down or from the lowest up.
    int runTops(int s, int seat, bool upward, int* out) const {
        int tops[MAX_HAND];
        int n = 0, previous = -1;
        for (int r = 0; r < MAX_HAND; ++r) {
            const int o = owner[s][r];
            if (o < 0) continue;
            if (o == seat && previous != seat) tops[n++] = s * 13 + r;
            previous = o;
        }
        for (int i = 0; i < n; ++i) out[i] = tops[upward ? n - 1 - i : i];
        return n;
    }
};

// The leader's candidates: the top card of each run of his adjacent cards,
// suits in order, each suit from its highest card down.
int leaderCandidates(const Holdings& holdings, int leader, int* out) {
    int n = 0;
    for (int s = 0; s < 4; ++s) n += holdings.runTops(s, leader, false, out + n);
    return n;
}

// A later seat's candidates, one per run: following suit from the top down;
// void, his trumps from the lowest run up, then the lowest run of each other
// suit, then the other runs of those suits from the lowest up.
int followerCandidates(const Holdings& holdings, const BridgeRequest& request, int ledCard,
                       int* out) {
    const int s = ledCard / 13, seat = request.mover;
    int n = holdings.runTops(s, seat, false, out);
    if (n > 0) return n;
    const int trump = BP::trump;
    if (trump != NO_TRUMP && trump != s) n = holdings.runTops(trump, seat, true, out);
    int later[MAX_HAND];
    int lateCount = 0;
    for (int u = 0; u < 4; ++u) {
        if (u == s || u == trump) continue;
        int runs[MAX_HAND];
        const int k = holdings.runTops(u, seat, true, runs);
        if (k == 0) continue;
        out[n++] = runs[0];
        for (int i = 1; i < k; ++i) later[lateCount++] = runs[i];
    }
    for (int i = 0; i < lateCount; ++i) out[n++] = later[i];
    return n;
}

// The candidate's value: its side's tricks from the current trick on, found
// by solving the position after it is played. A trick it completes is taken
// off and counted for its winner. False when the solver refuses.
bool bridgeCandidateValue(const BridgeRequest& request, int card, int savedNext, int* value) {
    int copy[52];
    std::memcpy(copy, request.position, sizeof copy);
    copy[card] = request.mover + 5;
    BP::firstmove = request.leader;
    BP::nextmove = savedNext;
    int bonus = 0;
    if (request.count < 4) {
        BP::switchMove(copy, true);
    } else {
        int trick[4];
        trickInOrder(copy, BRIDGE, request.leader, trick);
        for (int c : trick) copy[c] = 0;
        const int winner = (request.leader + winningPlace(trick, 4, BP::trump)) & 3;
        BP::firstmove = BP::nextmove = winner;
        bonus = ((winner ^ request.mover) & 1) == 0 ? 1 : 0;
    }
    if (!BP::solveposition(copy, request.trumpSuit)) return false;
    const int side = (request.mover & 1) == 0 ? BP::NorthSouthTricks : BP::EastWestTricks;
    *value = side + bonus;
    return true;
}

void estimateBridge(const BridgeRequest& base, const int* after, int level, const Reporter& out) {
    BridgeRequest request = base;
    request.count = countTrick(after, BRIDGE);
    if (request.count == 0 || request.count > 4) return;
    // Positions the lists and the move generation cannot take: nothing is
    // touched and nothing reported.
    int afterTrick[4], trick[4];
    if (!BRIDGE.validSeat(request.leader) || BP::trump < 0 || BP::trump > NO_TRUMP ||
        !handsFit(request.position) ||
        !trickIsOrderly(after, BRIDGE, request.leader, request.count, afterTrick) ||
        !trickIsOrderly(request.position, BRIDGE, request.leader, request.count - 1, trick))
        return;
    request.mover = BRIDGE.seatAt(request.leader, request.count - 1);

    const SavedResults saved = SavedResults::take();
    const Holdings holdings(request.position);
    int candidates[MAX_HAND];
    const int n = request.count == 1
                      ? leaderCandidates(holdings, request.leader, candidates)
                      : followerCandidates(holdings, request, afterTrick[0], candidates);
    if (n == 0) {
        if (request.count == 1) BP::firstmove = request.leader;
        return;
    }

    // First pass: every candidate at once, the best card with its known value.
    const bool everyCard = level == 3 || level == 4;
    const int best = bridgeBestCard(saved);
    const short known = saved.tricksOf(request.mover);
    const bool bestKnown = known != VALUE_TO_COME;
    for (int i = 0; i < n; ++i) {
        if (candidates[i] == best && bestKnown) {
            out.withEquivalents(candidates[i], known, TOWARDS_LOWER);
        } else if (everyCard) {
            out.withEquivalents(candidates[i], VALUE_TO_COME, TOWARDS_LOWER);
        }
    }
    // Second pass: one solve per candidate whose value is still to come.
    for (int i = 0; everyCard && i < n; ++i) {
        if (candidates[i] == best && bestKnown) continue;
        int value;
        if (!bridgeCandidateValue(request, candidates[i], saved.nextmove, &value)) break;
        out.withEquivalents(candidates[i], value, TOWARDS_LOWER);
    }
    saved.restore();
    BP::firstmove = request.leader;
}

// ---- preferans ----

struct PrefRequest {
    const int* position;
    int trump;      // as the host gave it, for the solver
    int playTrump;  // the trump in force for the play: none in misere
    int leader;
    int declarer;
    bool misere;
    int count;  // cards on the trick once the mover has played
    int mover;
};

// Three hands of equal size, at most ten cards, once the trick's cards are
// counted with their seats: a position the preferans solver can play out.
bool prefHandsEven(const int* deal) {
    int held[4] = {0, 0, 0, 0};
    for (int card = 0; card < 52; ++card) {
        const int code = deal[card];
        if (PREFERANS.isRead(card) && code >= 1 && code <= 8 && code != 3 && code != 7)
            ++held[(code - 1) & 3];
    }
    return held[0] <= MAX_PREF_HAND && held[1] == held[0] && held[3] == held[0];
}

// The best card of the host's solve as a deal index (its rank counted from
// the two lies between the seven and the ace), or NO_CARD.
int prefBestCard() {
    if (BP::bs < 0 || BP::bs > 3 || BP::bc < 5 || BP::bc > 12) return NO_CARD;
    return BP::bs * 13 + 12 - BP::bc;
}

bool holdsSuit(const int* deal, int seat, int suit) {
    for (int r = 0; r < PREFERANS.ranks; ++r) {
        if (deal[suit * 13 + r] == seat + 1) return true;
    }
    return false;
}

// The suit the mover must play (ANY_SUIT when he may play any card): the
// suit led when he holds it, else a trump when he holds one.
int requiredSuit(const PrefRequest& request, int ledSuit) {
    if (request.count == 1) return ANY_SUIT;
    if (holdsSuit(request.position, request.mover, ledSuit)) return ledSuit;
    if (request.playTrump != NO_TRUMP &&
        holdsSuit(request.position, request.mover, request.playTrump))
        return request.playTrump;
    return ANY_SUIT;
}

// The candidate's value for its side, this trick included; a trick it
// completes is taken off and counted for its winner, who leads the next.
int prefCandidateValue(const PrefRequest& request, int card) {
    int copy[52];
    std::memcpy(copy, request.position, sizeof copy);
    copy[card] = request.mover + 5;
    int leader = request.leader;
    int bonus = 0;
    const bool declares = request.mover == request.declarer;
    if (request.count == 3) {
        int trick[3];
        trickInOrder(copy, PREFERANS, request.leader, trick);
        for (int c : trick) copy[c] = 0;
        leader = PREFERANS.seatAt(request.leader, winningPlace(trick, 3, request.playTrump));
        bonus = (leader == request.declarer) == declares ? 1 : 0;
    }
    PrefPosition::solve(copy, request.trump, leader, request.declarer, request.misere, true);
    return (declares ? PrefPosition::number_of_tricks_of_player
                     : PrefPosition::number_of_tricks_of_vist) +
           bonus;
}

void estimatePreferans(const PrefRequest& base, const int* after, int level, const Reporter& out) {
    PrefRequest request = base;
    if (!PREFERANS.validSeat(request.leader) || !PREFERANS.validSeat(request.declarer)) return;
    if (request.playTrump < 0 || request.playTrump > NO_TRUMP) return;
    request.count = countTrick(after, PREFERANS);
    int afterTrick[3], trick[3];
    if (request.count == 0 || request.count > 3 ||
        !trickIsOrderly(after, PREFERANS, request.leader, request.count, afterTrick) ||
        !trickIsOrderly(request.position, PREFERANS, request.leader, request.count - 1, trick) ||
        !prefHandsEven(request.position))
        return;
    request.mover = PREFERANS.seatAt(request.leader, request.count - 1);

    // The best card of the host's solve, when it is the mover's, with the
    // solve's count for his side.
    const int best = prefBestCard();
    if (best != NO_CARD && request.position[best] == request.mover + 1) {
        const bool declares = request.mover == request.declarer;
        out.withEquivalents(best, declares ? BP::EastWestTricks : BP::NorthSouthTricks,
                            TOWARDS_HIGHER);
    }
    if (level != 3 && level != 4) return;

    // Every card he still holds after the move that he may play, one solve each.
    const int suit = requiredSuit(request, afterTrick[0] / 13);
    for (int card = 0; card < 52; ++card) {
        if (!PREFERANS.isRead(card) || after[card] != request.mover + 1) continue;
        if (suit != ANY_SUIT && card / 13 != suit) continue;
        out.report(card, prefCandidateValue(request, card));
    }
}

}  // namespace

void BridgePosition::estimateAll(const int* position, const int* positionAfterMove,
                                 signed char trumpSuit, int leader, int declarer, bool bridge,
                                 bool misere, int level, EstimateCallback callback, void* context) {
    if (checkEstimate(position, positionAfterMove, trumpSuit, leader, declarer, bridge, misere,
                      callback != nullptr) != EntryProblem::NONE)
        return;
    if (bridge) {
        const Reporter out{callback, context, position, BRIDGE.ranks};
        const BridgeRequest request{position, leader, 0, 0, static_cast<char>(trumpSuit)};
        estimateBridge(request, positionAfterMove, level, out);
        return;
    }
    const Reporter out{callback, context, position, PREFERANS.ranks};
    const int playTrump = misere ? NO_TRUMP : trumpSuit;
    const PrefRequest request{position, trumpSuit, playTrump, leader, declarer, misere, 0, 0};
    estimatePreferans(request, positionAfterMove, level, out);
}

void BridgePosition::switchMove(const int* deal, bool bridge) {
    const Game& game = bridge ? BRIDGE : PREFERANS;
    if (checkSwitchMove(deal, firstmove, bridge) != EntryProblem::NONE) return;
    int cards[4];
    const int n = trickInOrder(deal, game, firstmove, cards);
    if (n == 0) return;
    if (n == game.trickSize) {
        firstmove = nextmove = game.seatAt(firstmove, winningPlace(cards, n, trump));
        return;
    }
    nextmove = game.seatAt(firstmove, n);
}
