// Exhaustive double-dummy search for whole bridge deals: yes/no questions about
// North-South's trick count, answered depth-first with remembered bounds.
#include "support/BridgeFullDeal.h"

namespace bridgeref {
namespace {

constexpr uint64_t BUCKET_SLOTS = 4;

uint64_t bitOf(int card) {
    return uint64_t{1} << card;
}
uint64_t suitBits(int suit) {
    return uint64_t{0x1FFF} << (13 * suit);
}

// Cards strictly between deal indices `above` and `below` (above < below).
uint64_t bitsBetween(int above, int below) {
    return bitOf(below) - bitOf(above + 1);
}

uint64_t mixKey(uint64_t low, uint64_t high) {
    uint64_t z =
        low * 0x9E3779B97F4A7C15ull ^ (high + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
    z = (z ^ (z >> 31)) * 0xBF58476D1CE4E5B9ull;
    return z ^ (z >> 29);
}

// Holders of the remaining cards of one suit, highest first, two bits each,
// above a four-bit count: the suit as far as play can tell.
uint64_t suitShape(const uint64_t* hand, int suit) {
    uint64_t odd = ((hand[1] | hand[3]) >> (13 * suit)) & 0x1FFF;
    uint64_t south = ((hand[2] | hand[3]) >> (13 * suit)) & 0x1FFF;
    uint64_t all = ((hand[0] | hand[1] | hand[2] | hand[3]) >> (13 * suit)) & 0x1FFF;
    uint64_t holders = 0;
    int count = 0;
    for (uint64_t rest = all; rest != 0; rest &= rest - 1) {
        int i = __builtin_ctzll(rest);
        holders = (holders << 2) | ((odd >> i) & 1) | (((south >> i) & 1) << 1);
        ++count;
    }
    return (holders << 4) | static_cast<uint64_t>(count);
}

}  // namespace

FullDealSolver::FullDealSolver(int log2Entries)
    : table_(size_t{1} << log2Entries), indexMask_((uint64_t{1} << log2Entries) - 1) {}

void FullDealSolver::load(const Position& position) {
    trump_ = position.trump;
    trickBits_ = 0;
    for (int seat = 0; seat < 4; ++seat) hand_[seat] = 0;
    for (int card = 0; card < DECK_SIZE; ++card) {
        int code = position.deal[card];
        if (code >= 1 && code <= 4) hand_[code - 1] |= bitOf(card);
    }
    for (int i = 0; i < 4; ++i) {
        int seat = (position.leader + i) % 4;
        for (int card = 0; card < DECK_SIZE; ++card) {
            if (position.deal[card] == seat + 5) {
                trick_[i] = card;
                trickBits_ |= bitOf(card);
            }
        }
    }
}

bool FullDealSolver::northSouthTricks(const Position& position, int* northSouth) {
    if (!checkPosition(position)) return false;
    load(position);
    int played = cardsOnTrick(position);
    int tricks = tricksLeft(position);
    int leader = position.leader;
    int settled = 0;
    if (played == 4) {
        leader = (leader + winningPlace(4)) % 4;
        settled = isNorthSouth(leader) ? 1 : 0;
        played = 0;
        trickBits_ = 0;
        --tricks;
    }
    // Bisection: North-South take between low and high tricks.
    int low = 0;
    int high = tricks;
    while (low < high) {
        int mid = (low + high + 1) / 2;
        bool reached =
            played == 0 ? reachAtBoundary(leader, mid) : reachInTrick(leader, played, mid);
        if (reached) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    *northSouth = settled + low;
    return true;
}

bool FullDealSolver::tableNumbers(const Position& position, std::array<int, 4>* tricks) {
    if (!checkPosition(position) || cardsOnTrick(position) != 0) return false;
    Position lead = position;
    int total = tricksLeft(position);
    for (int leader = 0; leader < 4; ++leader) {
        lead.leader = leader;
        int northSouth = 0;
        northSouthTricks(lead, &northSouth);
        (*tricks)[leader] = isNorthSouth(leader) ? total - northSouth : northSouth;
    }
    return true;
}

// Do North-South take at least `need` of the tricks left, `leader` to lead?
bool FullDealSolver::reachAtBoundary(int leader, int need) {
    int tricks = __builtin_popcountll(hand_[leader]);
    if (need <= 0) return true;
    if (need > tricks) return false;
    ++nodes_;
    if (tricks == 1) return lastTrickNorthSouth(leader) >= need;
    uint64_t low;
    uint64_t high;
    makeKey(leader, &low, &high);
    if (const Entry* entry = findEntry(low, high)) {
        if (entry->lower >= need) return true;
        if (entry->upper < need) return false;
    }
    bool reached = reachInTrick(leader, 0, need);
    storeBound(low, high, tricks, need, reached);
    return reached;
}

// The same question with `played` cards of the current trick in trick_.
// North-South need one card that succeeds, East-West one that refutes.
bool FullDealSolver::reachInTrick(int leader, int played, int need) {
    if (played == 4) return reachAfterTrick(leader, need);
    int seat = (leader + played) % 4;
    Move moves[13];
    int count = generateMoves(seat, leader, played, moves);
    bool northSouthToMove = isNorthSouth(seat);
    for (int i = 0; i < count; ++i) {
        uint64_t bit = bitOf(moves[i].card);
        hand_[seat] ^= bit;
        trickBits_ |= bit;
        trick_[played] = moves[i].card;
        bool reached = reachInTrick(leader, played + 1, need);
        hand_[seat] ^= bit;
        trickBits_ ^= bit;
        if (reached == northSouthToMove) return reached;
    }
    return !northSouthToMove;
}

// Four cards are down: score the trick and go on from the next one, led by its
// winner. The deeper tricks reuse trick_, so it is kept and put back.
bool FullDealSolver::reachAfterTrick(int leader, int need) {
    int winner = (leader + winningPlace(4)) % 4;
    int kept[4] = {trick_[0], trick_[1], trick_[2], trick_[3]};
    uint64_t keptBits = trickBits_;
    trickBits_ = 0;
    bool reached = reachAtBoundary(winner, need - (isNorthSouth(winner) ? 1 : 0));
    trickBits_ = keptBits;
    for (int i = 0; i < 4; ++i) trick_[i] = kept[i];
    return reached;
}

int FullDealSolver::lastTrickNorthSouth(int leader) const {
    int cards[4];
    for (int i = 0; i < 4; ++i) cards[i] = __builtin_ctzll(hand_[(leader + i) % 4]);
    int best = 0;
    for (int i = 1; i < 4; ++i) {
        if (beats(cards[i], cards[best])) best = i;
    }
    return isNorthSouth((leader + best) % 4) ? 1 : 0;
}

bool FullDealSolver::beats(int card, int than) const {
    if (suitOf(card) == suitOf(than)) return card < than;  // lower index, higher rank
    return suitOf(card) == trump_;
}

int FullDealSolver::winningPlace(int played) const {
    int best = 0;
    for (int i = 1; i < played; ++i) {
        if (beats(trick_[i], trick_[best])) best = i;
    }
    return best;
}

// Legal cards of `seat`, one per run of interchangeable cards, best-looking first.
int FullDealSolver::generateMoves(int seat, int leader, int played, Move* moves) const {
    uint64_t hand = hand_[seat];
    uint64_t legal = hand;
    if (played > 0 && (hand & suitBits(suitOf(trick_[0]))) != 0) {
        legal = hand & suitBits(suitOf(trick_[0]));
    }
    uint64_t others = (hand_[0] | hand_[1] | hand_[2] | hand_[3] | trickBits_) & ~hand;
    int count = 0;
    for (int suit = 0; suit < 4; ++suit) {
        int above = -1;
        for (uint64_t rest = legal & suitBits(suit); rest != 0; rest &= rest - 1) {
            int card = __builtin_ctzll(rest);
            bool sameAsAbove = above >= 0 && (others & bitsBetween(above, card)) == 0;
            above = card;
            if (sameAsAbove) continue;
            Move move{card, scoreMove(card, seat, leader, played)};
            int at = count++;
            while (at > 0 && moves[at - 1].score < move.score) {
                moves[at] = moves[at - 1];
                --at;
            }
            moves[at] = move;
        }
    }
    return count;
}

int FullDealSolver::scoreMove(int card, int seat, int leader, int played) const {
    return played == 0 ? scoreLead(card, seat) : scoreFollow(card, seat, leader, played);
}

// Leads: cash a winner, then lead towards partner's winner, else lead low; all
// less attractive where an opponent can ruff.
int FullDealSolver::scoreLead(int card, int seat) const {
    int suit = suitOf(card);
    uint64_t inSuit = (hand_[0] | hand_[1] | hand_[2] | hand_[3]) & suitBits(suit);
    int top = __builtin_ctzll(inSuit | bitOf(card));
    bool ruffed = false;
    if (trump_ != NO_TRUMP && suit != trump_) {
        for (int opponent : {(seat + 1) % 4, (seat + 3) % 4}) {
            if ((hand_[opponent] & suitBits(suit)) == 0 &&
                (hand_[opponent] & suitBits(trump_)) != 0) {
                ruffed = true;
            }
        }
    }
    int score = 25;
    if (card == top) {
        score = ruffed ? 20 : 60;
    } else if ((hand_[(seat + 2) % 4] & bitOf(top)) != 0) {
        score = ruffed ? 15 : 45;
    }
    return score * 16 + rankPositionOf(card);
}

// Following: give partner's winning card a low one, otherwise win as cheaply as
// possible (by following or ruffing), otherwise play low.
int FullDealSolver::scoreFollow(int card, int seat, int leader, int played) const {
    int place = winningPlace(played);
    bool partnerWinning = isNorthSouth((leader + place) % 4) == isNorthSouth(seat);
    bool wins = beats(card, trick_[place]);
    int cheapness = rankPositionOf(card);
    bool following = suitOf(card) == suitOf(trick_[0]);
    int score = 20;
    if (!partnerWinning && wins) {
        score = following ? 50 : 45;
    } else if (partnerWinning && following) {
        score = 30;
    } else if (!following && suitOf(card) == trump_) {
        score = 5;  // ruffing partner's winner or under-ruffing
    }
    return score * 16 + cheapness;
}

void FullDealSolver::makeKey(int leader, uint64_t* low, uint64_t* high) const {
    *low =
        suitShape(hand_, 0) | (suitShape(hand_, 1) << 30) | (static_cast<uint64_t>(leader) << 60);
    *high =
        suitShape(hand_, 2) | (suitShape(hand_, 3) << 30) | (static_cast<uint64_t>(trump_) << 60);
}

FullDealSolver::Entry* FullDealSolver::findEntry(uint64_t low, uint64_t high) {
    uint64_t start = mixKey(low, high) & indexMask_ & ~(BUCKET_SLOTS - 1);
    for (uint64_t i = 0; i < BUCKET_SLOTS; ++i) {
        Entry& entry = table_[start + i];
        if (entry.tricks != 0 && entry.keyLow == low && entry.keyHigh == high) return &entry;
    }
    return nullptr;
}

// Records what one search learnt. A new position takes an empty slot of its
// bucket, else the slot of the position with the fewest tricks left.
void FullDealSolver::storeBound(uint64_t low, uint64_t high, int tricks, int need, bool reached) {
    Entry* entry = findEntry(low, high);
    if (entry == nullptr) {
        uint64_t start = mixKey(low, high) & indexMask_ & ~(BUCKET_SLOTS - 1);
        entry = &table_[start];
        for (uint64_t i = 1; i < BUCKET_SLOTS && entry->tricks != 0; ++i) {
            Entry& candidate = table_[start + i];
            if (candidate.tricks < entry->tricks) entry = &candidate;
        }
        entry->keyLow = low;
        entry->keyHigh = high;
        entry->lower = 0;
        entry->upper = static_cast<int8_t>(tricks);
        entry->tricks = static_cast<int8_t>(tricks);
    }
    if (reached && need > entry->lower) entry->lower = static_cast<int8_t>(need);
    if (!reached && need - 1 < entry->upper) entry->upper = static_cast<int8_t>(need - 1);
}

}  // namespace bridgeref
