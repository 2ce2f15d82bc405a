// Transposition table of the hidden-layout solver: bounds on the declarer's
// tricks from a trick start.
//
// Exact entries key on the owner of every remaining card (relative ranks) and
// the player on lead. In trump and no-trump games the table also keeps
// entries that stand for many positions: every position with the same suit
// lengths in each hand and the same player on lead (its shape) whose cards
// that mattered to the search (in each suit the highest ones, down to the
// lowest that mattered) have the same owners, so that one entry serves the
// splits that differ only in low cards. Which cards mattered differs from
// entry to entry: each shape keeps the few masks its entries use, and a probe
// tries the position under each of them, after the exact entries, which
// answer most probes in one cache line. In misere nearly every card matters,
// and the whole table holds exact entries; in a table of at least
// MIN_COMPACT_BYTES they take 8 bytes each instead of 16, which doubles
// what a run of many splits keeps. Such a table can serve the solvers of
// several threads at once: each entry is one word, read and written whole,
// so a probe sees an entry as one store or another left it, never a mix,
// and a store that races another loses at worst the one or the other's news.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace preferans {

class LayoutTable {
   public:
    static constexpr uint8_t NO_MOVE = 0xFF;

    // Bounds of the positions of a shape under a mask. Zeroed memory is empty.
    struct Entry {
        uint64_t shape;   // lengths and leader, never 0
        uint64_t owners;  // the owner codes of the cards that mattered
        uint64_t mask;    // where they are in a position's owner key
        int8_t lower;     // the declarer surely takes at least this many tricks
        int8_t upper;     // and at most this many
        uint8_t best;     // the lead that last settled a test, as a relative lead
        uint8_t tricks;   // tricks left: deep entries save the most work
        uint32_t lastSplit;  // counted only with the search counters
    };
    // Entries of one slot share two cache lines; a new entry replaces the one
    // with the fewest tricks left.
    static constexpr uint32_t WAYS = 4;

    // The bounds of one exact position (owner key and leader), each with the
    // highest cards of each suit it rests on (four counts of 4 bits).
    struct Exact {
        uint64_t key;
        uint8_t leaderTricks;  // (leader + 1) | tricks << 2; 0 when empty
        int8_t lower;
        int8_t upper;
        uint8_t best;
        uint16_t lowerTops;
        uint16_t upperTops;
    };
    static constexpr uint32_t EXACT_WAYS = 4;

    // What an exact probe found: the bounds, the lead that last settled a
    // test, and the highest cards of each suit each bound rests on.
    struct Bounds {
        int lower;
        int upper;
        int best;
        uint16_t lowerTops;
        uint16_t upperTops;
    };

    // Exact entries of 8 bytes, for an exact-only table of at least
    // MIN_COMPACT_BYTES (neither the highest cards nor a lead are kept). The
    // key and leader, scrambled one to one, give the line (the top bits) and
    // the check kept in the entry (the rest): with the leader kept as well,
    // line and check name the position exactly. With 2^20 lines or more the
    // check fits in 44 bits; the lines take 2 to 8 entries, as the table's
    // size allows.
    // Each entry also keeps the age of the run when it was last stored
    // (`age`, counted modulo AGES), so that a full line drops entries the
    // run has left behind before those it still uses.
    static constexpr int AGES = 64;
    static constexpr int COMPACT_LINE_BITS = 20;
    static constexpr uint32_t MAX_COMPACT_WAYS = 8;
    static constexpr size_t MIN_COMPACT_BYTES = size_t{2 * 8} << COMPACT_LINE_BITS;

    // The masks of one shape, most recently stored first (one cache line);
    // the unused ones NO_MASK, since no position holds every card of the pack.
    static constexpr int MASKS = 7;
    static constexpr uint64_t NO_MASK = ~0ull;
    struct ShapeMasks {
        uint64_t shape;
        uint64_t masks[MASKS];
    };

