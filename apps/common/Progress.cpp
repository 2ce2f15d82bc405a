// Progress line drawing: carriage return and erase-to-end keep it on one line.
#include "apps/common/Progress.h"

namespace apps {

Progress::Progress(std::size_t total, bool enabled, std::FILE* out, const char* items)
    : total_(total), enabled_(enabled), out_(out), items_(items) {
    start_ = lastDraw_ = std::chrono::steady_clock::now();
}

void Progress::update(std::size_t done) {
    if (!enabled_) return;
    auto now = std::chrono::steady_clock::now();
    if (drawn_ && now - lastDraw_ < std::chrono::milliseconds(250)) return;
    lastDraw_ = now;
    draw(done);
}

void Progress::draw(std::size_t done) {
    double seconds = std::chrono::duration<double>(lastDraw_ - start_).count();
    double rate = seconds > 0 ? done / seconds : 0;
    std::fprintf(out_, "\r%zu/%zu %s, %.2f %s/s", done, total_, items_, rate, items_);
    if (rate > 0) {
        long left = static_cast<long>((total_ - done) / rate + 0.5);
        std::fprintf(out_, ", %ld:%02ld:%02ld left", left / 3600, left / 60 % 60, left % 60);
    }
    if (!note_.empty()) std::fprintf(out_, ", %s", note_.c_str());
    std::fprintf(out_, "\033[K");
    std::fflush(out_);
    drawn_ = true;
}

void Progress::finish() {
    if (!enabled_ || !drawn_) return;
    std::fprintf(out_, "\r\033[K");
    std::fflush(out_);
}

}  // namespace apps
