// The bridge solver's transposition table: anonymous memory that the system
// hands out zeroed on first touch, cleared by a new generation number, keyed
// by the seat on lead and the suit lengths, each entry fixing the owners of
// the top cards that mattered.
#include <sys/mman.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "bridge/Internal.h"

namespace bridge {

namespace {

constexpr int BUCKET_ENTRIES = 256;  // 10.5 KiB a bucket
constexpr uint32_t PATTERN_BITS = (1u << 26) - 1;

static_assert(sizeof(Engine::TableEntry) == 32, "entries stay small");

uint64_t mixed(uint64_t shape, int leader) {
    uint64_t h = (shape ^ (static_cast<uint64_t>(leader) << 60)) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 29;
    return h * 0xC2B2AE3D27D4EB4Full;
}

}  // namespace

// The entries of one shape and seat on lead share a bucket. Per slot, a
// 16-bit tag of the shape and seat, and the owners of the top four cards of
// each suit with the mask of those the entry fixes, let a probe pass over
// most entries that cannot match without reading them. They sit in arrays
// of their own, so that a probe compares sixteen slots at a time.
struct Engine::Bucket {
    uint32_t generation;  // the entries are live only while it is the table's
    uint32_t used;        // live entries: slots 0 to used - 1
    uint32_t next;        // the slot a new entry takes once all are used
    uint32_t spare;
    uint16_t tag[BUCKET_ENTRIES];
    uint32_t topFour[BUCKET_ENTRIES];      // owners of each suit's top four cards
    uint32_t topFourMask[BUCKET_ENTRIES];  // those of them the entry fixes
    TableEntry entry[BUCKET_ENTRIES];
};

namespace {

constexpr std::size_t CUT_BYTES = sizeof(uint16_t) << CUT_SLOT_BITS;

std::size_t bucketBytes(int tableBits) {
    return (std::size_t{1} << tableBits) * sizeof(Engine::Bucket);
}

uint16_t tagOf(uint64_t h) {
    return static_cast<uint16_t>(h);
}

// The slots among the first `used` whose tag is `tag` and whose fixed top
// four owners agree with `topFour`, sixteen to a word: bit j of hits[w]
// stands for slot 16 * w + j.
void nearSlots(const Engine::Bucket& bucket, uint16_t tag, uint32_t topFour, int used,
               uint16_t* hits) {
    for (int w = 0; w * 16 < used; ++w) {
        const int first = 16 * w;
#if defined(__SSE2__)
        const __m128i wantTag = _mm_set1_epi16(static_cast<short>(tag));
        const __m128i wantTop = _mm_set1_epi32(static_cast<int>(topFour));
        auto load = [&](const void* a) { return _mm_load_si128(static_cast<const __m128i*>(a)); };
        // Four slots' top owners agreeing, as four 32-bit lanes of all ones.
        auto agree = [&](int k) {
            const __m128i differ = _mm_and_si128(_mm_xor_si128(load(bucket.topFour + k), wantTop),
                                                 load(bucket.topFourMask + k));
            return _mm_cmpeq_epi32(differ, _mm_setzero_si128());
        };
        const __m128i tops = _mm_packs_epi16(_mm_packs_epi32(agree(first), agree(first + 4)),
                                             _mm_packs_epi32(agree(first + 8), agree(first + 12)));
        const __m128i tags =
            _mm_packs_epi16(_mm_cmpeq_epi16(load(bucket.tag + first), wantTag),
                            _mm_cmpeq_epi16(load(bucket.tag + first + 8), wantTag));
        uint32_t bits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(tops, tags)));
#else
        uint32_t bits = 0;
        for (int j = 0; j < 16; ++j) {
            const int k = first + j;
            const bool near = bucket.tag[k] == tag &&
                              ((bucket.topFour[k] ^ topFour) & bucket.topFourMask[k]) == 0;
            bits |= static_cast<uint32_t>(near) << j;
        }
#endif
        const int live = used - first;
        if (live < 16) bits &= (1u << live) - 1;
        hits[w] = static_cast<uint16_t>(bits);
    }
}

}  // namespace

std::size_t Engine::tableBytes(int tableBits) {
    return bucketBytes(tableBits) + CUT_BYTES;
}

bool Engine::reserveTable() {
    if (table_ != nullptr) return true;
    const std::size_t bytes = tableBytes(tableBits_);
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED) return false;
#ifdef MADV_HUGEPAGE
    madvise(p, bytes, MADV_HUGEPAGE);
#endif
    table_ = static_cast<Bucket*>(p);
    cuts_ = reinterpret_cast<uint16_t*>(static_cast<char*>(p) + bucketBytes(tableBits_));
    generation_ = 0;  // fresh pages are all zero: every entry is stale
    fresh_ = true;
    return true;
}

