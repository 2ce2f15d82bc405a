// Sure tricks at a trick's start: tricks that one side takes whatever the
// others do, found without searching. Each rule marks in `relevant` the
// cards whose owners its argument relies on, so that a table entry made from
// a cut-off holds only for positions where the same argument holds.
#include <algorithm>

#include "bridge/Internal.h"

namespace bridge {

// The seats that hold trumps, one bit each (none at no trump).
unsigned Engine::trumpHolders() const {
    if (trump_ == NO_TRUMP) return 0;
    unsigned seats = 0;
    for (int seat = 0; seat < 4; ++seat) {
        if (hand_[seat][trump_] != 0) seats |= 1u << seat;
    }
    return seats;
}

// Tricks that `seat`, on lead, takes for sure by cashing suit s, whose top
// card he holds: his cards above every other card of the suit (all of his
// cards once the others are out of the suit). At a trump contract a side
// suit counts no further than the length of an opponent who could ruff it
// (`ruffers`: the seats with trumps). Marks in `relevant` the card the count
// relies on.
inline int Engine::cashInSuit(int seat, int s, unsigned ruffers, uint16_t* relevant) const {
    const int lho = (seat + 1) & 3, rho = (seat + 3) & 3;
    const uint32_t held = hand_[seat][s];
    // His cards above the best card of the others: his top run.
    const uint32_t run = cardsAbove(held, inHands_[s] & ~held);
    const int k = countCards(run);
    const int lhoLength = countCards(hand_[lho][s]), rhoLength = countCards(hand_[rho][s]);
    const int others = std::max(std::max(lhoLength, rhoLength), countCards(hand_[seat ^ 2][s]));
    int w = k >= others ? countCards(held) : k;
    if (s != trump_) {
        if ((ruffers >> lho) & 1) w = std::min(w, lhoLength);
        if ((ruffers >> rho) & 1) w = std::min(w, rhoLength);
    }
    if (w == 0) return 0;
    // The argument relies on the owners of his top w cards, or of as many as
    // the longest other holding (one at least) when his run reaches that far.
    const int needed = k >= others ? std::min(w, std::max(others, 1)) : w;
    uint32_t top = run;
    for (int i = 1; i < needed; ++i) top ^= 1u << highestRank(top);
    relevant[s] |= static_cast<uint16_t>(1u << highestRank(top));
    return w;
}

// Tricks that `seat`, on lead, takes for sure by cashing his suits one
// after the other, with the cards the count relies on marked in `relevant`;
// the count stops once it reaches `needed`.
int Engine::cashTricks(int seat, int needed, uint16_t* relevant) const {
    const unsigned ruffers = trumpHolders();
    int total = 0;
    for (int s = 0; s < 4 && total < needed; ++s) {
        const uint32_t all = inHands_[s];
        if (all != 0 && owner_[s][highestRank(all)] == seat)
            total += cashInSuit(seat, s, ruffers, relevant);
    }
    return total;
}

// True when the partner of `leader` ruffs a trick after the leader has
// cashed his tricks (`counted`: his suits that count, `ownTrumps` of them
// in trumps): the leader holds a suit he does not count in which the
// partner is void, and each opponent holds that suit or no trump, so that
// any trump of the partner's wins; the partner keeps one when he holds more
// trumps than the leader's trump tricks draw from him (he throws his other
// cards on the leader's side suits). Only suit lengths decide it.
bool Engine::partnerRuffs(int leader, unsigned counted, int ownTrumps) const {
    if (trump_ == NO_TRUMP) return false;
    const int partner = leader ^ 2, lho = (leader + 1) & 3, rho = (leader + 3) & 3;
    if (countCards(hand_[partner][trump_]) <= ownTrumps) return false;
    for (int s = 0; s < 4; ++s) {
        if (s == trump_ || ((counted >> s) & 1) || hand_[leader][s] == 0 || hand_[partner][s] != 0)
            continue;
        if ((hand_[lho][s] != 0 || hand_[lho][trump_] == 0) &&
            (hand_[rho][s] != 0 || hand_[rho][trump_] == 0))
            return true;
    }
    return false;
}

// At no trump, the tricks the side of `leader` (who holds the top card of
// suit s) takes in s by a crossing: the leader cashes his cards above the
// opponents' best card of s while his partner plays his lower cards (his
// own such winners once he has no others), then leads a lower card to a
// winner of the partner's, who cashes the rest of his winners, and his
// other cards too once the opponents have none of the suit left and the
// leader has none either (a card the leader kept could overtake one of
// them and strand the rest). 0 when the leader has no lower card or the
// partner no winner left to cross to.
// The count relies on the owners of the cards down to the opponents' best,
// which `mark` receives.
int Engine::crossingTricks(int leader, int s, uint16_t& mark) const {
    const int partner = leader ^ 2;
    const uint32_t mine = hand_[leader][s], his = hand_[partner][s];
    const uint32_t theirs = inHands_[s] & ~mine & ~his;
    if (theirs == 0) return 0;
    mark = static_cast<uint16_t>(1u << highestRank(theirs));
    const int myWinners = countCards(cardsAbove(mine, theirs));
    const int hisWinners = countCards(cardsAbove(his, theirs));
    const int myLow = countCards(mine) - myWinners, hisLow = countCards(his) - hisWinners;
    const int hisLeft = hisWinners - std::max(0, myWinners - hisLow);
    if (myLow == 0 || hisLeft <= 0) return 0;
    const int rounds = myWinners + hisLeft;
    const int longest =
        std::max(countCards(hand_[(leader + 1) & 3][s]), countCards(hand_[(leader + 3) & 3][s]));
    const bool runsOn = rounds >= longest && countCards(mine) <= rounds;
    return runsOn ? std::max(rounds, countCards(his)) : rounds;
}

// Suit s when both opponents of `leader` are out of it and cannot ruff it:
// the side takes every round it leads, one card from each of its hands
// that holds the suit, and leads again from the hand that won. It leads
// the suit for the longer holding's count when the longer hand can win the
// round in which the shorter runs out (its highest card above the
// shorter's lowest; for sure when it holds the suit's top card); else only
// while both hold cards. With `leadBack` the count is 0 unless the lead
// ends with the leader. `mark` gets the card the count relies on; 0 when
// the leader holds none of the suit.
int Engine::voidSuitRun(int leader, int s, bool leadBack, uint16_t& mark) const {
    const uint32_t mine = hand_[leader][s], his = hand_[leader ^ 2][s];
    const int a = countCards(mine), b = countCards(his);
    mark = 0;
    if (a == 0 || (leadBack && a < b)) return 0;
    if (b == 0 || (a == b && !leadBack)) return a;
    const uint32_t longer = a >= b ? mine : his, shorter = a >= b ? his : mine;
    const int top = highestRank(mine | his);
    if ((longer >> top) & 1) {
        mark = static_cast<uint16_t>(1u << top);
        return std::max(a, b);
    }
    if (highestRank(longer) > lowestRank(shorter)) {
        mark = static_cast<uint16_t>(1u << lowestRank(shorter));
        return std::max(a, b);
    }
    return leadBack ? 0 : std::min(a, b);
}

// Whether the opponents of `leader` hold no card of suit s and cannot ruff it.
bool Engine::opponentsOutOf(int leader, int s) const {
    const int lho = (leader + 1) & 3, rho = (leader + 3) & 3;
    if ((hand_[lho][s] | hand_[rho][s]) != 0) return false;
    return trump_ == NO_TRUMP || (hand_[lho][trump_] | hand_[rho][trump_]) == 0;
}

// Tricks the side of `leader` takes for sure: his own cashing tricks, then
// his partner's when the leader can reach him in a suit the partner cashes
// (the first of those tricks is then the leader's lead to the partner's
// winner). Each suit counts for the hand with its top card, so one pass over
// the suits gives both counts.
//
// The partner keeps the suits the count needs while the leader cashes first
// when he can follow or discard from his other cards throughout: he plays
// one card to each of the leader's tricks, and only opponents without
// trumps may discard (a side suit counts no further than the length of an
// opponent with trumps), which leaves the partner's counts as they were or
// better. Failing that the side takes the larger count, the partner's only
// with an entry. The count stops at `needed`, the tricks that settle the
// search's question, so that the cards of the other suits stay free in the
// table.
// Trumps the opponents cannot beat count first, by length alone.
int Engine::quickTricks(int leader, int needed, uint16_t* relevant) const {
    const int trumpTricks = trumpLengthTricks(leader);
    if (trumpTricks >= needed) return trumpTricks;
    // A suit the opponents are out of may settle it alone.
    unsigned outOf = 0;
    for (int s = 0; s < 4; ++s) {
        if (inHands_[s] == 0 || !opponentsOutOf(leader, s)) continue;
        outOf |= 1u << s;
        uint16_t mark;
        const int run = voidSuitRun(leader, s, false, mark);
        if (run >= needed) {
            relevant[s] |= mark;
            return run;
        }
    }
    const int partner = leader ^ 2;
    const unsigned ruffers = trumpHolders();
    uint16_t partnerRanks[4] = {0, 0, 0, 0};
    int own = 0, ownTrumps = 0;
    int ownIn[4] = {0, 0, 0, 0}, partnerIn[4] = {0, 0, 0, 0};
    unsigned counted = 0, leaderTops = 0;
    bool entry = false;
    for (int s = 0; s < 4; ++s) {
        const uint32_t all = inHands_[s];
        if (all == 0) continue;
        const int holder = owner_[s][highestRank(all)];
        // Such a suit whose run leaves the lead with the leader counts first.
        if ((outOf >> s) & 1) {
            uint16_t mark;
            const int run = voidSuitRun(leader, s, true, mark);
            if (run > 0) {
                own += run;
                ownIn[s] = run;
                relevant[s] |= mark;
                if (own >= needed) return own;
                counted |= 1u << s;
                if (s == trump_) ownTrumps = run;
                continue;
            }
        }
        if (holder == leader) {
            const int w = cashInSuit(leader, s, ruffers, relevant);
            own += w;
            ownIn[s] = w;
            leaderTops |= 1u << s;
            if (own >= needed) return own;
            if (w != 0) counted |= 1u << s;
            if (s == trump_) ownTrumps = w;
        } else if (holder == partner) {
            const int w = cashInSuit(partner, s, ruffers, partnerRanks);
            if (w == 0) continue;
            partnerIn[s] = w;
            if (hand_[leader][s] != 0) entry = true;
        }
    }
    if (own + 1 == needed && partnerRuffs(leader, counted, ownTrumps)) return needed;
    if (entry) {
        // Only the partner's suits the count needs, one the leader can reach
        // him in first: he keeps only their cards while the leader cashes,
        // and the count relies only on their winners.
        auto partnerShare = [&](int wanted, int& keeps, uint16_t* marks) {
            int used = 0;
            for (int pass = 0; pass < 2; ++pass) {
                for (int s = 0; s < 4 && used < wanted; ++s) {
                    if (partnerIn[s] == 0 || (hand_[leader][s] != 0) != (pass == 0)) continue;
                    used += partnerIn[s];
                    keeps += countCards(hand_[partner][s]);
                    marks[s] = partnerRanks[s];
                }
            }
            return used;
        };
        int keeps = 0;
        uint16_t marks[4] = {0, 0, 0, 0};
        const int more = partnerShare(needed - own, keeps, marks);
        if (own + more >= needed && own <= cardsLeft_ / 4 - keeps) {
            for (int s = 0; s < 4; ++s) relevant[s] |= marks[s];
            return own + more;
        }
        // Else the leader may lead to him at once.
        uint16_t alone[4] = {0, 0, 0, 0};
        keeps = 0;
        const int his = partnerShare(needed, keeps, alone);
        if (his >= needed) {
            for (int s = 0; s < 4; ++s) relevant[s] = alone[s];
            return his;
        }
    }
    // At no trump, one suit of the leader's may instead be cashed last with
    // a crossing to the partner's winners in it, once the partner has kept
    // his cards of it while the leader cashed the others.
    for (unsigned tops = trump_ == NO_TRUMP ? leaderTops : 0; tops != 0; tops &= tops - 1) {
        const int s = lowestRank(tops);
        uint16_t mark = 0;
        const int more = crossingTricks(leader, s, mark) - ownIn[s];
        if (more > 0 && own + more >= needed &&
            own - ownIn[s] <= cardsLeft_ / 4 - countCards(hand_[partner][s])) {
            relevant[s] |= mark;
            return own + more;
        }
    }
    return own;
}

// Trumps win every trick they are played to once no higher trump is left.
// The side that holds the top trump takes a trick with each of the top
// trumps its two hands X and Y hold, unless two of them fall on one trick.
// They never need to when one hand has a low trump for each top trump of
// the other: in each trick where both play a trump, the other hand plays
// its top trumps first while this one plays low, then this one plays its
// own (alone, a hand plays a top trump if it has one left). So with the top
// k trumps, hx in X and hy in Y, the side takes k when X holds hy low
// trumps or Y holds hx; with none in Y, that is X's run of top trumps.
// Returns k (0 at no trump or with no trump left) with the holder of the
// top trump, and marks the lowest of the k.
int Engine::topTrumpTricks(int& holder, uint16_t* relevant) const {
    if (trump_ == NO_TRUMP || inHands_[trump_] == 0) return 0;
    holder = owner_[trump_][highestRank(inHands_[trump_])];
    const int x = holder, y = holder ^ 2;
    const int lengthX = countCards(hand_[x][trump_]), lengthY = countCards(hand_[y][trump_]);
    int topX = 0, topY = 0, k = 0, lowest = -1;
    for (uint32_t rest = inHands_[trump_]; rest != 0;) {
        const int r = highestRank(rest);
        rest ^= 1u << r;
        const int owner = owner_[trump_][r];
        if (owner != x && owner != y) break;
        (owner == x ? topX : topY)++;
        if (lengthX - topX < topY && lengthY - topY < topX) break;
        k = topX + topY;
        lowest = r;
    }
    relevant[trump_] |= static_cast<uint16_t>(1u << lowest);
    return k;
}

// When the opponents of `seat` hold no trump, every trick in which his side
// plays a trump is his side's: it takes at least as many tricks as the
// longer of its two trump holdings, whatever the ranks.
int Engine::trumpLengthTricks(int seat) const {
    if (trump_ == NO_TRUMP) return 0;
    if ((hand_[(seat + 1) & 3][trump_] | hand_[(seat + 3) & 3][trump_]) != 0) return 0;
    return std::max(countCards(hand_[seat][trump_]), countCards(hand_[seat ^ 2][trump_]));
}

// Tricks that the side not on lead takes for sure, with the cards the
// argument relies on marked in `relevant`; 0 when they cannot reach `needed`
// (the trump rules by rank give one trick at most).
int Engine::laterTricks(int leader, int needed, uint16_t* relevant) const {
    if (trump_ != NO_TRUMP && inHands_[trump_] != 0) {
        const int sure = trumpLengthTricks((leader + 1) & 3);
        if (sure >= needed) return sure;
        return needed <= 1 ? trumpTricksAgainst(leader, relevant) : 0;
    }
    return noTrumpTricksAgainst(leader, needed, relevant);
}

// With trumps in play, the side not on lead takes a trick when one of its
// hands, Y, holds
// - more cards in a run of trumps than there are trumps above that run: it
//   plays the run's lowest whenever it must play a trump, and each time that
//   loses, a trump above the run has gone;
// - or a trump below only cards of the hand on its right, X, and more trumps
//   than X has above it. Until Y's side wins a trick the leading side leads,
//   so X plays before Y to every trick: Y plays a small trump under each of
//   X's higher ones and otherwise its guarded trump, which nothing later in
//   the trick beats.
int Engine::trumpTricksAgainst(int leader, uint16_t* relevant) const {
    const uint32_t trumps = inHands_[trump_];
    for (int y : {(leader + 1) & 3, (leader + 3) & 3}) {
        const uint32_t own = hand_[y][trump_];
        if (own == 0) continue;
        const int q = highestRank(own);
        const uint32_t above = trumps & ~((2u << q) - 1);
        const int higher = countCards(above);
        // The run of Y's trumps from q down, as far as it needs to go.
        uint32_t rest = trumps & ((2u << q) - 1);
        int run = 0, last = q;
        while (run <= higher && rest != 0 && ((own >> highestRank(rest)) & 1)) {
            last = highestRank(rest);
            rest ^= 1u << last;
            ++run;
        }
        if (run > higher) {
            relevant[trump_] |= static_cast<uint16_t>(1u << last);
            return 1;
        }
        const int x = (y + 3) & 3;
        if ((above & ~hand_[x][trump_]) == 0 && countCards(own) > higher) {
            relevant[trump_] |= static_cast<uint16_t>(1u << q);
            return 1;
        }
    }
    return 0;
}

// With no trumps in play, the side not on lead takes a trick when the side
// of `leader` cannot take them all by leading only suits whose top card it
// holds: each such suit can be led no more times than the side's longer
// holding there (a lead takes a card of it from each hand that has one),
// and each time a suit whose top card an opponent holds is led, he wins with
// it. He keeps it meanwhile by discarding other cards, which he can while
// he holds more cards than tops; so the side's leads of its own suits must
// run out before the tricks it would have to win reach that point. The
// argument relies on the owners of the opponents' top cards only: were the
// top of one of the side's suits an opponent's, the side would have fewer
// leads and they one more top, and they would still take a trick.
int Engine::oneTrickAgainstCashing(int leader, uint16_t* relevant) const {
    const int partner = leader ^ 2;
    int leads = 0, tops[4] = {0, 0, 0, 0};
    uint16_t marks[4] = {0, 0, 0, 0};
    for (int s = 0; s < 4; ++s) {
        if (inHands_[s] == 0) continue;
        const int top = highestRank(inHands_[s]);
        const int holder = owner_[s][top];
        if (((holder ^ leader) & 1) != 0) {
            ++tops[holder];
            marks[s] = static_cast<uint16_t>(1u << top);
        } else
            leads += std::max(countCards(hand_[leader][s]), countCards(hand_[partner][s]));
    }
    const int mostTops = std::max(tops[(leader + 1) & 3], tops[(leader + 3) & 3]);
    if (mostTops == 0 || leads + mostTops > cardsLeft_ / 4) return 0;
    for (int s = 0; s < 4; ++s) relevant[s] |= marks[s];
    return 1;
}

// With no trumps in play: when the opponents of `leader` hold the top card
// of every suit he holds, the first trick goes to whichever of them holds
// the top of the suit led, and that hand then cashes its winners (its own
// count on lead: the trick it just won is one of them). The side takes at
// least the smaller count of the opponents who hold such a top card; 0 when
// that misses `needed`, and the counts stop once they reach it. When the
// leading side holds the top of one of his suits and needs every trick, the
// cashing limit above may still give the other side one.
int Engine::noTrumpTricksAgainst(int leader, int needed, uint16_t* relevant) const {
    bool holdsTop[4] = {false, false, false, false};
    uint16_t tops[4] = {0, 0, 0, 0};
    for (int s = 0; s < 4; ++s) {
        if (hand_[leader][s] == 0) continue;
        const int top = highestRank(inHands_[s]);
        const int holder = owner_[s][top];
        if (((holder ^ leader) & 1) == 0)
            return needed == 1 ? oneTrickAgainstCashing(leader, relevant) : 0;
        holdsTop[holder] = true;
        tops[s] = static_cast<uint16_t>(1u << top);
    }
    int tricks = 13;
    uint16_t marks[4] = {tops[0], tops[1], tops[2], tops[3]};
    for (int o : {(leader + 1) & 3, (leader + 3) & 3}) {
        if (!holdsTop[o]) continue;
        tricks = std::min(tricks, cashTricks(o, needed, marks));
        if (tricks < needed) return 0;
    }
    for (int s = 0; s < 4; ++s) relevant[s] |= marks[s];
    return tricks;
}

// During a trick that the suit led still wins: the seat that surely takes
// it, or -1. Among the winning card and the cards of that suit in the hands
// still to play, the best is played in turn and wins, unless an opponent
// still to play can ruff: the suit is not trumps and such an opponent holds
// no card of it but a trump. `top` receives the rank of that best card when
// the argument relies on it (it beats another card of the suit), else -1.
int Engine::sureTrickWinner(int& top) const {
    const int s = trick_.suit;
    if (trick_.winSuit != s) return -1;
    uint32_t toPlay = 0;
    for (int k = trick_.count; k < 4; ++k) toPlay |= hand_[(trick_.leader + k) & 3][s];
    const bool beaten = (toPlay >> trick_.winRank) != 0;
    top = beaten ? highestRank(toPlay) : trick_.winRank;
    const int holder = beaten ? owner_[s][top] : trick_.winSeat;
    if (!beaten && toPlay == 0 && countCards(trick_.onTrick[s]) == 1) top = -1;
    if (trump_ == NO_TRUMP || s == trump_) return holder;
    for (int k = trick_.count; k < 4; ++k) {
        const int seat = (trick_.leader + k) & 3;
        if (((seat ^ holder) & 1) != 0 && canRuff(seat, s)) return -1;
    }
    return holder;
}

// After the lead: the tricks that the side sure to take the current trick
// (see sureTrickWinner) then takes for sure, with `holder` receiving the
// seat that wins it; 0 when they miss what that side needs (`neededNS`,
// `neededEW`). One trick when one settles it; else, when the holder's
// opponents hold no trump (or none are in force), he keeps the lead while he
// cashes, in each suit, his cards above all the others'. A quick exit when
// both sides hold trumps and one trick cannot settle it. Marks the trick's
// best card and the lowest card of each run counted, where they beat another
// card.
int Engine::trickThenCash(int& holder, int neededNS, int neededEW, uint16_t* relevant) const {
    if (neededNS > 1 && neededEW > 1 && trump_ != NO_TRUMP &&
        (hand_[0][trump_] | hand_[2][trump_]) != 0 && (hand_[1][trump_] | hand_[3][trump_]) != 0)
        return 0;
    int top;
    holder = sureTrickWinner(top);
    if (holder < 0) return 0;
    const int needed = (holder & 1) == 0 ? neededNS : neededEW;
    if (needed <= 1) {
        if (top >= 0) relevant[trick_.suit] = static_cast<uint16_t>(1u << top);
        return 1;
    }
    if (trump_ != NO_TRUMP &&
        (hand_[(holder + 1) & 3][trump_] | hand_[(holder + 3) & 3][trump_]) != 0)
        return 0;
    const int s = trick_.suit;
    const bool played = ((holder - trick_.leader) & 3) < trick_.count;
    uint16_t marks[4] = {0, 0, 0, 0};
    if (top >= 0) marks[s] = static_cast<uint16_t>(1u << top);
    int total = 1;
    for (int t = 0; t < 4 && total < needed; ++t) {
        const uint32_t held = hand_[holder][t];
        if (held == 0) continue;
        const uint32_t rest = inHands_[t] & ~held;
        const uint32_t run = cardsAbove(held, rest);
        const int n = countCards(run) - (t == s && !played ? 1 : 0);
        if (n <= 0) continue;
        total += n;
        if (rest != 0) marks[t] |= static_cast<uint16_t>(1u << lowestRank(run));
    }
    if (total < needed) return 0;
    for (int t = 0; t < 4; ++t) relevant[t] |= marks[t];
    return total;
}

}  // namespace bridge
