// Search of the hidden-layout solver: yes/no tests "the declarer takes at
// least `target` of the tricks left", trick by trick, with the table at trick
// starts.
#include "preferans/LayoutCards.h"

namespace preferans {

namespace {

// COMPRESS[present][bits]: the bits of `bits` at the places of `present`,
// packed from bit 0 up (the lowest card first).
const struct CompressTable {
    uint8_t v[256][256];
    CompressTable() {
        for (int present = 0; present < 256; present++) {
            for (int bits = 0; bits < 256; bits++) {
                int out = 0, place = 0;
                for (int r = 0; r < 8; r++) {
                    if (((present >> r) & 1) == 0) continue;
                    out |= ((bits >> r) & 1) << place++;
                }
                v[present][bits] = static_cast<uint8_t>(out);
            }
        }
    }
} COMPRESS;

}  // namespace

uint64_t LayoutSolver::positionKey() const {
    // Per suit, 16 bits: the owner codes (1 to 3) of the remaining cards in
    // rank order, low code bits in the low byte and high ones in the high
    // byte, so that positions alike up to gone cards share a key. The top
    // card's code is never 0, which fixes the suit's length.
    const CardSet low = hands_[0] | hands_[2];
    const CardSet high = hands_[1] | hands_[2];
    const CardSet all = low | hands_[1];
    uint64_t key = 0;
    for (int s = 0; s < 4; s++) {
        const int shift = 8 * s;
        const uint8_t* row = COMPRESS.v[(all >> shift) & 0xFF];
        const uint64_t part = row[(low >> shift) & 0xFF] | row[(high >> shift) & 0xFF] << 8;
        key |= part << (16 * s);
    }
    return key;
}

int LayoutSolver::trickWinner(const Trick& trick) const {
    int place = 0;
    for (int i = 1; i < 3; i++) {
        if (takesOver(trick.cards[place], trick.cards[i], game_.trump)) place = i;
    }
    return (trick.leader + place) % PLAYERS;
}

int LayoutSolver::lastTrickForDeclarer(int leader) const {
    Trick trick{leader, 3, {}};
    for (int i = 0; i < 3; i++) trick.cards[i] = highestCard(hands_[(leader + i) % PLAYERS]);
    return trickWinner(trick) == game_.declarer ? 1 : 0;
}

bool LayoutSolver::trickStart(int leader, int target) {
    if (target <= 0) return true;
    const int tricks = cardCount(hands_[leader]);
    if (target > tricks) return false;
    if (tricks == 1) return lastTrickForDeclarer(leader) >= target;
    nodes_++;
    if (!game_.misere) {
        const int sure = quickTricks(leader);
        if (leader == game_.declarer) {
            if (sure >= target) return true;
        } else if (tricks - sure < target) {
            return false;
        }
    } else {
        const int outlook = misereOutlook(leader);
        if (outlook == MISERE_NO_MORE) return false;  // target is at least 1 here
        if (outlook == MISERE_ONE_MORE && target == 1) return true;
    }
    const uint64_t key = positionKey();
    int first = -1;
    if (const LayoutTable::Entry* e = table_.probe(key, leader)) {
        if (e->lower >= target) return true;
        if (e->upper < target) return false;
        if (e->best != LayoutTable::NO_MOVE) first = leadOfRelative(e->best);
    }
    Trick trick{leader, 0, {}};
    int settled = -1;
    const bool reached = playNext(trick, target, first, &settled);
    table_.store(key, leader, tricks, target, reached,
                 settled < 0 ? LayoutTable::NO_MOVE : relativeLead(settled));
    return reached;
}

bool LayoutSolver::finishTrick(const Trick& trick, int target) {
    const int winner = trickWinner(trick);
    return trickStart(winner, target - (winner == game_.declarer ? 1 : 0));
}

int LayoutSolver::relativeLead(int card) const {
    const CardSet all = hands_[0] | hands_[1] | hands_[2] | cardBit(card);
    const CardSet above = all & suitCards(suitOf(card)) & ~((cardBit(card) << 1) - 1);
    return suitOf(card) * 8 + cardCount(above);
}

int LayoutSolver::leadOfRelative(int code) const {
    CardSet rest = (hands_[0] | hands_[1] | hands_[2]) & suitCards(code / 8);
    for (int i = 0; i < code % 8 && rest != 0; i++) rest ^= cardBit(highestCard(rest));
    return rest == 0 ? -1 : highestCard(rest);
}

bool LayoutSolver::playNext(Trick& trick, int target, int first, int* settled) {
    const int mover = (trick.leader + trick.count) % PLAYERS;
    int moves[10];
    const int n = generateMoves(trick, mover, first, moves);
    // The declarer's side answers yes when one card does; the other side
    // answers no when one card does.
    const bool yesSide = wantsDeclarerTricks(mover);
    for (int i = 0; i < n; i++) {
        const CardSet bit = cardBit(moves[i]);
        hands_[mover] ^= bit;
        trick.cards[trick.count++] = moves[i];
        const bool reached =
            trick.count == 3 ? finishTrick(trick, target) : playNext(trick, target, -1, nullptr);
        trick.count--;
        hands_[mover] ^= bit;
        if (reached == yesSide) {
            if (settled != nullptr) *settled = moves[i];
            return reached;
        }
    }
    return !yesSide;
}

}  // namespace preferans
