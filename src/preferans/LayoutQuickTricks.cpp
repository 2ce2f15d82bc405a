// Sure tricks of the hidden-layout solver: the winners a player on lead can
// cash one after the other before anyone can stop him, and in misere the
// positions where the declarer surely takes another trick, surely none, or
// can surely lose one.
#include <initializer_list>

#include "preferans/LayoutCards.h"

namespace preferans {

int LayoutSolver::quickTricks(int leader, CardSet& mattered) const {
    const int left = (leader + 1) % PLAYERS;
    const int right = (leader + 2) % PLAYERS;
    const CardSet others = hands_[left] | hands_[right];
    // Players that must ruff a side-suit winner once void in its suit: an
    // opponent takes the trick, a partner takes the lead away.
    CardSet ruffers[2] = {0, 0};
    int nRuffers = 0;
    if (game_.trump != NO_TRUMP) {
        for (int p : {left, right}) {
            if ((hands_[p] & suitCards(game_.trump)) != 0) ruffers[nRuffers++] = hands_[p];
        }
    }
    int total = 0;
    for (int s = 0; s < 4; s++) {
        const CardSet mine = hands_[leader] & suitCards(s);
        if (mine == 0) continue;
        const CardSet theirs = others & suitCards(s);
        // His cards above every other card of the suit win in turn.
        int winners =
            cardCount(theirs == 0 ? mine : mine & ~((cardBit(highestCard(theirs)) << 1) - 1));
        if (s != game_.trump) {
            for (int i = 0; i < nRuffers; i++) {
                const int length = cardCount(ruffers[i] & suitCards(s));
                if (length < winners) winners = length;
            }
        }
        total += winners;
        // Their cards under his lowest counted winner leave the count alone.
        if (winners > 0 && theirs != 0) {
            const CardSet counted = highestOf(mine, winners);
            mattered |= counted & (0u - counted);
        }
    }
    return total;
}

namespace {

// Whether the declarer can play under every card the defenders lead in a
// suit, whatever they lead and discard (the suit's cards as 8 rank bits). He
// can when his j-th lowest card is under their j-th lowest for every j both
// hold: he plays his highest card under the one led, and the rule holds
// again for the cards left. Their second card on the trick and their
// discards of the suit only take cards away, which never lowers their j-th
// lowest; his own discards take his highest cards.
bool ducksEveryRoundOf(uint32_t his, uint32_t theirs) {
    const int rounds = __builtin_popcount(his);
    int round = 0;
    for (uint32_t rest = theirs; rest != 0 && round < rounds; rest &= rest - 1) {
        const uint32_t card = rest & (0u - rest);
        round++;
        if (__builtin_popcount(his & (card - 1)) < round) return false;
    }
    return true;
}

// The answers for every pair of rank sets, one bit each: misere asks at
// every trick start.
const struct DucksTable {
    uint64_t bits[256][4];
    DucksTable() : bits{} {
        for (uint32_t his = 0; his < 256; his++) {
            for (uint32_t theirs = 0; theirs < 256; theirs++) {
                if (ducksEveryRoundOf(his, theirs)) bits[his][theirs / 64] |= 1ull << theirs % 64;
            }
        }
    }
} DUCKS;

}  // namespace

bool ducksEveryRound(CardSet his, CardSet theirs, int suit) {
    const uint32_t h = (his >> 8 * suit) & 0xFF;
    const uint32_t t = (theirs >> 8 * suit) & 0xFF;
    return (DUCKS.bits[h][t / 64] >> t % 64) & 1;
}

namespace {

// Whether the declarer can lose one of the tricks left, given the suits
// (a bit each) where a defender on lead traps him, those the leader's
// partner holds, and each defender's escapes (see misereOutlook).
bool losesOne(const int* escapes, int declarer, int leader, int traps, int partnerHolds) {
    const int first = (declarer + 1) % PLAYERS;
    const int second = (declarer + 2) % PLAYERS;
    if (leader == declarer) return (escapes[first] | escapes[second]) != 0;
    // A lead he can duck loses him that trick. After a trap he is on lead,
    // having won with his lowest card of the suit, over theirs: the
    // leader's escapes stay open, and so do his partner's when the partner
    // followed suit and so kept his other cards.
    const int partner = first + second - leader;
    return escapes[leader] != 0 || (escapes[partner] != 0 && (traps & ~partnerHolds) == 0);
}

}  // namespace

MisereBounds misereOutlook(const CardSet* hands, int declarer, int leader, bool edges) {
    const int defender1 = (declarer + 1) % PLAYERS;
    const int defender2 = (declarer + 2) % PLAYERS;
    const int tricks = cardCount(hands[leader]);
    const CardSet lead = hands[leader];
    const CardSet other = hands[leader == defender1 ? defender2 : defender1];
    bool ducks = true;     // he can play under every lead of theirs
    bool exit = false;     // a lead of his they must win, after which he ducks
    bool allOver = true;   // his cards over all of theirs in every suit
    bool forced = true;    // every lead of his can be ducked by both defenders
    bool reached = false;  // a defender on lead holds a suit he holds
    // The suits (a bit each) of a defender on lead that the declarer cannot
    // duck, and those the leader's partner holds.
    int traps = 0;
    int partnerHolds = 0;
    // Per defender, the suits where the declarer, leading his cards from
    // the lowest up, comes to a round where that defender must play over
    // his card, and so he loses it: the defender runs out of cards under
    // his while he still follows.
    int escapes[PLAYERS] = {0, 0, 0};
    for (int s = 0; s < 4; s++) {
        const CardSet his = hands[declarer] & suitCards(s);
        if (his == 0) continue;
        const int lowest = __builtin_ctz(his);
        const CardSet first = hands[defender1] & suitCards(s);
        const CardSet second = hands[defender2] & suitCards(s);
        if ((first | second) != 0) {
            if (lowest < highestCard(first | second)) allOver = false;
            if (ducks) ducks = ducksEveryRound(his, first | second, s);
        }
        // A defender with only higher cards of the suit wins his lowest lead.
        if ((first != 0 && __builtin_ctz(first) > lowest) ||
            (second != 0 && __builtin_ctz(second) > lowest)) {
            forced = false;
            // After that trick they hold at most all their cards of the suit
            // but one: his rest checked against all but their highest covers
            // whichever went.
            const CardSet theirs = first | second;
            if (!exit)
                exit = ducksEveryRound(his & (his - 1), theirs ^ cardBit(highestCard(theirs)), s);
        }
        // A defender on lead holds the suit.
        const bool defenderCanLead = leader != declarer && (lead & suitCards(s)) != 0;
        if (defenderCanLead) reached = true;
        if (!edges) continue;
        if (first != 0 && !ducksEveryRound(first, his, s)) escapes[defender1] |= 1 << s;
        if (second != 0 && !ducksEveryRound(second, his, s)) escapes[defender2] |= 1 << s;
        if (defenderCanLead) {
            // The defender on lead plays his lowest card of the suit, his
            // partner his lowest or a discard: with both under every card of
            // the declarer's, the declarer wins the trick, second or third.
            const CardSet partner = other & suitCards(s);
            if (partner != 0) partnerHolds |= 1 << s;
            if (__builtin_ctz(lead & suitCards(s)) < lowest &&
                (partner == 0 || __builtin_ctz(partner) < lowest)) {
                traps |= 1 << s;
            }
        }
    }
    // Never winning a trick, he never leads again: with a defender on lead,
    // or once he has given them the lead, he stays under for good.
    if (ducks && (leader != declarer || exit)) return {0, 0};
    // Over all of their cards he wins every trick from the first one he
    // wins, which is the first one he leads or follows to.
    if (allOver && (leader == declarer || reached)) return {tricks, tricks};
    if (!edges) return {0, tricks};
    const bool wins = leader == declarer ? forced : traps != 0;
    const bool loses = losesOne(escapes, declarer, leader, traps, partnerHolds);
    return {wins ? 1 : 0, loses ? tricks - 1 : tricks};
}

}  // namespace preferans
