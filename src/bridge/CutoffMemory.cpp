// The memory of cut-off cards: per context of a move, the card that last cut
// the search off there, tried early the next time the context comes back.
// A context is the seat and its place in the trick with, at the lead, the
// leader's hand; when following suit, the cards left in the suit led, the
// seat's own cards of it and the trick's winning card; when void in it, the
// hand and the winning card. Two contexts that share a slot and a tag only
// cost time: the card is a hint (and the search checks it is a candidate).
#include "bridge/Internal.h"

namespace bridge {

namespace {

inline uint64_t packedHand(const uint16_t* hand) {
    return static_cast<uint64_t>(hand[0]) | static_cast<uint64_t>(hand[1]) << 13 |
           static_cast<uint64_t>(hand[2]) << 26 | static_cast<uint64_t>(hand[3]) << 39;
}

}  // namespace

uint64_t Engine::cutContext(int seat) const {
    const Trick& t = trick_;
    uint64_t key = static_cast<uint64_t>(seat) << 2 | static_cast<uint64_t>(t.count);
    if (t.count == 0) return key | packedHand(hand_[seat]) << 4;
    const uint64_t winner = static_cast<uint64_t>(cardOf(t.winSuit, t.winRank)) << 4 |
                            static_cast<uint64_t>((t.winSeat - seat) & 3) << 10;
    if (hand_[seat][t.suit] != 0)
        return key | winner | static_cast<uint64_t>(t.suit) << 12 |
               static_cast<uint64_t>(inHands_[t.suit]) << 14 |
               static_cast<uint64_t>(hand_[seat][t.suit]) << 27;
    return key | winner | static_cast<uint64_t>(1) << 12 | packedHand(hand_[seat]) << 13;
}

namespace {

inline uint64_t mixed(uint64_t context) {
    context ^= context >> 31;
    context *= 0x9E3779B97F4A7C15ull;
    return context ^ (context >> 29);
}

// A slot's tag: ten bits of the context's hash mixed with the table's
// generation, so that a new generation leaves every remembered card stale
// without a clear. The card (suit * 16 + rank) takes the low six bits.
constexpr uint16_t TAG_BITS = 0xFFC0;

inline uint16_t cutTag(uint64_t h, uint32_t generation) {
    return static_cast<uint16_t>((static_cast<uint32_t>(h) ^ (generation * 0x9E3779B1u)) &
                                 TAG_BITS);
}

inline uint32_t cutSlot(uint64_t h) {
    return static_cast<uint32_t>(h >> (64 - CUT_SLOT_BITS));
}

}  // namespace

void Engine::prefetchCut(uint64_t context) const {
    __builtin_prefetch(&cuts_[cutSlot(mixed(context))]);
}

int Engine::rememberedCut(uint64_t context) const {
    const uint64_t h = mixed(context);
    const uint16_t held = cuts_[cutSlot(h)];
    return (held & TAG_BITS) == cutTag(h, generation_) ? static_cast<int>(held & ~TAG_BITS) : -1;
}

void Engine::rememberCut(uint64_t context, int card) {
    const uint64_t h = mixed(context);
    cuts_[cutSlot(h)] = static_cast<uint16_t>(cutTag(h, generation_) | card);
}

// The card when the seat may play it and the move list would hold it (it
// follows suit when he can and stands for its run of equivalent cards: the
// top card of a lead, the lowest card of a play to the trick), else -1.
int Engine::candidateOrNone(int seat, int card) const {
    if (card < 0) return -1;
    const int s = suitOf(card), r = rankOf(card);
    const uint32_t held = hand_[seat][s];
    if (!((held >> r) & 1)) return -1;
    if (trick_.count == 0) {
        const uint32_t above = inHands_[s] & ~((2u << r) - 1);
        return above != 0 && ((held >> lowestRank(above)) & 1) ? -1 : card;
    }
    if (s != trick_.suit && hand_[seat][trick_.suit] != 0) return -1;
    const uint32_t below = trickRunBreaks(s) & ((1u << r) - 1);
    return below != 0 && ((held >> highestRank(below)) & 1) ? -1 : card;
}

}  // namespace bridge
