// The progress line of a batch on standard error: items done out of total,
// items per second and the time left, redrawn in place a few times a second.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>

namespace apps {

class Progress {
   public:
    // Draws nothing when not enabled (standard error is not a terminal, or
    // quiet); `items` names what is counted ("deals").
    Progress(std::size_t total, bool enabled, std::FILE* out = stderr, const char* items = "deals");
    void update(std::size_t done);  // redraws at most four times a second
    // A few words drawn after the counts from the next redraw on ("make 63.2%").
    void setNote(std::string note) { note_ = std::move(note); }
    void finish();                  // erases the line

   private:
    void draw(std::size_t done);
    std::size_t total_;
    bool enabled_;
    bool drawn_ = false;
    std::FILE* out_;
    const char* items_;
    std::string note_;
    std::chrono::steady_clock::time_point start_, lastDraw_;
};

}  // namespace apps
