#include "cli/StagedProgress.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder : cli::ProgressSink {
    std::vector<int32_t> thousandths;
    void Progress(int32_t done, int32_t total) override { thousandths.push_back(done * 1000 / total); }
};

TEST(StagedProgress, OneBarFromReadingToWritingThatNeverMovesBack) {
    Recorder bar;
    cli::StagedProgress stages(bar);
    using Stage = cli::StagedProgress::Stage;
    stages.Enter(Stage::kReading);
    const imageio::Progress reading = stages.FileProgress();
    reading(2000, 4000);  // files count in their own units
    const int32_t halfRead = bar.thousandths.back();
    stages.Enter(Stage::kEngraving);
    stages.Progress(100, 100);
    const int32_t engraved = bar.thousandths.back();
    stages.Progress(0, 100);  // the plug-in's reset when it ends
    EXPECT_EQ(bar.thousandths.back(), engraved);
    stages.Enter(Stage::kWriting);
    stages.FileProgress()(1, 1);

    EXPECT_GT(halfRead, 0);
    EXPECT_LT(halfRead, engraved);
    EXPECT_LT(engraved, 1000);
    EXPECT_EQ(bar.thousandths.back(), 1000);
    for (size_t i = 1; i < bar.thousandths.size(); ++i) EXPECT_GE(bar.thousandths[i], bar.thousandths[i - 1]);
}

}  // namespace
