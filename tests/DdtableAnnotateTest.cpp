// ddtable --annotate end to end on published deals: the tags carry the
// published table and par right after each Deal tag, every other line is
// copied as it was, earlier annotations give way, and a second run over the
// output changes nothing.
#include <gtest/gtest.h>

#include "support/PbnTable.h"
#include "support/RunTable.h"

namespace {

// Deals 4, 6 and 8 of bridge_pbn10.tsv, whose published dealer par is
// "3C*-EW-1 2N*-EW-1" (100), "4N-W+1" (-660) and "2C-NS+2" (130): two doubled
// sacrifices, a contract only West makes, and a part score.
struct Published {
    std::size_t row;
    const char* score;
    const char* contracts;
};
const Published DEALS[] = {
    {3, "NS 100", "EW 3CX,EW 2NTX"}, {5, "EW 660", "W 4NT"}, {7, "NS 130", "NS 2C"}};

// The table tag and its rows from the published table, declarers N, S, E, W.
std::string publishedTable(const PbnTableRow& row, const std::string& end) {
    const char* const strains[] = {"S", "H", "D", "C", "NT"};  // the rows' order
    std::string text = "[OptimumResultTable \"Declarer;Denomination\\2R;Result\\2R\"]" + end;
    for (int declarer : {0, 2, 1, 3}) {  // the rows' columns are N, E, S, W
        for (int strain : {4, 0, 1, 2, 3}) {
            text += std::string(1, "NESW"[declarer]) + " " + strains[strain] + " " +
                    std::to_string(row.tricks[strain][declarer]) + end;
        }
    }
    return text;
}

std::string tag(const std::string& name, const std::string& value, const std::string& end) {
    return "[" + name + " \"" + value + "\"]" + end;
}

// A game with tags, an auction and commentary around its Deal tag; `before`
// and `after` are put just before and after the Deal tag.
std::string game(const PbnTableRow& row, const std::string& end, const std::string& before = "",
                 const std::string& after = "", bool vulnerable = true) {
    return tag("Event", "Published", end) + tag("Dealer", row.dealer, end) +
           (vulnerable ? tag("Vulnerable", row.vulnerable, end) : "") + before +
           tag("Deal", row.deal, end) + after + tag("Auction", row.dealer, end) + "Pass" + end +
           "{Commentary}" + end + end;
}

std::string annotation(const Published& deal, const PbnTableRow& row, const std::string& end) {
    return tag("OptimumScore", deal.score, end) + tag("ParContract", deal.contracts, end) +
           publishedTable(row, end);
}

}  // namespace

// The middle game has DOS line ends, kept on its lines and used for its tags.
TEST(DdtableAnnotate, AddsThePublishedTableAndParAfterEachDealTag) {
    std::vector<PbnTableRow> rows = readPbnTableRows("bridge_pbn10.tsv");
    ASSERT_EQ(rows.size(), 10u);
    std::string input = "% PBN 2.1\n", expected = input;
    for (const Published& deal : DEALS) {
        const std::string end = deal.row == 5 ? "\r\n" : "\n";
        input += game(rows[deal.row], end);
        expected += game(rows[deal.row], end, "", annotation(deal, rows[deal.row], end));
    }
    TableRun run = runDdtable({"--annotate", "-j", "2", writeTemporaryFile("in.pbn", input)});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(run.output, expected);

    TableRun again = runDdtable({"--annotate"}, run.output);
    EXPECT_EQ(again.exitStatus, 0);
    EXPECT_EQ(again.output, run.output);
}

// Stale tags anywhere in a game are dropped and the new ones written after
// its Deal tag. Without a vulnerability only the table is written; a
// malformed game is reported and copied as it was, its tags included.
TEST(DdtableAnnotate, ReplacesEarlierAnnotations) {
    std::vector<PbnTableRow> rows = readPbnTableRows("bridge_pbn10.tsv");
    ASSERT_EQ(rows.size(), 10u);
    const PbnTableRow& row = rows[DEALS[2].row];
    const std::string stale = tag("OptimumScore", "NS 9999", "\n") +
                              tag("OptimumResultTable", "Declarer;Result", "\n") + "N NT 13\n" +
                              "S NT 13\n" + tag("ParContract", "NS 7NT", "\n");
    PbnTableRow malformed = row;
    malformed.deal.pop_back();  // the last hand, North's, holds 12 cards

    std::string input = game(row, "\n", stale, tag("ParContract", "NS 1C", "\n")) +
                        game(row, "\n", "", stale + publishedTable(rows[0], "\n"), false) +
                        game(malformed, "\n", stale);
    std::string expected = game(row, "\n", "", annotation(DEALS[2], row, "\n")) +
                           game(row, "\n", "", publishedTable(row, "\n"), false) +
                           game(malformed, "\n", stale);
    std::string file = writeTemporaryFile("stale.pbn", input);
    TableRun run = runDdtable({"--annotate", file});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.errors, "ddtable: " + file + ":56: hand N has 12 cards, not 13\n");
    EXPECT_EQ(run.output, expected);
}
