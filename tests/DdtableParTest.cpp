// Par from published double-dummy tables: both forms DDS gives (Par for each
// side bidding first, DealerPar) must match its published results exactly.
#include <gtest/gtest.h>

#include "ddtable/Par.h"
#include "ddtable/ParText.h"
#include "ddtable/PbnDeal.h"
#include "support/PbnTable.h"

using namespace ddtable;

namespace {

void expectPublishedPar(const std::string& fileName, size_t minimumRows) {
    std::vector<PbnTableRow> rows = readPbnTableRows(fileName);
    ASSERT_GE(rows.size(), minimumRows) << fileName;
    for (size_t i = 0; i < rows.size(); ++i) {
        const PbnTableRow& row = rows[i];
        Table table;
        for (int strain = 0; strain < STRAINS; ++strain) {
            for (int seat = 0; seat < SEATS; ++seat)
                table.tricks[strain][seat] = row.tricks[strain][seat];
        }
        const int vulnerability = vulnerabilityFromText(row.vulnerable);
        const int dealer = seatFromText(row.dealer);
        ASSERT_NE(vulnerability, VUL_UNKNOWN);
        ASSERT_GE(dealer, 0);
        ParResult ns = sidesPar(table, 0, vulnerability), ew = sidesPar(table, 1, vulnerability);
        EXPECT_EQ(parScoreText(ns, 0), row.parNs) << fileName << " row " << i + 1;
        EXPECT_EQ(parScoreText(ew, 1), row.parEw) << fileName << " row " << i + 1;
        EXPECT_EQ(sidesParContractsText(ns, 0), row.contractsNs) << fileName << " row " << i + 1;
        EXPECT_EQ(sidesParContractsText(ew, 1), row.contractsEw) << fileName << " row " << i + 1;
        ParResult withDealer = dealerPar(table, dealer, vulnerability);
        std::string contracts;
        for (int k = 0; k < withDealer.count; ++k) {
            contracts += (k > 0 ? " " : "") + dealerParContractText(withDealer.contracts[k]);
        }
        EXPECT_EQ(withDealer.score, row.dealerParScore) << fileName << " row " << i + 1;
        EXPECT_EQ(contracts, row.dealerParContracts) << fileName << " row " << i + 1;
    }
}

}  // namespace

// The ten deals published with DDS, with their par results.
TEST(DdtablePar, MatchesPublishedParOfTenDeals) {
    expectPublishedPar("bridge_pbn10.tsv", 10);
}

// Seeded random deals over all dealers and vulnerabilities, tables and par
// computed by DDS offline (see tests/data/README.md).
TEST(DdtablePar, MatchesDdsParOfRandomDeals) {
    if (readPbnTableRows("dds_random_deals.tsv").empty()) GTEST_SKIP() << "no DDS random deals";
    expectPublishedPar("dds_random_deals.tsv", 100);
}

// Nobody makes anything: the deal is passed out, par 0 with no contract.
TEST(DdtablePar, PassedOutWhenNoSideMakesSevenTricks) {
    Table table;
    for (auto& strain : table.tricks) {
        for (int& tricks : strain) tricks = 6;
    }
    ParResult par = dealerPar(table, 0, VUL_NONE);
    EXPECT_EQ(par.score, 0);
    EXPECT_EQ(par.count, 0);
}
