// Combination enumerator: walks the k-subsets, ordered arrangements or tuples of
// the items 0 to n-1 in lexicographic order, one arrangement at a time.
#pragma once

enum PermutationType {
    PERMUTATION = 0,                  // ordered, distinct items: n! / (n-k)!
    PERMUTATION_WITH_REPETITION = 1,  // ordered, items may repeat: n^k
    COMBINATION = 2                   // ascending sets of distinct items: n! / (k! (n-k)!)
};

class Permutations {
   public:
    // An empty enumerator without arrays; it must be set up by init before use.
    Permutations();
    // Sets up the first arrangement; on bad arguments prints the reason and
    // leaves an empty enumerator.
    Permutations(int k, int n, PermutationType type);
    virtual ~Permutations();

    Permutations(const Permutations&) = delete;
    Permutations& operator=(const Permutations&) = delete;

    // Starts over with new values. On bad arguments prints the reason and
    // returns false with the enumerator untouched; when the arrays cannot be
    // allocated returns false and leaves it empty.
    bool init(int k, int n, PermutationType type);
    // The count of arrangements of this kind (int arithmetic: keep n, k small).
    int number() const;
    // Steps to the following arrangement; false, with the last one kept, once
    // the enumeration has run out.
    bool next();
    // Advances position `pivot` by one and resets every later position.
    void add();
    // Releases both arrays.
    void free();

    // The current arrangement; its first k entries are meaningful.
    const int* current() const { return type == PERMUTATION ? items : digits; }

    int k;
    int n;
    PermutationType type;
    int* digits;  // per-position digits; the arrangement itself unless PERMUTATION
    int* items;   // PERMUTATION only: the arrangement decoded from digits
    int pivot;    // position that add advances; -1 once the enumeration has run out
};