    // A table in `bytes` (at least MIN_BYTES); throws std::bad_alloc.
    explicit LayoutTable(size_t bytes);
    static constexpr size_t MIN_BYTES = 64 * 1024;

    // Empties the table and lays it out for a game: with the shape entries
    // or, when `partitioned` is false, exact entries only.
    void reset(bool partitioned);

    // The bounds stored for an exact position (owner key and leader).
    bool probeExact(uint64_t key, int leader, Bounds& found) const {
        if (compact_ != nullptr) return probeCompact(key, leader, found);
        const Exact* e = &exact_[exactSlot(key, leader)];
        for (uint32_t i = 0; i < EXACT_WAYS; i++, e++) {
            if (e->key == key && (e->leaderTricks & 3) == leader + 1) {
                found = {e->lower, e->upper, e->best, e->lowerTops, e->upperTops};
                return true;
            }
        }
        return false;
    }
    // Records the outcome of the test "the declarer takes at least `target`
    // of the `tricks` left" in an exact position, resting on `tops`; `work`
    // is the positions its search took and `age` the run's age now, which
    // 8-byte entries keep (roughly) to choose what a full line drops.
    void storeExact(uint64_t key, int leader, int tricks, int target, bool reached, int best,
                    uint16_t tops, uint64_t work = 0, int age = 0);

    // The masks the entries of `shape` use, valid when its `shape` is this one.
    const ShapeMasks& masksOf(uint64_t shape) const { return shapes_[shapeSlot(shape)]; }
    // The entry of a shape under a mask whose owner codes are `owners`
    // (an owner key already masked), or null.
    Entry* probe(uint64_t shape, uint64_t mask, uint64_t owners) {
        Entry* e = &entries_[entrySlot(shape, mask, owners)];
        for (uint32_t i = 0; i < WAYS; i++, e++) {
            if (e->owners == owners && e->mask == mask && e->shape == shape) return e;
        }
        return nullptr;
    }
    // The same outcome for every position of `shape` whose owner key, masked
    // with `mask`, is `owners`. Returns whether a new entry was made.
    bool store(uint64_t shape, uint64_t mask, uint64_t owners, int tricks, int target,
               bool reached, int best);

    // Start fetching what the probes of a position will read.
    void prefetchExact(uint64_t key, int leader) const {
        if (compact_ != nullptr) {
            __builtin_prefetch(&compact_[compactLine(scramble(key, leader))]);
        } else {
            __builtin_prefetch(&exact_[exactSlot(key, leader)]);
        }
    }
    void prefetchMasks(uint64_t shape) const {
        if (shapeSlots_ != 0) __builtin_prefetch(&shapes_[shapeSlot(shape)]);
    }
    void prefetch(uint64_t shape, uint64_t mask, uint64_t owners) const {
        __builtin_prefetch(&entries_[entrySlot(shape, mask, owners)]);
    }

    size_t bytes() const { return bytes_; }
    // Whether solvers on several threads may use the table together: after
    // reset(false), in a table of at least MIN_COMPACT_BYTES.
    bool shareable() const { return compact_ != nullptr; }

   private:
    // A slot from a hash: its high half scaled to the slot count.
    static uint32_t scaled(uint64_t hash, uint32_t slots) {
        return static_cast<uint32_t>(((hash >> 32) * slots) >> 32);
    }
    static uint64_t mix(uint64_t x) { return x * 0x9E3779B97F4A7C15ull; }
    uint32_t entrySlot(uint64_t shape, uint64_t mask, uint64_t owners) const {
        return WAYS * scaled(mix(shape ^ mix(mask ^ 0x5851F42D4C957F2Dull) ^ owners), entrySlots_);
    }
    uint32_t exactSlot(uint64_t key, int leader) const {
        return EXACT_WAYS *
               scaled(mix(key ^ (static_cast<uint64_t>(leader) << 62)), exactSlots_);
    }
    uint32_t shapeSlot(uint64_t shape) const { return scaled(mix(shape), shapeSlots_); }

