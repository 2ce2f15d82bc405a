// Transposition table of the hidden-layout solver: layout, storing, emptying.
#include "preferans/LayoutTable.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace preferans {

namespace {

// A shape's mask line for this many entries.
constexpr size_t ENTRIES_PER_SHAPE = 16;

}  // namespace

void LayoutTable::Free::operator()(void* p) const {
    std::free(p);
}

LayoutTable::LayoutTable(size_t bytes) : bytes_(std::max(bytes, MIN_BYTES)) {
    // The table starts on a huge-page boundary, so that each slot's ways
    // share the cache lines they were laid out for; the spare room before
    // it is never touched.
    constexpr uintptr_t HUGE_PAGE = uintptr_t{2} << 20;
    block_.reset(std::calloc(1, bytes_ + HUGE_PAGE));
    if (!block_) throw std::bad_alloc();
    const uintptr_t start = reinterpret_cast<uintptr_t>(block_.get());
    base_ = reinterpret_cast<char*>((start + HUGE_PAGE - 1) & ~(HUGE_PAGE - 1));
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Probes land all over the table, so with small pages most of them miss
    // the address cache too: ask for huge pages (a hint, which the system
    // may ignore).
    const size_t whole = bytes_ & ~(HUGE_PAGE - 1);
    if (whole > 0) madvise(base_, whole, MADV_HUGEPAGE);
#endif
    reset(false);
}

void LayoutTable::reset(bool partitioned) {
    if (used_.load(std::memory_order_relaxed)) std::memset(base_, 0, bytes_);
    used_.store(false, std::memory_order_relaxed);
    char* const p = base_;
    compact_ = nullptr;
    compactLineBits_ = 0;
    compactWays_ = 0;
    if (!partitioned) {
        exact_ = reinterpret_cast<Exact*>(p);
        exactSlots_ = static_cast<uint32_t>(bytes_ / (sizeof(Exact) * EXACT_WAYS));
        entries_ = nullptr;
        shapes_ = nullptr;
        entrySlots_ = 0;
        shapeSlots_ = 0;
        if (bytes_ >= MIN_COMPACT_BYTES) {
            // The most ways a line can take, then as many lines as a power
            // of two allows: the line takes the scrambled key's top bits.
            compact_ = reinterpret_cast<uint64_t*>(p);
            const auto fits = [this](uint32_t ways, int lineBits) {
                return (sizeof(uint64_t) * ways << lineBits) <= bytes_;
            };
            compactWays_ = 2;
            while (compactWays_ < MAX_COMPACT_WAYS && fits(2 * compactWays_, COMPACT_LINE_BITS))
                compactWays_ *= 2;
            compactLineBits_ = COMPACT_LINE_BITS;
            while (fits(compactWays_, compactLineBits_ + 1)) compactLineBits_++;
        }
        return;
    }
    // As many exact entries as shape entries, and a mask line per 16 of them.
    const size_t perEntry = sizeof(Entry) + sizeof(Exact) + sizeof(ShapeMasks) / ENTRIES_PER_SHAPE;
    const size_t entries = bytes_ / perEntry / ENTRIES_PER_SHAPE * ENTRIES_PER_SHAPE;
    entries_ = reinterpret_cast<Entry*>(p);
    exact_ = reinterpret_cast<Exact*>(p + entries * sizeof(Entry));
    shapes_ = reinterpret_cast<ShapeMasks*>(p + entries * (sizeof(Entry) + sizeof(Exact)));
    entrySlots_ = static_cast<uint32_t>(entries / WAYS);
    exactSlots_ = static_cast<uint32_t>(entries / EXACT_WAYS);
    shapeSlots_ = static_cast<uint32_t>(entries / ENTRIES_PER_SHAPE);
}

void LayoutTable::noteMask(uint64_t shape, uint64_t mask) {
    ShapeMasks& line = shapes_[shapeSlot(shape)];
    if (line.shape != shape) {
        line.shape = shape;
        for (uint64_t& m : line.masks) m = NO_MASK;
    } else if (line.masks[0] == mask) {
        return;
    }
    // Move the mask to the front, dropping the oldest when it is new.
    int place = MASKS - 1;
    for (int i = 0; i < MASKS - 1; i++) {
        if (line.masks[i] == mask) {
            place = i;
            break;
        }
    }
    for (int i = place; i > 0; i--) line.masks[i] = line.masks[i - 1];
    line.masks[0] = mask;
}

