// Checks a decoded position string before any solver sees it.
#include "main.h"

// Not built yet: every position passes until the checks land.
std::string checkPosition(const DecodedPosition&) { return std::string(); }
