// Suit pattern tables: the per-deal suit codes, the fixed mask tables that
// let them be built in one pass, and the no-trump suit summaries ST[1..10].
#include "bridge/Internal.h"

namespace bridge {

uint32_t _CodeArray[SUIT_CODE_ENTRIES];
uint32_t CodeArrayST[SUIT_CODE_ENTRIES];
uint32_t nofbits[SUIT_CODE_ENTRIES];
uint32_t LAST_BIT_CODE[8192];
uint32_t ENUMERATION_ARRAY[4096];

void buildLastBitCode() {
    for (uint32_t x = 0; x < 8192; ++x) {
        uint32_t position = 20;
        for (uint32_t bit = 0; bit < 20; ++bit) {
            if (x & (1u << bit)) {
                position = bit;
                break;
            }
        }
        LAST_BIT_CODE[x ^ FULL_MASK] = position;
    }
}

// Appends every mask that clears `zeros` more bits of `mask`, all below
// `limit`, with the highest cleared bit varying slowest.
static void enumerateZeros(int zeros, int limit, uint32_t mask, uint32_t*& out) {
    if (zeros == 0) {
        *out++ = mask;
        return;
    }
    for (int bit = zeros - 1; bit < limit; ++bit) {
        enumerateZeros(zeros - 1, bit, mask & ~(1u << bit), out);
    }
}

// Masks by number of 0 bits (0 to 6), so each comes after the mask with its
// lowest 0 bit set, which has one 0 bit fewer.
void buildEnumerationArray() {
    uint32_t* out = ENUMERATION_ARRAY;
    for (int zeros = 0; zeros <= 6; ++zeros) enumerateZeros(zeros, 13, FULL_MASK, out);
}

// The masks of one suit from the full mask down: v < 4096 walks the array,
// the rest walks it backward complemented.
static inline uint32_t maskAt(uint32_t v) {
    return v < 4096 ? ENUMERATION_ARRAY[v] : ENUMERATION_ARRAY[v ^ FULL_MASK] ^ FULL_MASK;
}

static void buildSuitCode(const int* deal, int s) {
    int owner[13];
    for (int r = 0; r < 13; ++r) {
        int code = deal[s * 13 + 12 - r];
        owner[r] = code >= 1 && code <= 4 ? code - 1 : -1;
    }
    uint32_t base = static_cast<uint32_t>(s) * 8192;
    _CodeArray[base + FULL_MASK] = 0;
    nofbits[base + FULL_MASK] = 0;
    for (uint32_t v = 1; v < 8192; ++v) {
        uint32_t m = maskAt(v);
        uint32_t r = LAST_BIT_CODE[m];
        uint32_t done = base + (m | (1u << r));
        if (owner[r] >= 0) {
            nofbits[base + m] = nofbits[done] + 2;
            _CodeArray[base + m] =
                _CodeArray[done] | (static_cast<uint32_t>(owner[r]) << nofbits[done]);
        } else {
            nofbits[base + m] = nofbits[done];
            _CodeArray[base + m] = _CodeArray[done];
        }
    }
    for (uint32_t m = 0; m < 8192; ++m) {
        uint32_t w = nofbits[base + m];
        CodeArrayST[base + m] = _CodeArray[base + m];
        _CodeArray[base + m] |= (13 - w / 2) << w;
    }
}

void buildSuitCodes(const int* deal) {
    for (int s = 0; s < 4; ++s) buildSuitCode(deal, s);
}

// Plays the pattern out from the top for owners 0 and 2: each of them cashes
// his top card while the highest card is theirs, the partner following low
// when he can, the opponents discarding their lowest cards.
uint16_t stEntry(uint32_t pattern, int k) {
    int owners[MAX_ST_CARDS];
    bool gone[MAX_ST_CARDS] = {};
    int count[4] = {};
    for (int i = 0; i < k; ++i) {
        owners[i] = static_cast<int>((pattern >> (2 * i)) & 3);
        ++count[owners[i]];
    }
    auto highest = [&]() {
        int i = 0;
        while (i < k && gone[i]) ++i;
        return i;
    };
    auto playLowest = [&](int o) {  // returns the place of the card played
        int i = k - 1;
        while (gone[i] || owners[i] != o) --i;
        gone[i] = true;
        return i;
    };
    int flag[4] = {}, solo[4] = {};
    int tricks = 0, left = k;
    bool dropped = false;
    while (true) {
        int top = highest();
        if (top >= k || (owners[top] & 1)) break;
        int x = owners[top], y = x ^ 2;
        gone[top] = true;
        --count[x];
        if (count[y] == 0) {
            ++solo[x];
            --left;
        } else {
            flag[x] = 1;
            if (dropped) flag[y] = 0;
            left -= 2;
            --count[y];
            playLowest(y);
            ++tricks;
            dropped = false;
        }
        for (int o = 1; o <= 3; o += 2) {
            if (count[o] == 0) continue;
            --count[o];
            --left;
            int first = highest();
            if (playLowest(o) == first) dropped = true;
        }
        if (left <= 0) break;
    }
    return static_cast<uint16_t>(tricks | (flag[0] << 4) | (flag[2] << 5) | (solo[0] << 8) |
                                 (solo[2] << 12));
}

void buildStTables() {
    for (int k = 1; k <= MAX_ST_CARDS; ++k) {
        uint16_t* table = BridgePosition::ST[k];
        uint32_t patterns = 1u << (2 * k);
        for (uint32_t u = 0; u < patterns; ++u) table[u] = stEntry(u, k);
    }
}

}  // namespace bridge
