// Runs ddsolver on a sample of the random deals whose double-dummy tables the
// DDS library computed offline (tests/data/dds_random_deals.tsv) and compares
// the four numbers it prints in each strain with DDS's table.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/BridgeDealText.h"
#include "support/RunProgram.h"
#include "support/TestScale.h"

using namespace bridgeref;

namespace {

// Deals taken from the start of the file, each in all five strains: with
// today's solver four to six seconds per deal and strain on a busy machine,
// so about two minutes.
const int DEALS = sampleSize(4, 1);

struct DdsTable {
    std::string deal;            // PBN deal text
    std::array<int, 20> tricks;  // strains S, H, D, C, NT; declarers N, E, S, W
};

// The deal and table columns of each line after the header.
bool readDdsTables(const std::string& path, std::vector<DdsTable>* tables) {
    std::ifstream file(path);
    std::string line;
    if (!std::getline(file, line)) return false;
    while (std::getline(file, line)) {
        std::istringstream columns(line);
        std::string skipped, numbers;
        DdsTable table;
        std::getline(columns, skipped, '\t');
        std::getline(columns, skipped, '\t');
        std::getline(columns, table.deal, '\t');
        std::getline(columns, numbers, '\t');
        std::istringstream values(numbers);
        for (int& tricks : table.tricks) {
            if (!(values >> tricks)) return false;
        }
        tables->push_back(table);
    }
    return true;
}

TEST(BridgeDdsDealsSlow, ProgramMatchesDdsTables) {
    std::vector<DdsTable> tables;
    ASSERT_TRUE(readDdsTables(DDSOLVER_TESTDATA_DIR "/dds_random_deals.tsv", &tables));
    ASSERT_EQ(tables.size(), 200u);
    for (int i = 0; i < DEALS; ++i) {
        for (int strain = 0; strain < 5; ++strain) {
            Position position;
            std::string error;
            ASSERT_TRUE(positionFromPbnDeal(tables[i].deal, strain, &position, &error)) << error;
            // Leader L is the left-hand opponent of declarer L - 1, whose
            // side's tricks the program prints.
            std::string expected;
            for (int leader = 0; leader < 4; ++leader) {
                expected += std::to_string(tables[i].tricks[strain * 4 + (leader + 3) % 4]) + " ";
            }
            ProgramRun run = runDdsolver({tablePositionString(position)});
            EXPECT_EQ(run.exitStatus, 0);
            EXPECT_EQ(run.output, expected)
                << "deal " << i + 1 << " " << tables[i].deal << ", strain " << strain;
        }
    }
}

}  // namespace
