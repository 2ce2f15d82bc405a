// Transposition table of the hidden-layout solver: bounds on the declarer's
// tricks from a trick start, keyed by the owners of the remaining cards in
// rank order (relative ranks) and the player on lead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace preferans {

class LayoutTable {
   public:
    struct Entry {
        uint64_t key = 0;
        uint8_t leader = EMPTY;
        int8_t lower = 0;        // the declarer surely takes at least this many tricks
        int8_t upper = 0;        // and at most this many
        uint8_t best = NO_MOVE;  // the lead that last settled a test, as relativeLead gives it
        uint8_t tricks = 0;      // tricks left: deep entries save the most work
    };
    // Entries of one slot share a cache line; a new position replaces the
    // one with the fewest tricks left.
    static constexpr uint32_t WAYS = 4;
    static constexpr uint8_t EMPTY = 0xFF;
    static constexpr uint8_t NO_MOVE = 0xFF;

    explicit LayoutTable(uint32_t entries);

    // The entry of the position, or null.
    const Entry* probe(uint64_t key, int leader) const {
        const Entry* e = &entries_[slotOf(key, leader)];
        for (uint32_t i = 0; i < WAYS; i++, e++) {
            if (e->key == key && e->leader == leader) return e;
        }
        return nullptr;
    }

    // Records the outcome of the test "the declarer takes at least `target`
    // of the `tricks` left"; an entry of another position is replaced.
    void store(uint64_t key, int leader, int tricks, int target, bool reached, int best) {
        Entry* const way = &entries_[slotOf(key, leader)];
        Entry* victim = way;
        for (uint32_t i = 0; i < WAYS; i++) {
            if (way[i].key == key && way[i].leader == leader) {
                victim = &way[i];
                break;
            }
            if (way[i].tricks < victim->tricks) victim = &way[i];
        }
        Entry& e = *victim;
        if (e.key != key || e.leader != leader) {
            e.key = key;
            e.tricks = static_cast<uint8_t>(tricks);
            e.leader = static_cast<uint8_t>(leader);
            e.lower = 0;
            e.upper = static_cast<int8_t>(tricks);
            e.best = NO_MOVE;
        }
        if (best != NO_MOVE) e.best = static_cast<uint8_t>(best);
        if (reached) {
            if (target > e.lower) e.lower = static_cast<int8_t>(target);
        } else if (target - 1 < e.upper) {
            e.upper = static_cast<int8_t>(target - 1);
        }
    }

    void clear();
    size_t bytes() const { return entries_.size() * sizeof(Entry); }

   private:
    uint32_t slotOf(uint64_t key, int leader) const {
        uint64_t h = (key ^ (static_cast<uint64_t>(leader) << 62)) * 0x9E3779B97F4A7C15ull;
        return static_cast<uint32_t>(h >> 32) & mask_ & ~(WAYS - 1);
    }

    std::vector<Entry> entries_;
    uint32_t mask_;
};

}  // namespace preferans
