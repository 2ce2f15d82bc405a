// Sample sizes of the random property tests: the sanitizer build runs the same
// tests several times slower, so it draws fewer positions.
#pragma once

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool UNDER_SANITIZERS = true;
#else
constexpr bool UNDER_SANITIZERS = false;
#endif

constexpr int sampleSize(int optimised, int sanitized) {
    return UNDER_SANITIZERS ? sanitized : optimised;
}
