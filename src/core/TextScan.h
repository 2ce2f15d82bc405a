// Small pieces shared by the readers of deal text and constraints: blanks,
// trimming, and a refusal with its reason.
#pragma once

#include <string>
#include <string_view>

#include "ddsolver/Status.h"

namespace ddsolver {

// The blanks of the C locale: space, tab, newline, return, form feed, vertical tab.
inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

inline std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The status, with the detail in `reason` when the caller asked for one.
inline Status refuse(Status status, std::string* reason, const std::string& detail) {
    if (reason != nullptr) *reason = detail;
    return status;
}

}  // namespace ddsolver
