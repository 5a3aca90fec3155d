#include "cli/progress_line.h"

#include <algorithm>
#include <string>

namespace tavo::cli {

namespace {
constexpr int kBarWidth = 30;
} // namespace

ProgressLine::ProgressLine(std::FILE* stream, bool redrawInPlace)
    : stream_(stream), redrawInPlace_(redrawInPlace) {}

void ProgressLine::Show(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    lastShown_ = -1;
    if (visible_)
        Draw();
    else
        Erase();
}

void ProgressLine::Range(int low, int high) {
    low_ = low;
    high_ = high;
    Draw();
}

void ProgressLine::Position(int position) {
    position_ = position;
    Draw();
}

void ProgressLine::Suspend() {
    Erase();
}

void ProgressLine::Resume() {
    if (!visible_ || !redrawInPlace_) return;
    lastShown_ = -1;
    Draw();
}

int ProgressLine::Percent() const {
    const long long span = static_cast<long long>(high_) - low_;
    const long long done = static_cast<long long>(position_) - low_;
    return static_cast<int>(std::clamp(done * 100 / span, 0LL, 100LL));
}

int ProgressLine::Done() const {
    // A range set before the first position leaves the position below it for a moment.
    return std::max(position_ - low_, 0);
}

void ProgressLine::Draw() {
    // Before its range is set (or with nothing to count) a bar would only say "100%".
    if (!visible_ || high_ <= low_) return;
    const int percent = Percent();
    const int shown = redrawInPlace_ ? percent : percent / 10;
    if (shown == lastShown_) return;
    lastShown_ = shown;
    if (redrawInPlace_) {
        const auto filled = static_cast<std::size_t>(percent * kBarWidth / 100);
        const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, ' ');
        std::fprintf(stream_, "\r[%s] %3d%%  %d/%d\033[K", bar.c_str(), percent, Done(), high_ - low_);
        drawn_ = true;
    } else {
        std::fprintf(stream_, "progress %d%% (%d/%d)\n", percent, Done(), high_ - low_);
    }
    std::fflush(stream_);
}

void ProgressLine::Erase() {
    if (!drawn_) return;
    std::fputs("\r\033[K", stream_);
    std::fflush(stream_);
    drawn_ = false;
}

} // namespace tavo::cli
