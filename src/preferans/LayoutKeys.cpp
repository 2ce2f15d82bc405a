// Keys of the hidden-layout solver's table: the owners of the remaining
// cards, the hands' suit lengths, the cards that mattered to a test as places
// in the owner key, and leads as relative ranks.
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

// The number of cards of each suit in a hand, as four 4-bit counts.
uint64_t suitLengths(CardSet hand) {
    uint32_t b = hand - ((hand >> 1) & 0x55555555u);
    b = (b & 0x33333333u) + ((b >> 2) & 0x33333333u);
    b = (b + (b >> 4)) & 0x0F0F0F0Fu;  // a count per byte
    b = (b | (b >> 4)) & 0x00FF00FFu;
    return (b | (b >> 8)) & 0xFFFFu;
}

}  // namespace

uint64_t LayoutSolver::ownerKey() const {
    // Per suit, 16 bits: the owner codes (1 to 3) of the remaining cards in
    // rank order, low code bits in the low byte and high ones in the high
    // byte, so that positions alike up to gone cards share a key.
    uint64_t key = 0;
    for (int s = 0; s < 4; s++) key |= suitOwners(s) << (16 * s);
    return key;
}

uint64_t LayoutSolver::suitOwners(int suit) const {
    const int shift = 8 * suit;
    const uint32_t low = ((hands_[0] | hands_[2]) >> shift) & 0xFF;
    const uint32_t high = ((hands_[1] | hands_[2]) >> shift) & 0xFF;
    const uint8_t* row = COMPRESS.v[low | high];  // every card of the suit left
    return row[low] | row[high] << 8;
}

uint64_t LayoutSolver::leadContext(int leader) const {
    const uint64_t h = uint64_t{hands_[leader]} * 0x9E3779B97F4A7C15ull ^
                       shapeKey(leader) * 0xC2B2AE3D27D4EB4Full;
    return h ^ (h >> 29);
}

uint64_t LayoutSolver::shapeKey(int leader) const {
    // The top bit keeps every shape apart from an empty entry's 0.
    return suitLengths(hands_[0]) | suitLengths(hands_[1]) << 16 | suitLengths(hands_[2]) << 32 |
           static_cast<uint64_t>(leader) << 48 | 1ull << 63;
}

uint64_t LayoutSolver::maskOf(CardSet mattered) const {
    const CardSet all = hands_[0] | hands_[1] | hands_[2];
    uint64_t mask = 0;
    for (int s = 0; s < 4; s++) {
        const int shift = 8 * s;
        const uint32_t present = (all >> shift) & 0xFF;
        const uint32_t marked = (mattered >> shift) & present;
        if (marked == 0) continue;
        const uint32_t fromLowest = present & ~((marked & (0u - marked)) - 1);
        const uint64_t places = COMPRESS.v[present][fromLowest];
        mask |= (places | places << 8) << (16 * s);
    }
    return mask;
}

uint16_t LayoutSolver::topsOf(CardSet mattered) const {
    const CardSet all = hands_[0] | hands_[1] | hands_[2];
    uint16_t tops = 0;
    for (int s = 0; s < 4; s++) {
        const CardSet marked = mattered & all & suitCards(s);
        if (marked == 0) continue;
        const int top = cardCount(all & suitCards(s) & ~((marked & (0u - marked)) - 1));
        tops |= static_cast<uint16_t>(top << (4 * s));
    }
    return tops;
}

CardSet LayoutSolver::cardsOfTops(uint16_t tops) const {
    const CardSet all = hands_[0] | hands_[1] | hands_[2];
    CardSet cards = 0;
    for (int s = 0; s < 4; s++) cards |= highestOf(all & suitCards(s), (tops >> (4 * s)) & 0xF);
    return cards;
}

CardSet LayoutSolver::cardsOfMask(uint64_t mask) const {
    uint16_t tops = 0;
    for (int s = 0; s < 4; s++) {
        tops |= static_cast<uint16_t>(cardCount((mask >> (16 * s)) & 0xFF) << (4 * s));
    }
    return cardsOfTops(tops);
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

}  // namespace preferans
