// Runs of the hidden-layout analysis and an independent account of what they
// must print: the deal text read by a small parser of its own, the splits
// listed by a recursive walk and every split solved by the yes/no reference.
#include "support/HiddenLayoutRuns.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "support/PrefThresholdReference.h"

ScratchDirectory::ScratchDirectory() : path_(makeTemporaryDirectory()) {}

ScratchDirectory::~ScratchDirectory() {
    std::remove(stopFile().c_str());
    rmdir(path_.c_str());
}

std::string ScratchDirectory::stopFile() const {
    return path_ + "/uvcyZDTh.pyM";
}

void ScratchDirectory::createStopFile() const {
    std::FILE* file = std::fopen(stopFile().c_str(), "w");
    if (file != nullptr) std::fclose(file);
}

bool ScratchDirectory::hasStopFile() const {
    return access(stopFile().c_str(), F_OK) == 0;
}

ProgramRun runAnalysis(const std::string& dealText, const std::string& range,
                       const std::string& contract, const std::string& leader) {
    ScratchDirectory directory;
    return runDdsolver({dealText, range, contract, leader}, directory.path());
}

bool readHistogram(const std::string& text, TrickHistogram& histogram) {
    size_t at = 0;
    for (size_t slot = 0; slot < histogram.size(); slot++) {
        if (slot > 0 && (at >= text.size() || text[at++] != ' ')) return false;
        size_t start = at;
        long value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            value = value * 10 + (text[at++] - '0');
        }
        if (at == start) return false;
        histogram[slot] = value;
    }
    return at == text.size();
}

long histogramTotal(const TrickHistogram& histogram) {
    long total = 0;
    for (long count : histogram) total += count;
    return total;
}

std::string histogramText(const TrickHistogram& histogram) {
    std::string text;
    for (long count : histogram) text += (text.empty() ? "" : " ") + std::to_string(count);
    return text;
}

namespace {

// The deal text of a valid deal: codes 1 for the declarer's cards and 5 for
// his lead card; the absent cards get -1 until the hidden cards are found.
void placeKnownCards(const std::string& dealText, int deal[52]) {
    static const char RANKS[] = "akqjt987";
    int suit = 0;
    int code = 1;
    for (char c : dealText) {
        if (c == '.') {
            suit++;
        } else if (c == '*' || c == '#') {
            code = c == '*' ? -1 : 5;
        } else {
            const char lowered = static_cast<char>(c | 0x20);
            deal[suit * 13 + static_cast<int>(std::strchr(RANKS, lowered) - RANKS)] = code;
            code = 1;
        }
    }
}

// Lists every choice of 10 of the items 0 to 19 in lexicographic order of the
// ascending lists, keeping the ones numbered first to end-1.
void walkChoices(int nextItem, std::vector<int>& chosen, long& number, int first, int end,
                 std::vector<std::vector<int>>& kept) {
    if (chosen.size() == 10) {
        if (number >= first && number < end) kept.push_back(chosen);
        number++;
        return;
    }
    for (int item = nextItem; item <= 20 - (10 - static_cast<int>(chosen.size())); item++) {
        if (number >= end) return;
        chosen.push_back(item);
        walkChoices(item + 1, chosen, number, first, end, kept);
        chosen.pop_back();
    }
}

}  // namespace

TrickHistogram referenceHistogram(const std::string& dealText, int contract, int leader, int first,
                                  int end) {
    int deal[52] = {0};
    placeKnownCards(dealText, deal);
    std::vector<int> hidden;
    for (int card = 0; card < 52; card++) {
        if (card % 13 < 8 && deal[card] == 0) hidden.push_back(card);
        if (deal[card] < 0) deal[card] = 0;
    }
    std::vector<int> chosen;
    std::vector<std::vector<int>> splits;
    long number = 0;
    walkChoices(0, chosen, number, first, end, splits);

    const bool misere = contract == 5;
    const int trump = contract > 4 ? 4 : contract;
    const int leaderSeat = leader == 2 ? 3 : leader;
    TrickHistogram histogram{};
    for (const std::vector<int>& west : splits) {
        for (int card : hidden) deal[card] = 2;
        for (int item : west) deal[hidden[item]] = 4;
        PrefThresholdReference reference(deal, trump, leaderSeat, 0, misere);
        histogram[reference.declarerTricks()]++;
    }
    return histogram;
}
