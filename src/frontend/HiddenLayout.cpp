// The hidden-layout analysis: every split of the defenders' twenty unseen cards
// in a range, solved double dummy, with the declarer's tricks in a histogram.
#include "frontend/HiddenLayout.h"

#include <cassert>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "DealCodes.h"
#include "Permutations.h"
#include "frontend/DealNotation.h"
#include "frontend/SplitRun.h"

const char PREFERANS_SIGNAL_FILE_NAME[] = "uvcyZDTh.pyM";

namespace {

constexpr int KNOWN_CARDS = 12;
constexpr int MISERE_CONTRACT = 5;
constexpr int MAX_LEADER_ARGUMENT = 2;
constexpr int DECLARER_PLAYER = 0;
constexpr int TRICK_COUNTS = 11;

struct Arguments {
    int first;     // first split to solve
    int end;       // one past the last split to solve
    int contract;  // 0 to 3 a trump suit, 4 no trump, 5 misere, above 5 as 4
    int leader;    // 0 the declarer, 1 seat 1, 2 seat 3
};

// Reads the range, the contract and the leader; returns an empty string or
// the message that refuses them.
std::string readArguments(const char* range, const char* contract, const char* leader,
                          Arguments& out) {
    const char* dash = std::strchr(range, '-');
    bool rangeDigits = false;  // a range without digits reads as 0-0
    out.first = readDecimal(range, rangeDigits);
    out.end = dash == nullptr ? 0 : readDecimal(dash + 1, rangeDigits);
    bool contractDigits = false;
    out.contract = readDecimal(contract, contractDigits);
    bool leaderDigits = false;
    out.leader = readDecimal(leader, leaderDigits);
    if (dash == nullptr) return "error invalid range";
    if (!contractDigits || out.contract < 0) return "error invalid contract";
    if (!leaderDigits || out.leader < 0 || out.leader > MAX_LEADER_ARGUMENT) {
        return "error invalid leader";
    }
    return std::string();
}

// Turns a range into the splits actually there: nothing before split 0 and
// nothing past the last one, so that no split is ever counted twice.
void clampRange(Arguments& arguments) {
    if (arguments.first < 0) arguments.first = 0;
    if (arguments.end > HIDDEN_SPLITS) arguments.end = HIDDEN_SPLITS;
}

void printHistogram(const int histogram[TRICK_COUNTS]) {
    for (int tricks = 0; tricks < TRICK_COUNTS; tricks++) {
        std::printf("%s%d", tricks == 0 ? "" : " ", histogram[tricks]);
    }
}

}  // namespace

bool fileExists(const char* fileName) {
    FILE* file = std::fopen(fileName, "r");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

int readDecimal(const char* text, bool& sawDigit) {
    sawDigit = false;
    while (std::isspace(static_cast<unsigned char>(*text))) text++;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') text++;
    // Accumulate towards the sign so that INT_MIN itself is reachable, and
    // stop growing at the limit instead of overflowing.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); text++) {
        sawDigit = true;
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > limit) magnitude = limit;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

void listHiddenCards(const int knownCards[12], int hiddenCards[HIDDEN_CARDS]) {
    int hidden = 0;
    int known = 0;
    for (int card = 0; card < DEAL_CARDS; card++) {
        if (card % CARDS_PER_SUIT >= PREFERANS_RANKS) continue;
        if (known < KNOWN_CARDS && knownCards[known] == card) {
            known++;
            continue;
        }
        if (hidden < HIDDEN_CARDS) hiddenCards[hidden++] = card;
    }
}

void seekSplit(Permutations& splits, int split) {
    // binomial[m][j] = m choose j, for the small sizes of a split.
    static const auto binomial = [] {
        struct Table {
            int v[HIDDEN_CARDS + 1][HIDDEN_CARDS + 1] = {};
        } t;
        for (int m = 0; m <= HIDDEN_CARDS; m++) {
            t.v[m][0] = 1;
            for (int j = 1; j <= m; j++) t.v[m][j] = t.v[m - 1][j - 1] + t.v[m - 1][j];
        }
        return t;
    }();
    // Lexicographic order: the combinations whose position i holds c come
    // before those holding c + 1, and there are (n-1-c choose k-1-i) of them.
    int item = 0;
    for (int i = 0; i < splits.k; i++, item++) {
        for (;;) {
            const int after = binomial.v[splits.n - 1 - item][splits.k - 1 - i];
            if (split < after) break;
            split -= after;
            item++;
        }
        splits.digits[i] = item;
    }
}

int analyseHiddenLayouts(const char* dealText, const char* range, const char* contract,
                         const char* leader) {
    int playerCards[10];
    int absentCards[2];
    int knownCards[KNOWN_CARDS];
    int leadCard = -1;
    Arguments arguments{};
    const std::string argumentProblem = readArguments(range, contract, leader, arguments);
    // A bad deal text is reported first, with its own message, whatever else
    // is wrong.
    std::string problem =
        parseDeal(dealText, arguments.leader, playerCards, absentCards, knownCards, leadCard);
    if (problem.empty()) problem = argumentProblem;
    if (!problem.empty()) {
        std::printf("%s\n", problem.c_str());
        return -1;
    }
    clampRange(arguments);

    int hiddenCards[HIDDEN_CARDS];
    listHiddenCards(knownCards, hiddenCards);
    SplitJob job;
    const int playerCount = leadCard >= 0 ? 9 : 10;
    for (int i = 0; i < playerCount; i++) job.declarerHand |= layoutCardBit(playerCards[i]);
    for (int i = 0; i < HIDDEN_CARDS; i++) job.hidden[i] = layoutCardBit(hiddenCards[i]);
    job.leadCard = leadCard;
    job.game.misere = arguments.contract == MISERE_CONTRACT;
    job.game.trump = arguments.contract < NO_TRUMP ? arguments.contract : NO_TRUMP;
    job.game.declarer = DECLARER_PLAYER;
    job.leader = arguments.leader;  // 0, 1, 2 are the players in playing order

    int histogram[TRICK_COUNTS] = {0};
    solveSplits(job, arguments.first, arguments.end, histogram);
    printHistogram(histogram);
    return 0;
}
