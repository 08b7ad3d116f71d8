// cli/StagedProgress.h: reading, engraving and writing one after the other on one progress bar,
// each with its share, so that the bar moves for the whole time a user waits for the file.
#pragma once

#include "cli/PluginRun.h"
#include "imageio/Progress.h"

#include <cstdint>

namespace cli {

class StagedProgress : public ProgressSink {
public:
    enum class Stage { kReading, kEngraving, kWriting };

    // Reports to `bar` in thousandths of the whole; `bar` must outlive this object.
    explicit StagedProgress(ProgressSink& target) : bar(target) {}

    // Starts a stage: its reports fill its share of the bar from where the last stage ended.
    void Enter(Stage stage);
    // Done of total within the current stage. The bar never moves back (the plug-in resets its
    // own progress to 0 when it ends).
    void Progress(int32_t done, int32_t total) override;
    // The same as a function for the image readers and writers.
    imageio::Progress FileProgress();

private:
    ProgressSink& bar;
    int32_t stageStart = 0;
    int32_t stageShare = 0;
    int32_t shown = 0;
};

}  // namespace cli
