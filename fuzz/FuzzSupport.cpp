// Helpers shared by the fuzz targets.
#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "analysis/HiddenLayout.h"
#include "apps/ddsolver/HiddenLayoutCommand.h"
#include "ddsolver/compat/DealCodes.h"

std::string ByteReader::line() {
    std::string text;
    while (at_ < size_ && data_[at_] != '\n') text += static_cast<char>(data_[at_++]);
    if (at_ < size_) at_++;
    return text;
}

namespace {

const int ALL_BRIDGE_SEATS[BRIDGE_SEATS] = {0, 1, 2, 3};

}  // namespace

void dealPosition(ByteReader& in, bool bridge, int tricks, int onTrick, int leader, int deal[52]) {
    const int* seats = bridge ? ALL_BRIDGE_SEATS : PREFERANS_SEATS;
    const int seatCount = bridge ? BRIDGE_SEATS : 3;
    const int ranks = bridge ? CARDS_PER_SUIT : PREFERANS_RANKS;
    int cards[DEAL_CARDS];
    int n = 0;
    for (int card = 0; card < DEAL_CARDS; card++) {
        deal[card] = CODE_OUT_OF_PLAY;
        if (card % CARDS_PER_SUIT < ranks) cards[n++] = card;
    }
    for (int i = n - 1; i > 0; i--) std::swap(cards[i], cards[in.below(i + 1)]);
    int next = 0;
    int leaderPlace = 0;
    for (int s = 0; s < seatCount; s++) {
        if (seats[s] == leader) leaderPlace = s;
        for (int k = 0; k < tricks; k++) deal[cards[next++]] = inHandCode(seats[s]);
    }
    // The trick's cards: one of each seat's cards, in playing order.
    for (int k = 0; k < onTrick && tricks > 0; k++) {
        const int s = (leaderPlace + k) % seatCount;
        const int card = cards[s * tricks + in.below(tricks)];
        deal[card] = onTrickCode(seats[s]);
    }
}

int tricksLeft(const int deal[52], bool bridge) {
    const int ranks = bridge ? CARDS_PER_SUIT : PREFERANS_RANKS;
    int count = 0;
    for (int card = 0; card < DEAL_CARDS; card++) {
        if (card % CARDS_PER_SUIT >= ranks) continue;
        count += deal[card] == inHandCode(0) || deal[card] == onTrickCode(0);
    }
    return count;
}

namespace {

const char OUTPUT_FILE[] = "printed.txt";
char privateDirectory[] = "/tmp/ddsolver-fuzz-XXXXXX";

// Removes the directory and what the targets leave in it at a normal exit.
void removePrivateDirectory() {
    std::fclose(stdout);
    std::remove(OUTPUT_FILE);
    std::remove(PREFERANS_SIGNAL_FILE_NAME);
    if (chdir("/") == 0) rmdir(privateDirectory);
}

}  // namespace

void enterPrivateDirectory() {
    if (mkdtemp(privateDirectory) == nullptr || chdir(privateDirectory) != 0) {
        std::perror("private working directory");
        std::abort();
    }
    std::atexit(removePrivateDirectory);
}

void captureStandardOutput() {
    if (std::freopen(OUTPUT_FILE, "w+", stdout) == nullptr) {
        std::perror("standard output");
        std::abort();
    }
}

std::string takeOutput() {
    std::fflush(stdout);
    std::string text;
    std::FILE* file = std::fopen(OUTPUT_FILE, "r");
    if (file != nullptr) {
        int c;
        while ((c = std::fgetc(file)) != EOF) text += static_cast<char>(c);
        std::fclose(file);
    }
    std::rewind(stdout);
    if (ftruncate(fileno(stdout), 0) != 0) std::abort();
    return text;
}

void propertyBroken(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what);
    std::fflush(stderr);
    __builtin_trap();
}