    // A compact entry: check << 20 | worth << 16 | age << 10 | upper << 6
    // | lower << 2 | leader + 1, so that 0 is empty. The worth is the bit
    // length of the most positions one search of it took (at most 15),
    // less one for each age it has not been stored since: a full line drops
    // its least worth entry, which is cheapest to redo or least likely to
    // come back.
    static constexpr int CHECK_SHIFT = 20;
    static constexpr uint64_t TAG_BITS = ~((uint64_t{1} << CHECK_SHIFT) - 4);  // check, leader
    static int fieldOf(uint64_t entry, int shift, uint64_t bits) {
        return static_cast<int>((entry >> shift) & bits);
    }
    // An entry's worth at the run's `age`; an empty one is worth least.
    static int keptWorth(uint64_t entry, int age) {
        if (entry == 0) return -AGES;
        return fieldOf(entry, 16, 0xF) - ((age - fieldOf(entry, 10, AGES - 1)) & (AGES - 1));
    }
    // One to one on 64 bits (a product with an odd number), whose top bits
    // depend on every bit of the key; the leader then changes two of them.
    static uint64_t scramble(uint64_t key, int leader) {
        return mix(key) ^ static_cast<uint64_t>(leader) << 61;
    }
    uint32_t compactLine(uint64_t scrambled) const {
        return compactWays_ * static_cast<uint32_t>(scrambled >> (64 - compactLineBits_));
    }
    uint64_t compactTag(uint64_t scrambled, int leader) const {
        const uint64_t check = scrambled & (~uint64_t{0} >> compactLineBits_);
        return check << CHECK_SHIFT | static_cast<uint64_t>(leader + 1);
    }
    // A compact entry read or written whole (a plain move on the machines
    // we build for), since other threads may use the same table.
    static uint64_t load(const uint64_t* entry) {
        return __atomic_load_n(entry, __ATOMIC_RELAXED);
    }
    static void save(uint64_t* entry, uint64_t value) {
        __atomic_store_n(entry, value, __ATOMIC_RELAXED);
    }
    bool probeCompact(uint64_t key, int leader, Bounds& found) const {
        const uint64_t scrambled = scramble(key, leader);
        const uint64_t tag = compactTag(scrambled, leader);
        const uint64_t* way = &compact_[compactLine(scrambled)];
        for (uint32_t i = 0; i < compactWays_; i++) {
            const uint64_t e = load(&way[i]);
            if ((e & TAG_BITS) != tag) continue;
            found = {fieldOf(e, 2, 0xF), fieldOf(e, 6, 0xF), NO_MOVE, 0, 0};
            return true;
        }
        return false;
    }
    // Marks the table as holding something; read first, so that threads
    // sharing the table do not keep writing the flag's cache line.
    void noteUse() {
        if (!used_.load(std::memory_order_relaxed)) used_.store(true, std::memory_order_relaxed);
    }
    void storeCompact(uint64_t key, int leader, int tricks, int target, bool reached,
                      uint64_t work, int age);
    void noteMask(uint64_t shape, uint64_t mask);

    struct Free {
        void operator()(void* p) const;
    };
    std::unique_ptr<void, Free> block_;  // calloc: pages come zeroed as they are touched
    char* base_ = nullptr;               // where the table starts in it
    size_t bytes_ = 0;
    std::atomic<bool> used_{false};  // something stored since the block was last zeroed
    Entry* entries_ = nullptr;
    Exact* exact_ = nullptr;
    uint64_t* compact_ = nullptr;  // instead of exact_, in a large exact-only table
    int compactLineBits_ = 0;
    uint32_t compactWays_ = 0;
    ShapeMasks* shapes_ = nullptr;
    uint32_t entrySlots_ = 0;
    uint32_t exactSlots_ = 0;
    uint32_t shapeSlots_ = 0;
};

}  // namespace preferans
