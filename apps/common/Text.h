// Small pieces of the programs' input and output: a JSON string, the -j count.
#pragma once

#include <string>

namespace apps {

// The text as a JSON string, quotes included.
std::string jsonString(const std::string& text);

// The count of -j: a whole number from 1 to 1024, nothing else; false otherwise.
bool readWorkerCount(const std::string& text, int& workers);

}  // namespace apps
