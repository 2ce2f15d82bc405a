// A JSON string and the -j count.
#include "apps/common/Text.h"

#include <cstdio>
#include <cstdlib>

namespace apps {

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

bool readWorkerCount(const std::string& text, int& workers) {
    char* end = nullptr;
    const long count = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || count < 1 || count > 1024) return false;
    workers = static_cast<int>(count);
    return true;
}

}  // namespace apps
