// Tests of the combination enumerator in the kind the analysis uses, the
// k-subsets: order, count, the end of an enumeration, argument messages and
// restarting with init.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Permutations.h"

namespace {

using Arrangement = std::vector<int>;

Arrangement currentOf(const Permutations& enumerator) {
    return Arrangement(enumerator.current(), enumerator.current() + enumerator.k);
}

std::vector<Arrangement> walk(Permutations& enumerator) {
    std::vector<Arrangement> all{currentOf(enumerator)};
    while (enumerator.next()) all.push_back(currentOf(enumerator));
    return all;
}

// Reference: every k-tuple over 0..n-1 by counting in base n (which is
// lexicographic order), keeping the ascending ones.
std::vector<Arrangement> referenceCombinations(int k, int n) {
    std::vector<Arrangement> all;
    Arrangement tuple(k, 0);
    while (true) {
        bool ascending = true;
        for (int i = 1; i < k; i++) ascending = ascending && tuple[i - 1] < tuple[i];
        if (ascending) all.push_back(tuple);
        int i = k - 1;
        while (i >= 0 && tuple[i] == n - 1) tuple[i--] = 0;
        if (i < 0) return all;
        tuple[i]++;
    }
}

std::string captureInit(Permutations& enumerator, int k, int n, PermutationType type,
                        bool& result) {
    testing::internal::CaptureStdout();
    result = enumerator.init(k, n, type);
    return testing::internal::GetCapturedStdout();
}

}  // namespace

// Covers k = n too: one combination. The order of 3 of 5 worked by hand:
// 012, 013, 014, 023, 024, 034, 123, 124, 134, 234.
TEST(Permutations, AgreesWithBaseNCountingForSmallSizes) {
    Permutations threeOfFive(3, 5, COMBINATION);
    EXPECT_EQ(walk(threeOfFive), std::vector<Arrangement>({{0, 1, 2},
                                                           {0, 1, 3},
                                                           {0, 1, 4},
                                                           {0, 2, 3},
                                                           {0, 2, 4},
                                                           {0, 3, 4},
                                                           {1, 2, 3},
                                                           {1, 2, 4},
                                                           {1, 3, 4},
                                                           {2, 3, 4}}));
    for (int n = 1; n <= 6; n++) {
        for (int k = 1; k <= n; k++) {
            Permutations enumerator(k, n, COMBINATION);
            std::vector<Arrangement> expected = referenceCombinations(k, n);
            EXPECT_EQ(walk(enumerator), expected) << k << " of " << n;
            EXPECT_EQ(enumerator.number(), static_cast<int>(expected.size()));
        }
    }
}

TEST(Permutations, WalksAllSplitsOfTwentyCards) {
    Permutations enumerator(10, 20, COMBINATION);
    EXPECT_EQ(enumerator.number(), 184756);  // C(20, 10)
    EXPECT_EQ(currentOf(enumerator), Arrangement({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    int steps = 0;
    while (enumerator.next()) steps++;
    EXPECT_EQ(steps, 184755);
    const Arrangement last{10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    EXPECT_EQ(currentOf(enumerator), last);
    EXPECT_EQ(enumerator.pivot, -1);
    // Once run out it stays out and keeps the last split in place.
    EXPECT_FALSE(enumerator.next());
    EXPECT_EQ(currentOf(enumerator), last);
}

TEST(Permutations, RefusesBadArgumentsWithTheirMessages) {
    const std::string positive = "permutations. error n and k should be positive\n";
    const std::string tooFew = "permutations. error n<k\n";
    struct Case {
        int k, n;
        std::string message;
    };
    const Case cases[] = {
        {3, 2, tooFew}, {0, 5, positive}, {0, 0, positive}, {2, 0, positive}, {-1, 3, positive}};
    for (const Case& c : cases) {
        testing::internal::CaptureStdout();
        Permutations refused(c.k, c.n, COMBINATION);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.message) << c.k << " of " << c.n;
        // Left without arrays: nothing to read, nothing to step.
        EXPECT_EQ(refused.current(), nullptr);
        EXPECT_FALSE(refused.next());
    }
}

TEST(Permutations, FailedInitLeavesAWorkingEnumeratorAsItWas) {
    Permutations enumerator(2, 4, COMBINATION);
    enumerator.next();
    enumerator.next();  // now at {0, 3}
    bool result = true;
    EXPECT_EQ(captureInit(enumerator, 5, 4, COMBINATION, result), "permutations. error n<k\n");
    EXPECT_FALSE(result);
    EXPECT_EQ(captureInit(enumerator, 0, 4, COMBINATION, result),
              "permutations. error n and k should be positive\n");
    EXPECT_FALSE(result);
    EXPECT_EQ(enumerator.type, COMBINATION);
    EXPECT_EQ(walk(enumerator), std::vector<Arrangement>({{0, 3}, {1, 2}, {1, 3}, {2, 3}}));

    // A good init starts over with the new values, also after a refused constructor.
    EXPECT_TRUE(enumerator.init(2, 3, COMBINATION));
    EXPECT_EQ(walk(enumerator), referenceCombinations(2, 3));
    testing::internal::CaptureStdout();
    Permutations refused(0, 0, COMBINATION);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(refused.init(1, 3, COMBINATION));
    EXPECT_EQ(walk(refused), std::vector<Arrangement>({{0}, {1}, {2}}));
}
