// Reads the tab-separated PBN table files of tests/data.
#include "support/PbnTable.h"

#include <fstream>
#include <sstream>

std::vector<PbnTableRow> readPbnTableRows(const std::string& fileName) {
    std::vector<PbnTableRow> rows;
    std::ifstream in(std::string(DDSOLVER_TESTDATA_DIR) + "/" + fileName);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream split(line);
        std::string field;
        while (std::getline(split, field, '\t')) fields.push_back(field);
        if (fields.size() < 10) continue;
        PbnTableRow row;
        row.dealer = fields[0];
        row.vulnerable = fields[1];
        row.deal = fields[2];
        std::stringstream numbers(fields[3]);
        for (auto& strain : row.tricks) {
            for (int& tricks : strain) numbers >> tricks;
        }
        row.parNs = fields[4];
        row.parEw = fields[5];
        row.contractsNs = fields[6];
        row.contractsEw = fields[7];
        row.dealerParScore = std::stoi(fields[8]);
        row.dealerParContracts = fields[9];
        rows.push_back(row);
    }
    return rows;
}

std::string pbnGameFile(const std::vector<PbnTableRow>& rows) {
    std::string text;
    for (size_t i = 0; i < rows.size(); ++i) {
        text += "[Board \"" + std::to_string(i + 1) + "\"]\n[Dealer \"" + rows[i].dealer +
                "\"]\n[Vulnerable \"" + rows[i].vulnerable + "\"]\n[Deal \"" + rows[i].deal +
                "\"]\n\n";
    }
    return text;
}
