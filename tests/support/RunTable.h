// Runs the built ddtable, ddplay or ddsim program with given arguments and standard
// input and captures standard output, standard error and the exit status.
#pragma once

#include <string>
#include <vector>

struct TableRun {
    std::string output, errors;
    int exitStatus = -1;  // -1 when the program did not exit normally
};

TableRun runDdtable(const std::vector<std::string>& arguments, const std::string& input = "");
TableRun runDdplay(const std::vector<std::string>& arguments, const std::string& input = "");
TableRun runDdsim(const std::vector<std::string>& arguments, const std::string& input = "");

// Writes text to a new file in a fresh temporary directory; returns its path.
std::string writeTemporaryFile(const std::string& name, const std::string& text);
