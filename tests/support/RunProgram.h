// Runs the built ddsolver program with exact arguments and captures what it prints.
#pragma once

#include <string>
#include <vector>

struct ProgramRun {
    std::string output;  // everything written to standard output
    int exitStatus;      // 0 to 255, or -1 when the program did not exit normally
};

// Runs ddsolver with the given arguments (no shell: arguments are passed as
// they are, empty ones included), in workingDirectory when it is not empty.
ProgramRun runDdsolver(const std::vector<std::string>& arguments,
                       const std::string& workingDirectory = std::string());

// A fresh empty directory under the system's temporary directory.
std::string makeTemporaryDirectory();
