// The public hidden-layout analysis: the deal text checked, the splits of the
// range solved on the caller's number of threads.
#include <algorithm>
#include <string>
#include <thread>

#include "analysis/DealNotation.h"
#include "analysis/SplitRun.h"
#include "ddsolver/PrefSolver.h"
#include "ddsolver/compat/DealCodes.h"

namespace ddsolver {

namespace {

// Players in playing order from the declarer, North: East, then West.
int playerOf(Seat seat) {
    switch (seat) {
        case Seat::North:
            return 0;
        case Seat::East:
            return 1;
        case Seat::West:
            return 2;
        default:
            return -1;
    }
}

}  // namespace

Status prefHistogram(std::string_view dealText, const PrefContract& contract, Seat leader,
                     int first, int end, int threads, const StopCheck& stop,
                     PrefHistogram& histogram) {
    // The text is read up to its end; a NUL inside it is no rank letter.
    if (dealText.find('\0') != std::string_view::npos) return Status::PrefInvalidSymbol;
    const std::string text(dealText);
    const int leaderPlayer = playerOf(leader);
    int playerCards[10], absentCards[2], knownCards[12], leadCard = -1;
    const Status status = parseDeal(text.c_str(), leaderPlayer == 0 ? 0 : 1, playerCards,
                                    absentCards, knownCards, leadCard);
    if (status != Status::Ok) return status;
    if (leaderPlayer < 0) return Status::BadLeader;
    if (contract.declarer != Seat::North) return Status::BadDeclarer;
    if (!contract.misere && static_cast<int>(contract.trump) > NO_TRUMP) return Status::BadStrain;
    if (threads < 0) return Status::BadThreadCount;
    if (threads == 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));

    const SplitJob job =
        makeSplitJob(playerCards, knownCards, leadCard, static_cast<int>(contract.trump),
                     contract.misere, leaderPlayer);
    int counts[11] = {0};
    solveSplits(job, first, end, threads, stop, counts);
    for (int tricks = 0; tricks < 11; ++tricks) histogram[tricks] += counts[tricks];
    return Status::Ok;
}

}  // namespace ddsolver
