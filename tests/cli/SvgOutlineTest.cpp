// The outline builder on stamps whose union is known.
#include "cli/SvgOutline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using cli::OutlineCommand;
using cli::StrokeOutliner;
using render::StrokeStamp;

constexpr double kTolerance = 0.1;
constexpr double kHalfUnit = 0.125;

int Count(const std::vector<OutlineCommand>& commands, OutlineCommand::Kind kind) {
    int n = 0;
    for (const OutlineCommand& c : commands) n += c.kind == kind;
    return n;
}

// Every drawn point of the outline lies on the boundary of the stamps' union: no farther from the
// nearest stamp's edge than the tolerance, and on no stamp's inside by more than it.
void ExpectOnTheUnion(const std::vector<OutlineCommand>& commands, const std::vector<StrokeStamp>& stamps) {
    for (const OutlineCommand& c : commands) {
        if (c.kind == OutlineCommand::kClose) continue;
        double nearestOutside = 1e9;
        for (const StrokeStamp& s : stamps)
            nearestOutside = std::min(nearestOutside, std::hypot(c.x - s.x, c.y - s.y) - s.radius);
        EXPECT_NEAR(nearestOutside, 0.0, kTolerance + 1e-6) << c.x << ", " << c.y;
    }
}

TEST(SvgOutline, HorizontalStrokeIsOneSimplifiedCapsule) {
    std::vector<StrokeStamp> stamps;
    for (int i = 0; i <= 80; ++i) stamps.push_back({10.0f + 0.25f * static_cast<float>(i), 5.0f, 1.625f});
    StrokeOutliner outliner(kTolerance, 0.375, false, kHalfUnit);
    std::vector<OutlineCommand> commands;
    outliner.Outline(stamps.data(), stamps.size(), commands);
    EXPECT_EQ(Count(commands, OutlineCommand::kMove), 1);
    EXPECT_EQ(Count(commands, OutlineCommand::kClose), 1);
    EXPECT_LE(commands.size(), 6u);  // two sides and two round ends
    ExpectOnTheUnion(commands, stamps);
}

// Running straight down, a band of the raster's bow-tie stamps is narrower by cos 45 degrees.
TEST(SvgOutline, SteepStrokeIsNarrowedAsTheRasterDrawsIt) {
    std::vector<StrokeStamp> stamps;
    for (int i = 0; i <= 80; ++i) stamps.push_back({5.0f, 10.0f + 0.25f * static_cast<float>(i), 2.125f});
    StrokeOutliner outliner(kTolerance, 0.375, false, kHalfUnit);
    std::vector<OutlineCommand> commands;
    outliner.Outline(stamps.data(), stamps.size(), commands);
    double widest = 0.0;
    for (const OutlineCommand& c : commands)
        if (c.kind != OutlineCommand::kClose) widest = std::max(widest, std::fabs(c.x - 5.0));
    EXPECT_NEAR(widest, 2.0 * std::sqrt(0.5) + kHalfUnit, 0.02);
}

TEST(SvgOutline, BreaksWhereStampsLieApartAndDropsNonFiniteOnes) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<StrokeStamp> stamps = {{0, 0, 1}, {0.25f, 0, 1}, {nan, 0, 1},    {inf, 1, 1},
                                             {6, 0, 1}, {6.25f, 0, 1}, {20, 0, 0.125f}};
    StrokeOutliner outliner(kTolerance, 0.375, false, kHalfUnit);
    std::vector<OutlineCommand> commands;
    outliner.Outline(stamps.data(), stamps.size(), commands);
    EXPECT_EQ(Count(commands, OutlineCommand::kMove), 3);
    for (const OutlineCommand& c : commands) EXPECT_TRUE(std::isfinite(c.x) && std::isfinite(c.y));
}

TEST(SvgOutline, DotsAndJitteredStampsAreOutlinedOneByOne) {
    const std::vector<StrokeStamp> stamps = {{0, 0, 1}, {0.5f, 0, 1}, {1, 0, 0.125f}};
    std::vector<OutlineCommand> commands;
    StrokeOutliner dots(kTolerance, 0.375, true, kHalfUnit);
    dots.Outline(stamps.data(), stamps.size(), commands);
    EXPECT_EQ(Count(commands, OutlineCommand::kMove), 3);
    EXPECT_EQ(Count(commands, OutlineCommand::kArc), 4);  // two circles; the single point is a square
    StrokeOutliner jittered(kTolerance, 0.375, false, kHalfUnit);
    jittered.SetJittered(true);
    jittered.Outline(stamps.data(), stamps.size(), commands);
    EXPECT_EQ(Count(commands, OutlineCommand::kMove), 3);
}

}  // namespace
