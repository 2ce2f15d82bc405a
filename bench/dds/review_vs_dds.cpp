// Play review against DDS's play analyser (AnalysePlayBin), both on one
// thread: seeded random deals, each played to the end by a seeded mix of the
// solver's best cards (three in four) and other legal cards, so that the
// plays hold mistakes. Times this library's review at each detail (values
// only, which is what AnalysePlayBin gives; with the optimal cards; with
// every card's value) and DDS's, and compares the values card by card.
//
// Usage: review_vs_dds [N]   N deals (default 200); exit status 1 on any
// disagreement.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchSupport.h"
#include "DdsSupport.h"
#include "core/PositionRules.h"
#include "ddsolver/ddsolver.h"

using namespace ddsolver;

namespace {

struct PlayedDeal {
    Deal deal;
    Strain strain;
    Seat leader;
    std::vector<Card> cards;
};

// A legal card of the seat to move: his best three times in four.
Card nextCard(BridgeSolver& solver, const Position& position, uint64_t& state) {
    std::vector<CardValue> values;
    if (solver.cardValues(position, values) != Status::Ok || values.empty()) return Card();
    if (nextRandom(state) % 4 != 0) return values.front().card;
    return values[nextRandom(state) % values.size()].card;
}

std::vector<PlayedDeal> playedDeals(int count) {
    uint64_t state = BRIDGE_BENCH_SEED;
    BridgeSolver solver;
    std::vector<PlayedDeal> deals;
    for (int d = 0; d < count; ++d) {
        PlayedDeal played;
        const std::vector<int> codes = randomFullDeal(state);
        for (int i = 0; i < 52; ++i) played.deal.give(Card::fromIndex(i), ALL_SEATS[codes[i] - 1]);
        played.strain = ALL_STRAINS[nextRandom(state) % 5];
        played.leader = ALL_SEATS[nextRandom(state) % 4];
        Position position{played.deal, played.strain, played.leader, {}, 0};
        for (int k = 0; k < 52; ++k) {
            const Card card = nextCard(solver, position, state);
            played.cards.push_back(card);
            int winner;
            position = core::afterPlaying(core::BRIDGE, position, card,
                                          static_cast<int>(played.strain), winner);
        }
        deals.push_back(played);
    }
    return deals;
}

// DDS's values for a played deal; false when it refuses.
bool ddsValues(const PlayedDeal& played, solvedPlay& solved) {
    struct deal position = {};
    position.trump = static_cast<int>(played.strain);
    position.first = static_cast<int>(played.leader);
    for (int i = 0; i < 52; ++i) {
        const Card card = Card::fromIndex(i);
        position.remainCards[static_cast<int>(*played.deal.holder(card))][i / 13] |= 1u
                                                                                     << card.rank();
    }
    playTraceBin trace = {};
    for (Card card : played.cards) {
        trace.suit[trace.number] = static_cast<int>(card.suit());
        trace.rank[trace.number] = card.rank();
        ++trace.number;
    }
    return AnalysePlayBin(position, trace, &solved, 0) == RETURN_NO_FAULT;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    useOneDdsThread();
    const std::vector<PlayedDeal> deals = playedDeals(count);
    const ReviewDetail details[3] = {ReviewDetail::Tricks, ReviewDetail::Optimal,
                                     ReviewDetail::EveryCard};
    const char* names[3] = {"values only", "with optimal cards", "with every card's value"};
    double ours[3] = {0, 0, 0}, dds = 0;
    int disagreements = 0;
    // One solver per detail, so that each review starts from the table the
    // deal before left, as a program reviewing one deal after another does.
    BridgeSolver solvers[3];
    for (const PlayedDeal& played : deals) {
        PlayReview reviews[3];
        for (int d = 0; d < 3; ++d) {
            const Clock::time_point start = Clock::now();
            if (reviewPlay(solvers[d], played.deal, played.strain, played.leader, played.cards,
                           reviews[d], details[d]) != Status::Ok) {
                std::printf("review refused a deal\n");
                return 1;
            }
            ours[d] += milliseconds(start, Clock::now());
        }
        solvedPlay solved = {};
        const Clock::time_point start = Clock::now();
        if (!ddsValues(played, solved)) {
            std::printf("DDS refused a deal\n");
            return 1;
        }
        dds += milliseconds(start, Clock::now());
        bool same = solved.tricks[0] == reviews[0].start;
        for (int k = 0; k < solved.number - 1; ++k)
            same = same && solved.tricks[k + 1] == reviews[0].cards[k].tricks;
        disagreements += !same;
    }
    std::printf("review_vs_dds: %d played deals, seed %llu, one thread\n", count,
                static_cast<unsigned long long>(BRIDGE_BENCH_SEED));
    std::printf("DDS AnalysePlayBin  %9.1f ms\n", dds);
    for (int d = 0; d < 3; ++d) {
        std::printf("review, %-24s %9.1f ms  ratio to DDS %.2f\n", names[d], ours[d],
                    ours[d] / dds);
    }
    std::printf("disagreements %d\n", disagreements);
    return disagreements == 0 ? 0 : 1;
}
