// The bridge solver's transposition table: anonymous memory that the system
// hands out zeroed on first touch, cleared by a new generation number, keyed
// by the relative-rank owners of every suit and the seat on lead.
#include <sys/mman.h>

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "bridge/Internal.h"

using namespace bridge;

namespace {

constexpr int TABLE_BITS = 20;  // buckets of two entries: 64 MiB of address space
constexpr std::size_t BUCKETS = std::size_t{1} << TABLE_BITS;
constexpr std::size_t TABLE_BYTES = BUCKETS * 2 * sizeof(BridgeSolver::TableEntry);
constexpr uint32_t PATTERN_BITS = (1u << 26) - 1;

static_assert(sizeof(BridgeSolver::TableEntry) == 32, "two entries fill a cache line");

std::size_t bucketOf(const uint64_t key[2]) {
    uint64_t h = (key[0] * 0x9E3779B97F4A7C15ull) ^ (key[1] + (key[1] >> 31));
    h *= 0xC2B2AE3D27D4EB4Full;
    return static_cast<std::size_t>(h >> (64 - TABLE_BITS));
}

bool isLive(const BridgeSolver::TableEntry& e, uint32_t generation) {
    return e.generation == generation;
}

bool matches(const BridgeSolver::TableEntry& e, const uint64_t key[2], uint32_t generation) {
    return e.generation == generation && e.key0 == key[0] && e.key1 == key[1];
}

}  // namespace

bool BridgeSolver::reserveTable() {
    if (table_ != nullptr) return true;
    void* p = mmap(nullptr, TABLE_BYTES, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED) return false;
#ifdef MADV_HUGEPAGE
    madvise(p, TABLE_BYTES, MADV_HUGEPAGE);
#endif
    table_ = static_cast<TableEntry*>(p);
    generation_ = 0;  // fresh pages are all zero: every entry is stale
    fresh_ = true;
    return true;
}

void BridgeSolver::releaseTable() {
    if (table_ != nullptr) munmap(table_, TABLE_BYTES);
    table_ = nullptr;
    fresh_ = true;
}

// A new generation makes every entry stale; only when the counter wraps are
// the pages handed back, to come again zeroed.
void BridgeSolver::clearTable() {
    if (++generation_ == 0) {
        madvise(table_, TABLE_BYTES, MADV_DONTNEED);
        generation_ = 1;
    }
    std::fill(std::begin(killer_), std::end(killer_), NO_MOVE);
    ++tableClears_;
}

// Per suit and set of cards still held: the owners from the top card down,
// two bits each, and the card count above them.
void BridgeSolver::buildSuitCodes() {
    for (int s = 0; s < 4; ++s) {
        uint32_t* code = suitCode_[s];
        code[0] = 0;
        for (uint32_t m = 1; m < 8192; ++m) {
            const int top = highestRank(m);
            const uint32_t n = static_cast<uint32_t>(countCards(m));
            code[m] = (code[m ^ (1u << top)] & PATTERN_BITS) |
                      (static_cast<uint32_t>(owner_[s][top]) << (2 * (n - 1))) | (n << 26);
        }
    }
}

void BridgeSolver::tableKey(int leader, uint64_t key[2]) const {
    key[0] = suitCode_[0][inHands_[0]] | (static_cast<uint64_t>(suitCode_[1][inHands_[1]]) << 32);
    key[1] = suitCode_[2][inHands_[2]] | (static_cast<uint64_t>(suitCode_[3][inHands_[3]]) << 32) |
             (static_cast<uint64_t>(leader) << 62);
}

const BridgeSolver::TableEntry* BridgeSolver::probe(const uint64_t key[2]) const {
    const TableEntry* bucket = &table_[bucketOf(key) * 2];
    if (matches(bucket[0], key, generation_)) return &bucket[0];
    if (matches(bucket[1], key, generation_)) return &bucket[1];
    return nullptr;
}

// Narrows the bounds of a known entry; a new one goes to the first slot when
// it covers at least as many tricks as the one there (which moves to the
// second), else to the second.
void BridgeSolver::store(const uint64_t key[2], int tricks, int low, int high, int move) {
    TableEntry* bucket = &table_[bucketOf(key) * 2];
    for (int i = 0; i < 2; ++i) {
        TableEntry& e = bucket[i];
        if (!matches(e, key, generation_)) continue;
        e.low = static_cast<int8_t>(std::max<int>(e.low, low));
        e.high = static_cast<int8_t>(std::min<int>(e.high, high));
        if (move != NO_MOVE) e.move = static_cast<uint8_t>(move);
        return;
    }
    TableEntry* slot = &bucket[1];
    if (!isLive(bucket[0], generation_) || bucket[0].tricks <= tricks) {
        if (isLive(bucket[0], generation_)) bucket[1] = bucket[0];
        slot = &bucket[0];
    }
    *slot = TableEntry{key[0],
                       key[1],
                       generation_,
                       static_cast<int8_t>(low),
                       static_cast<int8_t>(high),
                       static_cast<uint8_t>(move),
                       static_cast<uint8_t>(tricks),
                       0};
}

// A card as its suit and the number of held cards of the suit above it, which
// names the same card in every position with the same key.
int BridgeSolver::relativeMove(int card) const {
    const int s = suitOf(card);
    const uint32_t above = inHands_[s] & ~((2u << rankOf(card)) - 1);
    return s * 16 + countCards(above);
}

int BridgeSolver::absoluteMove(int seat, int move) const {
    if (move == NO_MOVE) return -1;
    const int s = suitOf(move);
    uint32_t held = inHands_[s];
    for (int above = rankOf(move); above > 0 && held != 0; --above) held ^= 1u << highestRank(held);
    if (held == 0) return -1;
    const int r = highestRank(held);
    return (hand_[seat][s] >> r) & 1 ? cardOf(s, r) : -1;
}
