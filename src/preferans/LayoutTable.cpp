// Transposition table of the hidden-layout solver: sizing and emptying.
#include "preferans/LayoutTable.h"

namespace preferans {

namespace {

constexpr uint32_t MIN_ENTRIES = 1024;

uint32_t powerOfTwoAtMost(uint32_t n) {
    uint32_t p = MIN_ENTRIES;
    while (p <= n / 2) p *= 2;
    return p;
}

}  // namespace

LayoutTable::LayoutTable(uint32_t entries)
    : entries_(powerOfTwoAtMost(entries)), mask_(powerOfTwoAtMost(entries) - 1) {}

void LayoutTable::clear() {
    for (Entry& e : entries_) {
        e.leader = EMPTY;
        e.tricks = 0;
    }
}

}  // namespace preferans
