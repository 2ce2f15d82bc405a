// Fuzz target: the hidden-layout analysis of a valid deal over a few splits,
// with and without the stop file, in a working directory of its own. The
// histogram must count every split of the range once (none once the stop
// file is there), and a range must count as its two halves together.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "DealTextSupport.h"
#include "FuzzSupport.h"
#include "analysis/HiddenLayout.h"
#include "apps/ddsolver/HiddenLayoutCommand.h"
#include "ddsolver/compat/DealCodes.h"
#include "ddsolver/compat/frontend/PositionString.h"

namespace {

constexpr int MAX_SPLITS = 8;

// A valid deal text from the reader: ten declarer's cards (nine and a lead
// card for leader 0 when the reader says so) and two absent cards, in
// letters of either case.
std::string dealText(ByteReader& in, bool withLead) {
    int cards[32];
    int n = 0;
    for (int card = 0; card < DEAL_CARDS; card++) {
        if (card % CARDS_PER_SUIT < PREFERANS_RANKS) cards[n++] = card;
    }
    for (int i = n - 1; i > 0; i--) std::swap(cards[i], cards[in.below(i + 1)]);
    std::sort(cards, cards + 12);
    const int leadAt = withLead ? in.below(12) : -1;
    const int absentA = in.below(12);
    int absentB = in.below(11);
    if (absentB >= absentA) absentB++;
    std::string text;
    int suit = 0;
    for (int i = 0; i < 12; i++) {
        if (i == leadAt && (i == absentA || i == absentB)) continue;  // one card short: refused
        while (suit < cards[i] / CARDS_PER_SUIT) {
            text += '.';
            suit++;
        }
        if (i == absentA || i == absentB) text += '*';
        if (i == leadAt) text += '#';
        const char letter = RANK[cards[i] % CARDS_PER_SUIT];
        text += in.flag() ? static_cast<char>(std::toupper(letter)) : letter;
    }
    return text;
}

struct Analysis {
    int status;
    int splits;  // in the range as the analysis reads it
    Histogram histogram;
};

// The analysis of the range first-end as the command line writes it; a
// negative first number makes the range end at the digits after its sign.
Analysis analyse(const std::string& text, int first, int end, const std::string& contract,
                 const std::string& leader) {
    const std::string range = std::to_string(first) + "-" + std::to_string(end);
    Analysis a{0, splitsInRange(range.c_str()), {}};
    a.status = analyseHiddenLayouts(text.c_str(), range.c_str(), contract.c_str(), leader.c_str());
    const std::string printed = takeOutput();
    if (a.status == 0) FUZZ_CHECK(readHistogram(printed, a.histogram));
    return a;
}

long total(const Histogram& histogram) {
    long sum = 0;
    for (long count : histogram) sum += count;
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ByteReader in(data, size);
    const int leaderArgument = in.below(3);
    const std::string text = dealText(in, leaderArgument == 0 && in.flag());
    int first = in.byte();
    first = first << 8 | in.byte();
    first = (first << 8 | in.byte()) % (HIDDEN_SPLITS + 4) - 2;  // a little past either end
    const int end = first + in.below(MAX_SPLITS + 1);
    const int middle = first + in.below(end - first + 1);
    const std::string contract = std::to_string(in.below(8));
    const std::string leader = std::to_string(leaderArgument);
    const bool stop = in.flag();
    if (stop) std::fclose(std::fopen(PREFERANS_SIGNAL_FILE_NAME, "w"));

    const Analysis whole = analyse(text, first, end, contract, leader);
    const Analysis low = analyse(text, first, middle, contract, leader);
    const Analysis high = analyse(text, middle, end, contract, leader);
    if (stop) std::remove(PREFERANS_SIGNAL_FILE_NAME);
    FUZZ_CHECK(low.status == whole.status && high.status == whole.status);
    if (whole.status != 0) return 0;  // a lead card among the absent ones
    for (const Analysis* a : {&whole, &low, &high}) {
        FUZZ_CHECK(total(a->histogram) == (stop ? 0 : a->splits));
    }
    // Halves that share out the same splits add up to the whole (a range
    // from a negative number reads differently, see above).
    if (first >= 0 && low.splits + high.splits == whole.splits) {
        for (size_t tricks = 0; tricks < whole.histogram.size(); tricks++) {
            FUZZ_CHECK(whole.histogram[tricks] == low.histogram[tricks] + high.histogram[tricks]);
        }
    }
    return 0;
}