bool LayoutTable::store(uint64_t shape, uint64_t mask, uint64_t owners, int tricks, int target,
                        bool reached, int best) {
    noteUse();
    noteMask(shape, mask);
    Entry* const way = &entries_[entrySlot(shape, mask, owners)];
    Entry* victim = way;
    for (uint32_t i = 0; i < WAYS; i++) {
        if (way[i].owners == owners && way[i].mask == mask && way[i].shape == shape) {
            victim = &way[i];
            break;
        }
        if (way[i].tricks < victim->tricks) victim = &way[i];
    }
    Entry& e = *victim;
    const bool made = e.owners != owners || e.mask != mask || e.shape != shape;
    if (made) {
        e.shape = shape;
        e.owners = owners;
        e.mask = mask;
        e.tricks = static_cast<uint8_t>(tricks);
        e.lower = 0;
        e.upper = static_cast<int8_t>(tricks);
        e.best = NO_MOVE;
        e.lastSplit = 0;
    }
    if (best != NO_MOVE) e.best = static_cast<uint8_t>(best);
    if (reached) {
        if (target > e.lower) e.lower = static_cast<int8_t>(target);
    } else if (target - 1 < e.upper) {
        e.upper = static_cast<int8_t>(target - 1);
    }
    return made;
}

void LayoutTable::storeCompact(uint64_t key, int leader, int tricks, int target, bool reached,
                               uint64_t work, int age) {
    age &= AGES - 1;
    const int worth = work == 0 ? 0 : std::min(15, 64 - __builtin_clzll(work));
    const uint64_t scrambled = scramble(key, leader);
    const uint64_t tag = compactTag(scrambled, leader);
    uint64_t* const way = &compact_[compactLine(scrambled)];
    uint64_t* victim = way;
    uint64_t e = load(way);
    for (uint32_t i = 0; i < compactWays_; i++) {
        const uint64_t held = load(&way[i]);
        if ((held & TAG_BITS) == tag) {
            victim = &way[i];
            e = held;
            break;
        }
        if (keptWorth(held, age) < keptWorth(e, age)) {
            victim = &way[i];
            e = held;
        }
    }
    if ((e & TAG_BITS) != tag) {
        // Lower bound 0, upper bound every trick left.
        e = tag | static_cast<uint64_t>(tricks) << 6;
    }
    const auto set = [&e](int shift, uint64_t bits, int value) {
        e = (e & ~(bits << shift)) | static_cast<uint64_t>(value) << shift;
    };
    if (worth > fieldOf(e, 16, 0xF)) set(16, 0xF, worth);
    set(10, AGES - 1, age);
    if (reached) {
        if (target > fieldOf(e, 2, 0xF)) set(2, 0xF, target);
    } else if (target - 1 < fieldOf(e, 6, 0xF)) {
        set(6, 0xF, target - 1);
    }
    save(victim, e);
}

void LayoutTable::storeExact(uint64_t key, int leader, int tricks, int target, bool reached,
                             int best, uint16_t tops, uint64_t work, int age) {
    noteUse();
    if (compact_ != nullptr) {
        storeCompact(key, leader, tricks, target, reached, work, age);
        return;
    }
    const uint8_t tag = static_cast<uint8_t>(leader + 1);
    Exact* const way = &exact_[exactSlot(key, leader)];
    Exact* victim = way;
    for (uint32_t i = 0; i < EXACT_WAYS; i++) {
        if (way[i].key == key && (way[i].leaderTricks & 3) == tag) {
            victim = &way[i];
            break;
        }
        if ((way[i].leaderTricks >> 2) < (victim->leaderTricks >> 2)) victim = &way[i];
    }
    Exact& e = *victim;
    if (e.key != key || (e.leaderTricks & 3) != tag) {
        e.key = key;
        e.leaderTricks = static_cast<uint8_t>(tag | tricks << 2);
        e.lower = 0;
        e.upper = static_cast<int8_t>(tricks);
        e.best = NO_MOVE;
    }
    if (best != NO_MOVE) e.best = static_cast<uint8_t>(best);
    if (reached) {
        if (target > e.lower) {
            e.lower = static_cast<int8_t>(target);
            e.lowerTops = tops;
        }
    } else if (target - 1 < e.upper) {
        e.upper = static_cast<int8_t>(target - 1);
        e.upperTops = tops;
    }
}

}  // namespace preferans
