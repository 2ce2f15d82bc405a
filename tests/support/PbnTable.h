// Rows of the PBN deal files with published tables and par (tests/data/*.tsv
// in the column format of bridge_pbn10.tsv), read into plain fields.
#pragma once

#include <string>
#include <vector>

struct PbnTableRow {
    std::string dealer, vulnerable, deal;
    int tricks[5][4];  // [strain S, H, D, C, NT][declarer N, E, S, W]
    std::string parNs, parEw, contractsNs, contractsEw;
    int dealerParScore;
    std::string dealerParContracts;  // space-separated
};

// The rows of a file in tests/data; empty when it cannot be read.
std::vector<PbnTableRow> readPbnTableRows(const std::string& fileName);

// The rows as a PBN game file, boards numbered from 1.
std::string pbnGameFile(const std::vector<PbnTableRow>& rows);
