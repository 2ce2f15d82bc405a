// ddtable end to end on the ten deals published with DDS: every table entry
// and both forms of par must be the published ones.
#include <gtest/gtest.h>

#include <sstream>

#include "support/PbnTable.h"
#include "support/RunTable.h"

namespace {

// The JSON the program must print for a row's table and par, built from the
// published numbers and strings.
std::string expectedTableAndPar(const PbnTableRow& row) {
    const char* seats[] = {"N", "E", "S", "W"};
    const int strains[] = {4, 0, 1, 2, 3};
    const char* names[] = {"S", "H", "D", "C", "NT"};
    std::string text = "\"table\": {";
    for (int seat = 0; seat < 4; ++seat) {
        text += std::string(seat > 0 ? ", " : "") + "\"" + seats[seat] + "\": {";
        for (int i = 0; i < 5; ++i) {
            text += std::string(i > 0 ? ", " : "") + "\"" + names[strains[i]] +
                    "\": " + std::to_string(row.tricks[strains[i]][seat]);
        }
        text += "}";
    }
    text += "}, \"par\": {\"score\": " + std::to_string(row.dealerParScore) + ", \"contracts\": [";
    std::istringstream contracts(row.dealerParContracts);
    std::string contract;
    for (bool first = true; contracts >> contract; first = false) {
        text += (first ? "\"" : ", \"") + contract + "\"";
    }
    return text + "], \"ns\": \"" + row.parNs + "\", \"ew\": \"" + row.parEw +
           "\", \"contracts_ns\": \"" + row.contractsNs + "\", \"contracts_ew\": \"" +
           row.contractsEw + "\"}";
}

}  // namespace

TEST(DdtablePublishedDeals, TablesAndParOfTheTenDeals) {
    std::vector<PbnTableRow> rows = readPbnTableRows("bridge_pbn10.tsv");
    ASSERT_EQ(rows.size(), 10u);
    std::string file = writeTemporaryFile("pbn10.pbn", pbnGameFile(rows));
    TableRun run = runDdtable({"--format", "json", "-j", "2", file});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.errors, "");
    std::istringstream lines(run.output);
    std::string line;
    for (size_t i = 0; i < rows.size(); ++i) {
        ASSERT_TRUE(std::getline(lines, line)) << "board " << i + 1;
        EXPECT_EQ(line.rfind("{\"board\": " + std::to_string(i + 1) + ",", 0), 0u) << line;
        EXPECT_NE(line.find(expectedTableAndPar(rows[i])), std::string::npos)
            << line << "\nexpected " << expectedTableAndPar(rows[i]);
    }
}
