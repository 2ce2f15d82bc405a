// Reading the hidden-layout analysis's output back in the fuzz targets.
#pragma once

#include <array>
#include <string>

using Histogram = std::array<long, 11>;

// The eleven counts of a printed histogram; false unless the text is exactly
// eleven unsigned numbers joined by single spaces.
bool readHistogram(const std::string& text, Histogram& histogram);

// The splits a range argument names once clamped to the 184756 there are, as
// the analysis reads it: the number before the dash to the one after it.
int splitsInRange(const char* range);
