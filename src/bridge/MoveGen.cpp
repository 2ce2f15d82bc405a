// Bridge move generation: one card per run of equivalent cards, ordered by
// play heuristics with the table's card first. (The search tries the card
// that last cut off in the same context before it asks for this list.)
#include <algorithm>

#include "bridge/Internal.h"

namespace bridge {

namespace {

constexpr int HINT_BONUS = 1000;
constexpr int DISCARD_LENGTH = 3;     // a discard's weight per card of its suit
constexpr int IDLE_TRUMP_LEAD = 100;  // below every other lead

// Calls f(rank) for one card per run of `held`: in the search the lowest
// card of the runs `searchBreaks` splits; at the root the top card of the
// runs any card in play or on the trick splits (`rootBreaks`).
template <typename F>
void forEachRun(uint32_t held, bool inSearch, uint32_t searchBreaks, uint32_t rootBreaks, F f) {
    if (inSearch)
        forEachRunBottom(held, searchBreaks, f);
    else
        forEachRunTop(held, rootBreaks, f);
}

}  // namespace

// The cards that split one hand's cards of suit s into runs of equivalent
// plays to the current trick: the cards in hands and the trick's winning
// card. A card on the trick below the winner separates nothing: two cards
// that both lose to the winner, with no card in a hand between them, give
// the same trick and the same position after it.
uint32_t Engine::trickRunBreaks(int s) const {
    const bool winnerOfSuit = trick_.count > 0 && trick_.winSuit == s;
    return inHands_[s] | (winnerOfSuit ? 1u << trick_.winRank : 0u);
}

// Second hand's partner, last to play, wins the trick (third hand cannot
// ruff it) with the suit's top card, or with a bare card that beats the
// card led and third hand's cards and so must fall anyway.
bool Engine::partnerWinsLast(int seat) const {
    if (trick_.count != 1) return false;
    const int s = trick_.suit, lho = (seat + 1) & 3, partner = seat ^ 2;
    const uint32_t partnerHeld = hand_[partner][s];
    if (partnerHeld == 0) return false;
    const int top = highestRank(inHands_[s]);
    const bool topCard = owner_[s][top] == partner && top > trick_.winRank;
    const bool bareWinner =
        countCards(partnerHeld) == 1 && partnerHeld > (hand_[lho][s] | 1u << trick_.winRank);
    return !canRuff(lho, s) && (topCard || bareWinner);
}

// Third hand's partner wins the trick so far, and fourth hand can neither
// beat his card in its suit nor ruff it.
bool Engine::partnerHoldsTrick(int seat) const {
    if (trick_.count != 2 || ((trick_.winSeat ^ seat) & 1) != 0) return false;
    const int last = (seat + 1) & 3, s = trick_.winSuit;
    return !canRuff(last, s) && (hand_[last][s] >> (trick_.winRank + 1)) == 0;
}

void Engine::generateMoves(int seat, Moves& m, int hint) const {
    m.count = 0;
    if (trick_.count == 0) {
        addLeads(seat, m, true);
    } else if (hand_[seat][trick_.suit] != 0) {
        addFollows(seat, m, true);
    } else {
        addVoidPlays(seat, m, DISCARD_LENGTH, true);
    }
    for (int i = 0; i < m.count; ++i) {
        if (m.card[i] == hint) m.weight[i] += HINT_BONUS;
    }
    sortMoves(m);
}

// Lead weights that differ between trump and no-trump play. At no trump a
// suit's length for the leading side against the opponents' counts. In the
// search the opponents' lengths count too, since their every choice of card
// (or of discard) widens the tree below the lead; a void counts as a share
// of the tricks left. Leading towards partner's top card weighs more at no
// trump than cashing one's own. The search's weights were tuned for the
// fewest nodes on seeded random deals, counting most the deals where it lost
// most time to DDS. At no trump they do not suit deals with a void in every
// hand, which they made many times slower: those keep the root's weights.
namespace {

struct LeadWeights {
    int lengthDifference;  // per card the side holds more than the opponents
    int opponentCard;      // per card an opponent holds in the suit (search)
    int cashTop;           // the top card of the suit
    int towardsPartner;    // the lowest run, to partner's top card
    int beforeLho;         // another card when the left-hand opponent has the top
    int towardsSecond;     // more when partner holds the second card (search)
    int rhoSecond;         // less when the right-hand opponent holds the second card
                           // but not the top (search)
    int dropSecond;        // more for the top card when an opponent's second is bare
                           // (search)
    int trumpLead;         // less for a trump
    int voidPercent;       // an opponent's void, in hundredths of the tricks left (search)
};
constexpr LeadWeights SEARCH_TRUMP_LEADS{-5, 26, 60, 53, 5, 60, 15, 50, 17, 100};
constexpr LeadWeights SEARCH_NO_TRUMP_LEADS{2, 18, 26, 60, 4, 60, 15, 50, 0, 50};
// The root order names the reported best card: its weights stay as they were.
constexpr LeadWeights ROOT_TRUMP_LEADS{0, 15, 45, 30, 10, 60, 15, 50, 25, 100};
constexpr LeadWeights ROOT_NO_TRUMP_LEADS{2, 3, 15, 60, 20, 60, 15, 50, 0, 100};

const LeadWeights& leadWeights(bool trumpGame, bool inSearch, bool voidInEveryHand) {
    if (trumpGame) return inSearch ? SEARCH_TRUMP_LEADS : ROOT_TRUMP_LEADS;
    return inSearch && !voidInEveryHand ? SEARCH_NO_TRUMP_LEADS : ROOT_NO_TRUMP_LEADS;
}

}  // namespace

// Leads, one per run: cashing the top card, leading to partner's top card
// or towards the left-hand opponent's, away from suits the opponents ruff
// and from trumps. The root order (`inSearch` false) keeps the older
// weights, since it names the reported best card.
void Engine::addLeads(int seat, Moves& m, bool inSearch) const {
    const int partner = seat ^ 2, lho = (seat + 1) & 3, rho = (seat + 3) & 3;
    const bool trumpGame = trump_ != NO_TRUMP;
    const LeadWeights& weights = leadWeights(trumpGame, inSearch, voidInEveryHand_);
    auto opponentLength = [&](uint32_t held) {
        return held != 0 ? countCards(held) : weights.voidPercent * cardsLeft_ / 400;
    };
    for (int s = 0; s < 4; ++s) {
        const uint32_t held = hand_[seat][s];
        if (held == 0) continue;
        const bool opponentRuffs = canRuff(lho, s) || canRuff(rho, s);
        const uint32_t all = inHands_[s];
        const int top = highestRank(all);
        const int topOwner = owner_[s][top];
        const int ownLengths = countCards(held) + countCards(hand_[partner][s]);
        int base = weights.lengthDifference * (2 * ownLengths - countCards(all));
        if (inSearch) {
            base -= weights.opponentCard *
                    (opponentLength(hand_[lho][s]) + opponentLength(hand_[rho][s]));
        }
        if (opponentRuffs)
            base -= 40;
        else if (canRuff(partner, s))
            base += 25;
        if (s == trump_) base -= weights.trumpLead;
        // Trumps the opponents cannot follow only spend the side's ruffs:
        // the search tries such leads last.
        if (inSearch && s == trump_ && hand_[lho][s] == 0 && hand_[rho][s] == 0)
            base -= IDLE_TRUMP_LEAD;
        const int low = lowestRank(held);
        // Led towards partner's second card, it wins unless the left-hand
        // opponent spends the top card on the trick.
        const int secondOwner = all != 1u << top ? owner_[s][highestRank(all ^ (1u << top))] : -1;
        const bool towardsSecond = inSearch && topOwner == lho && secondOwner == partner;
        const bool rhoSecond = inSearch && topOwner != rho && secondOwner == rho;
        // The top card led drops an opponent's bare second card.
        const bool bareSecond = inSearch && (secondOwner == lho || secondOwner == rho) &&
                                countCards(hand_[secondOwner][s]) == 1;
        // Partner's bare card beats both opponents' cards, but not one of
        // ours: that card led would crash it, so the search leads low to it.
        const uint32_t partnerHeld = hand_[partner][s];
        const uint32_t theirs = hand_[lho][s] | hand_[rho][s];
        const bool bareWinner =
            inSearch && countCards(partnerHeld) == 1 && partnerHeld > theirs && held > partnerHeld;
        forEachRunTop(held, all, [&](int r) {
            int w = base - r;
            if (bareWinner) {
                if ((1u << r) < partnerHeld) w += weights.towardsPartner;
                m.add(cardOf(s, r), w);
                return;
            }
            if (r == top && !opponentRuffs) w += weights.cashTop;
            if (topOwner == partner && !opponentRuffs && !(all & ~held & ranksBetween(low, r)))
                w += weights.towardsPartner;
            if (topOwner == lho && r != top) w += weights.beforeLho;
            if (towardsSecond) w += weights.towardsSecond;
            if (rhoSecond) w -= weights.rhoSecond;
            if (bareSecond && r == top) w += weights.dropSecond;
            if (topOwner == rho && r != top) w -= 10;
            m.add(cardOf(s, r), w);
        });
    }
}

// Cards of the suit led, one per run. In the search, second hand also plays
// to win when his partner cannot win the trick.
void Engine::addFollows(int seat, Moves& m, bool inSearch) const {
    const int partner = seat ^ 2, lho = (seat + 1) & 3;
    const int s = trick_.suit;
    const bool partnerWins = ((trick_.winSeat ^ seat) & 1) == 0;
    const bool ruffed = trick_.winSuit != s;
    const bool partnerCanWin =
        (hand_[partner][s] >> (trick_.winRank + 1)) != 0 || canRuff(partner, s);
    const bool covers = inSearch && !partnerCanWin;
    const bool partnerTakesIt = inSearch && partnerWinsLast(seat);
    const uint32_t all = inHands_[s] | trick_.onTrick[s];
    forEachRun(hand_[seat][s], inSearch, trickRunBreaks(s), all, [&](int r) {
        int w = -r;
        // Whether no later opponent can beat the card.
        const bool sure = trick_.count == 3 || (hand_[lho][s] >> r) == 0;
        if (!partnerWins && !ruffed && r > trick_.winRank) {
            // Second hand wins when sure to (unless his partner surely
            // does), or covering when his partner cannot; third hand
            // prefers the cheapest card that fourth hand cannot beat.
            if (trick_.count != 1 || (sure && !partnerTakesIt) || covers) w = (sure ? 50 : 20) - r;
        } else if (partnerWins && !ruffed && trick_.count == 2 && sure &&
                   (hand_[lho][s] >> trick_.winRank) != 0) {
            w = 30 - r;  // fourth hand could beat partner: take over for sure
        }
        m.add(cardOf(s, r), w);
    });
}

// A seat void in the suit led: ruffs that win unless partner is winning,
// then discards, the lowest of a long suit first (`discardLength` per card
// of the suit). In the search a ruff of partner's winning card, which keeps
// the trick and takes the lead, goes before all but the longest suits'
// discards; at the root it goes after every discard.
void Engine::addVoidPlays(int seat, Moves& m, int discardLength, bool inSearch) const {
    const bool partnerWins = ((trick_.winSeat ^ seat) & 1) == 0;
    if (trump_ != NO_TRUMP && hand_[seat][trump_] != 0) {
        const uint32_t all = inHands_[trump_] | trick_.onTrick[trump_];
        // Overruffing partner's sure winner only spends a trump.
        const int overPartner = inSearch && !partnerHoldsTrick(seat) ? 14 : -60;
        forEachRun(hand_[seat][trump_], inSearch, trickRunBreaks(trump_), all, [&](int r) {
            const bool wins = trick_.winSuit != trump_ || r > trick_.winRank;
            int w = partnerWins ? overPartner - r : wins ? 30 - r : -80 - r;
            m.add(cardOf(trump_, r), w);
        });
    }
    for (int u = 0; u < 4; ++u) {
        const uint32_t held = hand_[seat][u];
        if (u == trump_ || held == 0) continue;
        const int low = lowestRank(held);
        const int length = countCards(held);
        const uint32_t all = inHands_[u] | trick_.onTrick[u];
        forEachRun(held, inSearch, trickRunBreaks(u), all, [&](int r) {
            const bool lowest = !(all & ~held & ranksBetween(low, r));
            m.add(cardOf(u, r), lowest ? discardLength * length - r : -30 - r);
        });
    }
}

}  // namespace bridge
