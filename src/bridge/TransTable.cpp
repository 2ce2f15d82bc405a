// Bridge transposition table: allocation and release together with the fixed
// pattern tables, and the clear. Probe and store are inline in Internal.h.
#include <cstddef>
#include <new>

#include "bridge/Internal.h"

namespace bridge {

bool tableUncleared = false;

void clearHashTable() {
    HashBucket* table = BridgePosition::hashtable;
    if (table == nullptr) return;
    for (uint32_t i = 0; i < TABLE_BUCKETS; ++i) {
        table[i].nextSlot = 0;
        for (HashSlot& slot : table[i].slot) slot.key[0] = EMPTY_KEY;
    }
    tableUncleared = false;
}

}  // namespace bridge

using namespace bridge;

// Releases whatever an earlier call built first, so a second call in a row
// leaks nothing; on a failed allocation everything obtained is released again.
bool BridgePosition::allocateTables() {
    trump = 4;
    freeTables();
    TableSize = TABLE_BUCKETS;
    hashtable = new (std::nothrow) HashBucket[TableSize];  // left uninitialised
    if (hashtable == nullptr) return false;
    for (int k = 1; k <= MAX_ST_CARDS; ++k) {
        ST[k] = new (std::nothrow) uint16_t[std::size_t{1} << (2 * k)];
        if (ST[k] == nullptr) {
            freeTables();
            return false;
        }
    }
    buildStTables();
    buildLastBitCode();
    buildEnumerationArray();
    tableUncleared = true;
    return true;
}

// Null pointers after release make a second call harmless.
void BridgePosition::freeTables() {
    delete[] hashtable;
    hashtable = nullptr;
    for (int k = 1; k <= MAX_ST_CARDS; ++k) {
        delete[] ST[k];
        ST[k] = nullptr;
    }
}
