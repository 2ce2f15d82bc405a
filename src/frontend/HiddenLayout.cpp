// The hidden-layout analysis: every split of the defenders' cards, solved.
#include <cstdio>

#include "main.h"

// Not built yet.
int analyseHiddenLayouts(const char*, const char*, const char*, const char*) {
    std::printf("error the hidden-layout analysis is not available yet\n");
    return -1;
}