void Engine::releaseTable() {
    if (table_ != nullptr) munmap(table_, tableBytes(tableBits_));
    table_ = nullptr;
    cuts_ = nullptr;
    fresh_ = true;
}

// A new generation makes every entry and remembered cut-off card stale;
// only when the counter wraps are the pages handed back, to come again zeroed.
void Engine::clearTable() {
    if (++generation_ == 0) {
#if defined(__EMSCRIPTEN__)
        // WebAssembly memory has no pages to hand back: zero them in place.
        std::memset(static_cast<void*>(table_), 0, tableBytes(tableBits_));
#else
        madvise(table_, tableBytes(tableBits_), MADV_DONTNEED);
#endif
        generation_ = 1;
    }
    ++tableClears_;
}

// Per suit and set of cards still held: the owners from the top card down,
// two bits each, and the card count above them. Built again only for a suit
// whose owners changed.
void Engine::buildSuitCodes() {
    for (int s = 0; s < 4; ++s) {
        // The four leaders of a deal, and the strains of a table, share them.
        if (std::equal(owner_[s], owner_[s] + 13, codedOwner_[s])) continue;
        std::copy(owner_[s], owner_[s] + 13, codedOwner_[s]);
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

namespace {

// Owners of a suit's held cards from the top down, and how many there are.
struct SuitPatterns {
    uint32_t pattern[4];
    int length[4];
};

// The entry's top cards of suit s as the position has them, when it fixes
// `count` of them.
inline uint32_t topOf(const SuitPatterns& p, int s, int count) {
    return p.pattern[s] >> (2 * (p.length[s] - count));
}

// Eight bits per suit: the owners of its top four cards (shifted up when
// fewer), from `count` top cards whose owners are `top`, and the mask of
// those it has.
inline uint32_t topFourByte(uint32_t top, int count) {
    return count >= 4 ? (top >> (2 * (count - 4))) & 0xFF : (top << (2 * (4 - count))) & 0xFF;
}
inline uint32_t topFourMask(int count) {
    return (0xFF00u >> 2 * std::min(count, 4)) & 0xFF;
}

bool covers(const Engine::TableEntry& e, const SuitPatterns& p) {
    for (int s = 0; s < 4; ++s) {
        if (e.count[s] != 0 && topOf(p, s, e.count[s]) != e.top[s]) return false;
    }
    return true;
}

}  // namespace

// Starts loading the bucket's header and the first slots' tags and top
// owners while the sure tricks are counted.
void Engine::prefetchBucket(uint64_t shape, int leader) const {
    const Bucket* bucket = &table_[mixed(shape, leader) >> (64 - tableBits_)];
    __builtin_prefetch(bucket);
    __builtin_prefetch(reinterpret_cast<const char*>(bucket) + 64);
    __builtin_prefetch(bucket->topFour);
    __builtin_prefetch(bucket->topFourMask);
}

bool Engine::probe(uint64_t shape, int leader, int target, uint16_t* relevant, int& hint,
                   int& value) const {
    const uint64_t h = mixed(shape, leader);
    const Bucket& bucket = table_[h >> (64 - tableBits_)];
    BRIDGE_COUNT(const int tricks = cardsLeft_ / 4);
    BRIDGE_COUNT(counters_.probes[tricks]++);
    if (bucket.generation != generation_) {
        BRIDGE_COUNT(counters_.noEntry[tricks]++);
        return false;
    }
    const uint16_t tag = tagOf(h);
    SuitPatterns p;
    uint32_t topFour = 0;
    for (int s = 0; s < 4; ++s) {
        p.pattern[s] = suitCode_[s][inHands_[s]] & PATTERN_BITS;
        p.length[s] = countCards(inHands_[s]);
        topFour |= topFourByte(p.pattern[s], p.length[s]) << (8 * s);
    }
    const int used = static_cast<int>(bucket.used);
    uint16_t hits[BUCKET_ENTRIES / 16];
    nearSlots(bucket, tag, topFour, used, hits);
    BRIDGE_COUNT(bool sameShape = false);
    BRIDGE_COUNT(bool covered = false);
    // Newest entries first: likelier to settle the test.
    for (int w = (used - 1) / 16; w >= 0; --w) {
        for (uint32_t bits = hits[w]; bits != 0; bits ^= 1u << highestRank(bits)) {
            const int i = 16 * w + highestRank(bits);
            const TableEntry& e = bucket.entry[i];
            if (e.shape != shape || e.leader != leader) continue;
            BRIDGE_COUNT(sameShape = true);
            if (!covers(e, p)) continue;
            BRIDGE_COUNT(covered = true);
            if (e.low >= target || e.high < target) {
                BRIDGE_COUNT(counters_.hits[tricks]++);
                // The ranks it relied on: the fixed top cards of each suit.
                for (int s = 0; s < 4; ++s) {
                    uint32_t held = inHands_[s];
                    for (int k = 1; k < e.count[s]; ++k) held ^= 1u << highestRank(held);
                    relevant[s] =
                        e.count[s] != 0 ? static_cast<uint16_t>(1u << highestRank(held)) : 0;
                }
                value = e.low >= target ? e.low : e.high;
                return true;
            }
            if (hint < 0) hint = absoluteMove(leader, e.move);
        }
    }
    BRIDGE_COUNT((covered      ? counters_.wrongBound
                  : sameShape ? counters_.notCovered
                              : counters_.noEntry)[tricks]++);
    return false;
}

// Narrows the bounds of an entry with the same top cards; a new entry takes
// the bucket's next free slot, else its slots in rotation.
void Engine::store(uint64_t shape, int leader, const uint16_t* relevant, int low, int high,
                   int move) {
    TableEntry fresh{};
    fresh.shape = shape;
    fresh.leader = static_cast<uint8_t>(leader);
    fresh.low = static_cast<int8_t>(low);
    fresh.high = static_cast<int8_t>(high);
    fresh.move = static_cast<uint8_t>(move);
    for (int s = 0; s < 4; ++s) {
        const uint32_t used = relevant[s] & inHands_[s];
        if (used == 0) continue;
        const int count = countCards(inHands_[s] >> lowestRank(used));
        SuitPatterns p;
        p.pattern[s] = suitCode_[s][inHands_[s]] & PATTERN_BITS;
        p.length[s] = countCards(inHands_[s]);
        fresh.count[s] = static_cast<uint8_t>(count);
        fresh.top[s] = topOf(p, s, count);
    }
    const uint64_t h = mixed(shape, leader);
    Bucket& bucket = table_[h >> (64 - tableBits_)];
    if (bucket.generation != generation_) {
        bucket.generation = generation_;
        bucket.used = 0;
        bucket.next = 0;
    }
    const uint16_t tag = tagOf(h);
    uint32_t topFour = 0, topMask = 0;
    for (int s = 0; s < 4; ++s) {
        topFour |= topFourByte(fresh.top[s], fresh.count[s]) << (8 * s);
        topMask |= topFourMask(fresh.count[s]) << (8 * s);
    }
    const int used = static_cast<int>(bucket.used);
    uint16_t hits[BUCKET_ENTRIES / 16];
    nearSlots(bucket, tag, topFour, used, hits);
    for (int w = 0; w * 16 < used; ++w) {
        for (uint32_t bits = hits[w]; bits != 0; bits &= bits - 1) {
            const int i = 16 * w + lowestRank(bits);
            if (bucket.topFourMask[i] != topMask) continue;
            TableEntry& e = bucket.entry[i];
            if (e.shape != shape || e.leader != leader) continue;
            bool same = true;
            for (int s = 0; s < 4; ++s)
                same = same && e.count[s] == fresh.count[s] && e.top[s] == fresh.top[s];
            if (!same) continue;
            e.low = std::max(e.low, fresh.low);
            e.high = std::min(e.high, fresh.high);
            if (move != NO_MOVE) e.move = fresh.move;
            return;
        }
    }
    int place = used;
    if (used < BUCKET_ENTRIES) {
        bucket.used = static_cast<uint32_t>(used + 1);
    } else {
        place = static_cast<int>(bucket.next % BUCKET_ENTRIES);
        bucket.next = static_cast<uint32_t>(place + 1);
    }
    bucket.entry[place] = fresh;
    bucket.tag[place] = tag;
    bucket.topFour[place] = topFour;
    bucket.topFourMask[place] = topMask;
}

// A card as its suit and the number of held cards of the suit above it, which
// names the same card in every position with the same key.
int Engine::relativeMove(int card) const {
    const int s = suitOf(card);
    const uint32_t above = inHands_[s] & ~((2u << rankOf(card)) - 1);
    return s * 16 + countCards(above);
}

int Engine::absoluteMove(int seat, int move) const {
    if (move == NO_MOVE) return -1;
    const int s = suitOf(move);
    uint32_t held = inHands_[s];
    for (int above = rankOf(move); above > 0 && held != 0; --above) held ^= 1u << highestRank(held);
    if (held == 0) return -1;
    const int r = highestRank(held);
    return (hand_[seat][s] >> r) & 1 ? cardOf(s, r) : -1;
}

}  // namespace bridge
