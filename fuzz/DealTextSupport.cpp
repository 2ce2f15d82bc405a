// Reading the hidden-layout analysis's output back in the fuzz targets.
#include "DealTextSupport.h"

#include <cctype>
#include <cstring>

#include "analysis/HiddenLayout.h"
#include "apps/ddsolver/HiddenLayoutCommand.h"

bool readHistogram(const std::string& text, Histogram& histogram) {
    size_t at = 0;
    for (size_t i = 0; i < histogram.size(); i++) {
        if (i > 0 && (at >= text.size() || text[at++] != ' ')) return false;
        if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return false;
        long value = 0;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
            value = value * 10 + (text[at++] - '0');
            if (value > HIDDEN_SPLITS) return false;
        }
        histogram[i] = value;
    }
    return at == text.size();
}

int splitsInRange(const char* range) {
    bool digits = false;
    const char* dash = std::strchr(range, '-');
    long first = readDecimal(range, digits);
    long end = dash == nullptr ? 0 : readDecimal(dash + 1, digits);
    if (first < 0) first = 0;
    if (end > HIDDEN_SPLITS) end = HIDDEN_SPLITS;
    return end > first ? static_cast<int>(end - first) : 0;
}
