// The shortcuts of the fast renderer against the slow operations they replace.
#include "render/BandMask.h"
#include "render/FloatAccumulator.h"
#include "render/RandomGenerator.h"
#include "render/StampDisc.h"
#include "render/StampShapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <set>
#include <utility>

namespace {

// Performs the additions one by one and compares every value, bit for bit.
void ExpectSameAsAdding(float start, float step, int64_t count) {
    render::FloatAccumulator acc;
    ASSERT_TRUE(acc.Build(start, step, count));
    float x = start;
    for (int64_t k = 0; k < count; ++k) {
        const float at = acc.At(k);
        ASSERT_EQ(std::memcmp(&at, &x, sizeof x), 0) << "start " << start << " step " << step << " k " << k;
        x += step;
    }
}

TEST(FloatAccumulator, GivesTheValuesOfRepeatedAdditionBitForBit) {
    ExpectSameAsAdding(0.0f, 0.1f, 20000);
    ExpectSameAsAdding(-3000.25f, 0.8660254f, 9000);
    ExpectSameAsAdding(12000.0f, -0.49999997f, 30000);
    ExpectSameAsAdding(5.0f, 1.0f, 100);
    ExpectSameAsAdding(-0.3f, 0.0f, 10);
    ExpectSameAsAdding(16777216.0f, 1.0f, 50);  // steps that round to nothing
    ExpectSameAsAdding(8388607.5f, 0.25f, 50);  // ties at a binade crossing
    std::mt19937 rng(5);
    for (int i = 0; i < 200; ++i) {
        const float start = std::uniform_real_distribution<float>(-40000.0f, 40000.0f)(rng);
        const float step = std::uniform_real_distribution<float>(-3.0f, 3.0f)(rng);
        ExpectSameAsAdding(start, step, 3000);
        if (HasFatalFailure()) return;
    }
}

TEST(FloatAccumulator, FindsTheFirstIndexReachingOrPassingABound) {
    render::FloatAccumulator up;
    ASSERT_TRUE(up.Build(0.0f, 0.5f, 100));
    EXPECT_EQ(up.FirstReaching(10.0), 20);
    EXPECT_EQ(up.FirstPassing(10.0), 21);
    EXPECT_EQ(up.FirstReaching(1000.0), 100);
    render::FloatAccumulator down;
    ASSERT_TRUE(down.Build(10.0f, -0.5f, 100));
    EXPECT_EQ(down.FirstReaching(5.0), 10);
    EXPECT_EQ(down.FirstPassing(5.0), 11);
}

TEST(FloatAccumulator, ReportsWhereTheStepStopsMovingTheValue) {
    render::FloatAccumulator acc;
    ASSERT_TRUE(acc.Build(16777000.0f, 0.4f, 1000));
    EXPECT_EQ(acc.FirstStuck(), 0);
    ASSERT_TRUE(acc.Build(1.0f, 0.25f, 1000));
    EXPECT_EQ(acc.FirstStuck(), 1000);
}

TEST(FloatAccumulator, GivesUpCleanlyOnSequencesOfRoundingTies) {
    render::FloatAccumulator acc;
    // Half-ulp steps tie on every addition: one run per element, too many to describe.
    EXPECT_FALSE(acc.Build(8388608.0f, 0.5f, 40000));
    EXPECT_EQ(acc.Count(), 0);
}

TEST(RandomGenerator, SkipMatchesDrawingOneByOne) {
    for (uint64_t count : {0ull, 1ull, 2ull, 7ull, 1000ull, 123457ull}) {
        render::RandomGenerator stepped(0);
        render::RandomGenerator skipped(0);
        for (uint64_t i = 0; i < count; ++i) stepped.Next();
        skipped.Skip(count);
        EXPECT_EQ(skipped.State(), stepped.State()) << count;
    }
}

using Points = std::set<std::pair<int64_t, int64_t>>;

Points MaskPoints(const render::BandMask& mask, int64_t firstRow, int64_t rows) {
    Points points;
    for (int64_t y = firstRow; y < firstRow + rows; ++y)
        for (int64_t x = 0; x < mask.RowBits(); ++x)
            if ((mask.Row(y)[x >> 3] >> (x & 7)) & 1) points.insert({x, y});
    return points;
}

TEST(StampShapes, SetExactlyTheDiscPointsInsideTheBand) {
    for (bool full : {false, true}) {
        render::StampShapes shapes;
        shapes.Build(/*maxRadius=*/40, full);
        render::BandMask mask;
        mask.Allocate(/*rowBytes=*/13, /*maxRows=*/20);
        // Centres inside, at the edges and outside a band of rows 30..49 and 104 columns; diameters
        // from a point to beyond the cached radii.
        const int64_t centres[][2] = {{0, 30}, {50, 40}, {103, 49}, {-5, 28}, {110, 52}, {60, 75}, {63, 39}, {64, 39}};
        for (const auto& c : centres) {
            for (float d : {0.2f, 1.0f, 2.5f, 9.0f, 17.0f, 57.0f, 130.0f}) {
                mask.Reset(30, 20);
                shapes.Stamp(mask, c[0], c[1], d);
                Points expected;
                render::StampDisc(c[0], c[1], d, full, int64_t{1} << 40, int64_t{1} << 40,
                                  [&expected](int64_t x, int64_t y) {
                                      if (x >= 0 && x < 104 && y >= 30 && y < 50) expected.insert({x, y});
                                  });
                EXPECT_EQ(MaskPoints(mask, 30, 20), expected) << c[0] << "," << c[1] << " d=" << d << " full=" << full;
            }
        }
    }
}

TEST(BandMask, WordWritesNearTheRowEndsNeverReachAnotherRow) {
    render::BandMask mask;
    mask.Allocate(/*rowBytes=*/3, /*maxRows=*/3);
    mask.Reset(0, 3);
    const uint64_t ones[2] = {~uint64_t{0}, ~uint64_t{0}};
    mask.OrBits(1, -63, ones, 2);
    mask.OrBits(1, 23, ones, 2);
    for (int64_t y : {0, 2})
        for (int64_t b = 0; b < 3; ++b) EXPECT_EQ(mask.Row(y)[b], 0) << y << " " << b;
    for (int64_t b = 0; b < 3; ++b) EXPECT_EQ(mask.Row(1)[b], 0xFF);
}

}  // namespace
