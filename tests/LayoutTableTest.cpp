// The hidden-layout table's 8-byte entries: bounds read back as stored at
// any age of the run, and a full line gives way to newer entries first.
#include <gtest/gtest.h>

#include <cstdint>

#include "preferans/LayoutTable.h"

namespace {

using preferans::LayoutTable;

// Distinct owner keys, spread by an odd multiplier.
uint64_t keyOf(uint64_t i) {
    return (i + 1) * 0x2545F4914F6CDD1Dull;
}

int foundOf(const LayoutTable& table, uint64_t first, uint64_t count, int lower) {
    int found = 0;
    for (uint64_t i = first; i < first + count; i++) {
        LayoutTable::Bounds b;
        if (table.probeExact(keyOf(i), 1, b) && b.lower == lower && b.upper == 6) found++;
    }
    return found;
}

}  // namespace

TEST(LayoutTable, CompactEntriesReadBackAtEveryAge) {
    LayoutTable table(LayoutTable::MIN_COMPACT_BYTES);
    table.reset(false);
    // Ages past the count kept in an entry must not spill into the rest of
    // it: neither its bounds nor its check.
    for (int age = 0; age < 64 * LayoutTable::AGES; age += 61) {
        const uint64_t key = keyOf(static_cast<uint64_t>(age));
        table.storeExact(key, 1, 6, 2 + age % 4, true, LayoutTable::NO_MOVE, 0, 1000, age);
        table.storeExact(key, 1, 6, 6, false, LayoutTable::NO_MOVE, 0, 1000, age);
        LayoutTable::Bounds b;
        ASSERT_TRUE(table.probeExact(key, 1, b));
        EXPECT_EQ(b.lower, 2 + age % 4);
        EXPECT_EQ(b.upper, 5);
    }
}

TEST(LayoutTable, FullLinesDropEntriesOfPastAgesFirst) {
    LayoutTable table(LayoutTable::MIN_COMPACT_BYTES);
    table.reset(false);
    const uint64_t slots = LayoutTable::MIN_COMPACT_BYTES / 8;
    // Costly entries of a long-past age fill the table; then two rounds of
    // cheap entries of the current age, each as many as a quarter of the
    // slots.
    for (uint64_t i = 0; i < slots; i++)
        table.storeExact(keyOf(i), 1, 6, 3, true, LayoutTable::NO_MOVE, 0, 1 << 14, 0);
    const uint64_t quarter = slots / 4;
    for (uint64_t i = slots; i < slots + 2 * quarter; i++) {
        const int lower = i < slots + quarter ? 4 : 5;
        table.storeExact(keyOf(i), 1, 6, lower, true, LayoutTable::NO_MOVE, 0, 1, 40);
    }
    // The first round's entries took the old entries' places, and the
    // second round's did not push them out.
    const int firstRound = foundOf(table, slots, quarter, 4);
    EXPECT_GT(firstRound, static_cast<int>(quarter * 8 / 10)) << "of " << quarter;
}
