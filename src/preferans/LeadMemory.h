// The misere layout search's memory of leads: per context (the player on
// lead, his cards and the other hands' suit lengths), the lead that last
// settled a test there, tried first the next time the context comes back.
// The declarer's hand is the same in every split of a run, so contexts recur
// from split to split, and the memory learns which of his leads the
// defenders' cards allow, which the fixed lead order cannot tell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace preferans {

class LeadMemory {
   public:
    LeadMemory() : slots_(size_t{1} << SLOT_BITS, 0) {}

    // The remembered lead of `context` when `hand` (a card set) still holds
    // it, else -1. Two contexts that share a slot and a tag only cost time:
    // the lead is a hint.
    int lead(uint64_t context, uint32_t hand) const {
        const uint32_t slot = slots_[indexOf(context)];
        if ((slot & ~CARD_MASK) != tagOf(context) || (slot & CARD_MASK) == 0) return -1;
        const int card = static_cast<int>(slot & CARD_MASK) - 1;
        return ((hand >> card) & 1) != 0 ? card : -1;
    }

    void remember(uint64_t context, int card) {
        slots_[indexOf(context)] = tagOf(context) | static_cast<uint32_t>(card + 1);
    }

   private:
    static constexpr int SLOT_BITS = 16;         // 256 KB
    static constexpr uint32_t CARD_MASK = 0x3F;  // a card plus one; 0 for none

    static size_t indexOf(uint64_t context) { return context >> (64 - SLOT_BITS); }
    static uint32_t tagOf(uint64_t context) { return static_cast<uint32_t>(context) & ~CARD_MASK; }

    std::vector<uint32_t> slots_;
};

}  // namespace preferans
