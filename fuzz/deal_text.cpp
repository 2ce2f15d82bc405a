// Fuzz target: the preferans deal text with the leader argument, and the
// range, contract and leader readers. An accepted deal text must give ten
// distinct declarer's cards (nine with a lead card, only for leader 0) and
// two absent ones, all seven or higher; numbers must read as the C library
// reads them, saturated at the int limits; and a request over a few splits
// must print either one message line and fail, or a histogram of its splits.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "DealTextSupport.h"
#include "FuzzSupport.h"
#include "analysis/DealNotation.h"
#include "analysis/HiddenLayout.h"
#include "apps/ddsolver/HiddenLayoutCommand.h"
#include "ddsolver/compat/DealCodes.h"

namespace {

// Whole analyses are run up to this many splits.
constexpr int MAX_SPLITS = 12;

void checkDealText(const std::string& text, int leaderArgument) {
    int playerCards[10], absentCards[2], knownCards[12];
    int leadCard = -2;
    const ddsolver::Status problem =
        parseDeal(text.c_str(), leaderArgument, playerCards, absentCards, knownCards, leadCard);
    if (problem != ddsolver::Status::Ok) return;
    FUZZ_CHECK(leadCard == -1 || leaderArgument == 0);
    FUZZ_CHECK(std::is_sorted(knownCards, knownCards + 12));
    FUZZ_CHECK(std::adjacent_find(knownCards, knownCards + 12) == knownCards + 12);
    for (int card : knownCards) {
        FUZZ_CHECK(card >= 0 && card < DEAL_CARDS && card % CARDS_PER_SUIT < PREFERANS_RANKS);
    }
    FUZZ_CHECK(std::count(knownCards, knownCards + 12, absentCards[0]) == 1);
    FUZZ_CHECK(std::count(knownCards, knownCards + 12, absentCards[1]) == 1);
    FUZZ_CHECK(leadCard == -1 || std::count(knownCards, knownCards + 12, leadCard) == 1);
}

// The C library's reading of a decimal number, clamped to int.
void checkNumber(const std::string& text) {
    bool digits = false;
    const int value = readDecimal(text.c_str(), digits);
    char* end = nullptr;
    errno = 0;
    long long wide = std::strtoll(text.c_str(), &end, 10);
    wide = std::min<long long>(std::max<long long>(wide, INT_MIN), INT_MAX);
    FUZZ_CHECK(value == wide);
    FUZZ_CHECK(digits == (end != text.c_str()));
}

void checkAnalysis(const std::string& dealText, const std::string& range,
                   const std::string& contract, const std::string& leader) {
    const int splits = splitsInRange(range.c_str());
    if (splits > MAX_SPLITS) return;
    const int status =
        analyseHiddenLayouts(dealText.c_str(), range.c_str(), contract.c_str(), leader.c_str());
    const std::string printed = takeOutput();
    if (status != 0) {
        FUZZ_CHECK(status == -1);
        FUZZ_CHECK(!printed.empty() && printed.find('\n') == printed.size() - 1);
        return;
    }
    Histogram histogram;
    FUZZ_CHECK(readHistogram(printed, histogram));
    long total = 0;
    for (long count : histogram) total += count;
    FUZZ_CHECK(total == splits);
}

}  // namespace

// Input: the deal text, a line with the leader argument's byte, then the
// range, contract and leader arguments, one per line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ByteReader in(data, size);
    const std::string dealText = in.line();
    const std::string leaderLine = in.line();
    const int leaderArgument = leaderLine.empty() ? 0 : leaderLine[0] % 4 - 1;
    const std::string range = in.line();
    const std::string contract = in.line();
    const std::string leader = in.line();
    checkDealText(dealText, leaderArgument);
    for (const std::string* number : {&range, &contract, &leader}) checkNumber(*number);
    checkAnalysis(dealText, range, contract, leader);
    return 0;
}
