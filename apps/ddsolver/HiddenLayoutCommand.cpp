// The program's hidden-layout analysis: its arguments read, the splits of the
// range solved on the analysis threads with the stop file as the stop signal,
// and the histogram printed.
#include "apps/ddsolver/HiddenLayoutCommand.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "analysis/DealNotation.h"
#include "analysis/HiddenLayout.h"
#include "analysis/SplitRun.h"
#include "ddsolver/compat/DealCodes.h"

const char PREFERANS_SIGNAL_FILE_NAME[] = "uvcyZDTh.pyM";

namespace {

constexpr int KNOWN_CARDS = 12;
constexpr int MISERE_CONTRACT = 5;
constexpr int MAX_LEADER_ARGUMENT = 2;
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

int analysisThreads() {
    constexpr int MAX_THREADS = 256;
    if (const char* text = std::getenv("DDSOLVER_THREADS")) {
        bool digits = false;
        const int count = readDecimal(text, digits);
        if (digits && count >= 1) return std::min(count, MAX_THREADS);
    }
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, MAX_THREADS));
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
    const ddsolver::Status dealProblem =
        parseDeal(dealText, arguments.leader, playerCards, absentCards, knownCards, leadCard);
    const std::string problem =
        dealProblem != ddsolver::Status::Ok ? ddsolver::describe(dealProblem) : argumentProblem;
    if (!problem.empty()) {
        std::printf("%s\n", problem.c_str());
        return -1;
    }
    const bool misere = arguments.contract == MISERE_CONTRACT;
    const int trump = arguments.contract < NO_TRUMP ? arguments.contract : NO_TRUMP;
    // The leader argument counts the players in playing order from the declarer.
    const SplitJob job =
        makeSplitJob(playerCards, knownCards, leadCard, trump, misere, arguments.leader);
    int histogram[TRICK_COUNTS] = {0};
    const StopCheck stopFileThere = [] { return fileExists(PREFERANS_SIGNAL_FILE_NAME); };
    solveSplits(job, arguments.first, arguments.end, analysisThreads(), stopFileThere, histogram);
    printHistogram(histogram);
    return 0;
}
