// Combination enumerator: lexicographic stepping of subsets, arrangements and tuples.
#include "core/Permutations.h"

#include <cstdio>
#include <new>

Permutations::Permutations()
    : k(0), n(0), type(COMBINATION), digits(nullptr), items(nullptr), pivot(0) {}

Permutations::Permutations(int k, int n, PermutationType type) : Permutations() {
    init(k, n, type);
}

Permutations::~Permutations() {
    free();
}

bool Permutations::init(int k, int n, PermutationType type) {
    if (k < 1 || n < 1) {
        std::printf("permutations. error n and k should be positive\n");
        return false;
    }
    if (k > n && type != PERMUTATION_WITH_REPETITION) {
        std::printf("permutations. error n<k\n");
        return false;
    }
    free();
    digits = new (std::nothrow) int[k];
    items = new (std::nothrow) int[n];
    if (digits == nullptr || items == nullptr) {
        // Out of memory: leave an empty enumerator, which next() and number()
        // treat as having nothing to step.
        free();
        this->k = 0;
        this->n = 0;
        this->type = COMBINATION;
        pivot = -1;
        return false;
    }
    this->k = k;
    this->n = n;
    this->type = type;
    pivot = 0;
    digits[0] = -1;
    add();
    return true;
}

int Permutations::number() const {
    int count = 1;
    switch (type) {
        case PERMUTATION_WITH_REPETITION:
            for (int i = 0; i < k; i++) count *= n;
            break;
        case COMBINATION:
            // Each division is exact: count is C(n-k+i, i) after step i.
            for (int i = 1; i <= k; i++) count = count * (n - k + i) / i;
            break;
        case PERMUTATION:
            for (int factor = n - k + 1; factor <= n; factor++) count *= factor;
            break;
    }
    return count;
}

bool Permutations::next() {
    int i = k - 1;
    for (; i >= 0; i--) {
        int limit = type == PERMUTATION                   ? n - 1 - i
                    : type == PERMUTATION_WITH_REPETITION ? n - 1
                                                          : n - k + i;
        if (digits[i] < limit) break;
    }
    pivot = i;  // -1 when no position can grow
    if (i < 0) return false;
    add();
    return true;
}

void Permutations::add() {
    digits[pivot]++;
    for (int j = pivot + 1; j < k; j++) {
        digits[j] = type == COMBINATION ? digits[pivot] + (j - pivot) : 0;
    }
    if (type != PERMUTATION) return;
    // Decode the mixed-radix digits: position i takes the digits[i]-th smallest
    // item not used yet, which items keeps from position i on in ascending order.
    for (int i = 0; i < n; i++) items[i] = i;
    for (int i = 0; i < k; i++) {
        int taken = items[i + digits[i]];
        if (i < k - 1) {
            for (int j = i + digits[i]; j > i; j--) items[j] = items[j - 1];
        }
        items[i] = taken;
    }
}

void Permutations::free() {
    delete[] digits;
    delete[] items;
    digits = nullptr;
    items = nullptr;
}
