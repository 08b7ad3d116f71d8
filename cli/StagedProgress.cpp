#include "cli/StagedProgress.h"

#include <algorithm>

namespace cli {

namespace {

constexpr int32_t kWhole = 1000;

// Shares of the bar in thousandths, from the times a large photograph takes: reading (inflating
// the file) about a quarter, the plug-in's run a third, compressing and writing the rest.
struct Share {
    int32_t start, size;
};
Share ShareOf(StagedProgress::Stage stage) {
    switch (stage) {
        case StagedProgress::Stage::kReading:
            return {0, 250};
        case StagedProgress::Stage::kEngraving:
            return {250, 350};
        case StagedProgress::Stage::kWriting:
            break;
    }
    return {600, 400};
}

}  // namespace

void StagedProgress::Enter(Stage stage) {
    const Share share = ShareOf(stage);
    stageStart = share.start;
    stageShare = share.size;
    Progress(0, 1);
}

void StagedProgress::Progress(int32_t done, int32_t total) {
    if (total <= 0) return;
    const int64_t within = int64_t{std::clamp(done, 0, total)} * stageShare / total;
    shown = std::max(shown, std::min(kWhole, stageStart + static_cast<int32_t>(within)));
    bar.Progress(shown, kWhole);
}

imageio::Progress StagedProgress::FileProgress() {
    return [this](int64_t done, int64_t total) {
        if (total <= 0) return;
        // Files count in their own units (rows, bytes); only the fraction matters here.
        Progress(static_cast<int32_t>(std::clamp<int64_t>(done, 0, total) * kWhole / total), kWhole);
    };
}

}  // namespace cli
