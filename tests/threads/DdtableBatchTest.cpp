// The batch runner: whatever the number of workers and however long each deal
// takes, every record comes back once, in input order, malformed ones as such.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "apps/ddtable/BatchRunner.h"

using namespace ddtable;

TEST(DdtableBatch, DeliversInInputOrderUnderSeveralWorkers) {
    std::vector<DealRecord> records(40);
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].line = static_cast<int>(i);
        if (i % 7 == 3) records[i].error = "malformed";
    }
    // Early deals take longest, so later ones finish first; the job stamps
    // each table with the deal's line so that mixed-up results show.
    DealJob job = [&](ddsolver::BridgeSolver&, const DealRecord& record, DealAnalysis& analysis) {
        std::this_thread::sleep_for(std::chrono::milliseconds((40 - record.line) / 4));
        analysis.table.tricks[0][0] = record.line;
        return record.line != 20;  // the solver refuses one deal
    };
    for (int workers : {1, 2, 4, 7}) {
        std::vector<int> seen;
        DealSink sink = [&](const DealRecord& record, bool solved, const DealAnalysis& analysis) {
            seen.push_back(record.line);
            const bool expected = record.error.empty() && record.line != 20;
            EXPECT_EQ(solved, expected) << record.line;
            if (solved) {
                EXPECT_EQ(analysis.table.tricks[0][0], record.line);
            }
        };
        Progress quiet(records.size(), false);
        runBatch(records, workers, job, sink, quiet);
        ASSERT_EQ(seen.size(), records.size()) << workers;
        for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], static_cast<int>(i)) << workers;
    }
}
