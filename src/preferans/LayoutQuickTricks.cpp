// Sure tricks of the hidden-layout solver: the winners a player on lead can
// cash one after the other before anyone can stop him, and in misere the
// positions where the declarer surely takes another trick or surely none.
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

LayoutSolver::MisereBounds LayoutSolver::misereOutlook(int leader) const {
    const int declarer = game_.declarer;
    const int defender1 = (declarer + 1) % PLAYERS;
    const int defender2 = (declarer + 2) % PLAYERS;
    const int tricks = cardCount(hands_[leader]);
    const CardSet lead = hands_[leader];
    const CardSet other = hands_[leader == defender1 ? defender2 : defender1];
    bool ducks = true;     // he can play under every lead of theirs
    bool exit = false;     // a lead of his they must win, after which he ducks
    bool allOver = true;   // his cards over all of theirs in every suit
    bool forced = true;    // every lead of his can be ducked by both defenders
    bool trapped = false;  // a defender on lead has a suit he cannot duck
    bool reached = false;  // a defender on lead holds a suit he holds
    for (int s = 0; s < 4; s++) {
        const CardSet his = hands_[declarer] & suitCards(s);
        if (his == 0) continue;
        const int lowest = __builtin_ctz(his);
        const CardSet first = hands_[defender1] & suitCards(s);
        const CardSet second = hands_[defender2] & suitCards(s);
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
        if (leader != declarer && (lead & suitCards(s)) != 0) {
            reached = true;
            // The defender on lead plays his lowest card of the suit, his
            // partner his lowest or a discard: with both under every card of
            // the declarer's, the declarer wins the trick, second or third.
            const CardSet partner = other & suitCards(s);
            if (__builtin_ctz(lead & suitCards(s)) < lowest &&
                (partner == 0 || __builtin_ctz(partner) < lowest)) {
                trapped = true;
            }
        }
    }
    // Never winning a trick, he never leads again: with a defender on lead,
    // or once he has given them the lead, he stays under for good.
    if (ducks && (leader != declarer || exit)) return {0, 0};
    // Over all of their cards he wins every trick from the first one he
    // wins, which is the first one he leads or follows to.
    if (allOver && (leader == declarer || reached)) return {tricks, tricks};
    if (leader == declarer ? forced : trapped) return {1, tricks};
    return {0, tricks};
}

}  // namespace preferans
