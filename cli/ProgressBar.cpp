#include "cli/ProgressBar.h"

#include <algorithm>
#include <utility>

#include <unistd.h>

namespace cli {

namespace {
constexpr int kBarCells = 30;
}

ProgressBar::ProgressBar(std::FILE* out, bool isEnabled, std::string what)
    : stream(out), enabled(isEnabled), label(std::move(what)) {}

ProgressBar::~ProgressBar() {
    Finish();
}

void ProgressBar::Progress(int32_t done, int32_t total) {
    if (!enabled || total <= 0) return;
    const int64_t clamped = std::clamp<int64_t>(done, 0, total);
    const int percent = static_cast<int>(clamped * 100 / total);
    // Redraw only when the figure grows: the plug-in's last call reports a fresh count of 0
    // after the work is done, which would show the bar falling back to nothing.
    if (percent <= lastPercent) return;
    lastPercent = percent;
    const int filled = percent * kBarCells / 100;
    std::fprintf(stream, "\r%s [%s%s] %3d%%", label.c_str(), std::string(static_cast<size_t>(filled), '#').c_str(),
                 std::string(static_cast<size_t>(kBarCells - filled), '.').c_str(), percent);
    std::fflush(stream);
    drawn = true;
}

void ProgressBar::Finish() {
    if (!drawn) return;
    // Blank the whole line: the label may be longer than what comes next.
    std::fprintf(stream, "\r%*s\r", static_cast<int>(label.size()) + kBarCells + 8, "");
    std::fflush(stream);
    drawn = false;
    lastPercent = -1;
}

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

}  // namespace cli
