// Helpers shared by the bridge solver's tests: positions written as hands,
// and the table files of tests/data run through the ddsolver program.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "support/BridgeDealText.h"
#include "support/BridgeReference.h"

// A position from four hands (see positionFromHands); a test failure when the
// hands do not parse.
bridgeref::Position handsPosition(const std::array<std::string, 4>& hands, int trump, int leader);

// Every line of a table file in tests/data, which must hold `count` lines.
std::vector<bridgeref::TableLine> tableLines(const std::string& fileName, size_t count);

// Runs ddsolver on the line's position string and expects the line's four
// numbers, each followed by one space, and exit status 0.
void expectProgramPrints(const bridgeref::TableLine& line);
