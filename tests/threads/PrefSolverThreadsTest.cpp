// Single-position preferans solver objects on several threads at once: each
// keeps its own state, so every answer matches the minimax reference.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "preferans/Solver.h"
#include "support/PrefPositions.h"
#include "support/PrefReference.h"

TEST(PrefSolverThreads, SolverObjectsSolveSideBySide) {
    constexpr int THREADS = 3;
    constexpr int PER_THREAD = 12;
    std::vector<PrefTestPosition> positions;
    std::vector<int> expected;
    std::mt19937 rng(77u);
    for (int i = 0; i < THREADS * PER_THREAD; i++) {
        positions.push_back(randomPrefPosition(rng, 4 + i % 4, i % 3));
        const PrefTestPosition& p = positions.back();
        expected.push_back(PrefReference(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere)
                               .declarerTricks());
    }
    std::vector<int> found(positions.size(), -1);
    std::vector<std::thread> workers;
    for (int t = 0; t < THREADS; t++) {
        workers.emplace_back([&, t] {
            auto solver = std::make_unique<preferans::Solver>();
            for (int i = t; i < THREADS * PER_THREAD; i += THREADS) {
                const PrefTestPosition& p = positions[i];
                solver->solve(p.deal, p.trump, p.leaderSeat, p.declarerSeat, p.misere);
                found[i] = solver->number_of_tricks_of_player;
            }
        });
    }
    for (std::thread& w : workers) w.join();
    EXPECT_EQ(found, expected);
}
