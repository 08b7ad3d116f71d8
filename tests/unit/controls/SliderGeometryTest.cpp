#include "controls/SliderGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

using controls::ComputeSliderShape;
using controls::SliderValueFromX;

TEST(SliderValueFromX, TrackEndsGiveTheRangeEnds) {
    EXPECT_FLOAT_EQ(SliderValueFromX(5, 110, 0.0f, 100.0f), 0.0f);
    EXPECT_FLOAT_EQ(SliderValueFromX(105, 110, 0.0f, 100.0f), 100.0f);
    EXPECT_NEAR(SliderValueFromX(55, 110, -180.0f, 180.0f), 0.0f, 1e-4f);
}

TEST(SliderValueFromX, PointerBeyondTheTrackClampsToTheRange) {
    EXPECT_FLOAT_EQ(SliderValueFromX(-200, 110, 5.0f, 100.0f), 5.0f);
    EXPECT_FLOAT_EQ(SliderValueFromX(0, 110, 5.0f, 100.0f), 5.0f);
    EXPECT_FLOAT_EQ(SliderValueFromX(32000, 110, 5.0f, 100.0f), 100.0f);
}

TEST(SliderValueFromX, ValueIsContinuousNotQuantised) {
    // 100 pixels of track over a range of 1: one pixel is a hundredth.
    EXPECT_NEAR(SliderValueFromX(6, 110, 0.0f, 1.0f), 0.01f, 1e-6f);
    // 100 pixels over 0..1000: one pixel is ten units, half-way pixels give fractions.
    EXPECT_NEAR(SliderValueFromX(8, 210, 0.0f, 1000.0f), 15.0f, 1e-4f);
}

TEST(SliderValueFromX, EmptyRangeOrTrackGivesTheMinimumInsteadOfNaN) {
    EXPECT_FLOAT_EQ(SliderValueFromX(5, 110, 7.0f, 7.0f), 7.0f);
    EXPECT_FLOAT_EQ(SliderValueFromX(40, 110, 9.0f, 3.0f), 9.0f);
    EXPECT_FLOAT_EQ(SliderValueFromX(5, 10, 0.0f, 100.0f), 0.0f);
    EXPECT_FLOAT_EQ(SliderValueFromX(3, 4, 0.0f, 100.0f), 0.0f);
}

TEST(SliderShape, TwentyPixelSliderHasTrackFromFiveToTenAndApexAtThirteen) {
    const auto s = ComputeSliderShape(50.0f, 110, 20, 0.0f, 100.0f);
    EXPECT_EQ(s.trackLeft, 5);
    EXPECT_EQ(s.trackRight, 105);
    EXPECT_EQ(s.trackTop, 5);
    EXPECT_EQ(s.trackBottom, 10);
    EXPECT_EQ(s.thumbApexY, 13);
    EXPECT_EQ(s.thumbBaseY, 18);
    EXPECT_EQ(s.thumbX, 55);
}

TEST(SliderShape, VeryLowSliderStillInsetsTheTrack) {
    const auto s = ComputeSliderShape(0.0f, 50, 3, 0.0f, 1.0f);
    EXPECT_EQ(s.trackTop, 1);
}

TEST(SliderShape, ThumbLandsWhereThePointerPutTheValue) {
    for (int width : {50, 110, 173}) {
        for (int x = 5; x <= width - 5; ++x) {
            const float v = SliderValueFromX(x, width, -300.0f, 300.0f);
            EXPECT_EQ(ComputeSliderShape(v, width, 20, -300.0f, 300.0f).thumbX, x) << "width " << width;
        }
    }
}

TEST(SliderShape, FarOffOrUndefinedValuesKeepTheThumbInDrawableRange) {
    EXPECT_LE(std::abs(ComputeSliderShape(1e30f, 110, 20, 0.0f, 100.0f).thumbX), 30000);
    EXPECT_LE(std::abs(ComputeSliderShape(-INFINITY, 110, 20, 0.0f, 100.0f).thumbX), 30000);
    EXPECT_LE(std::abs(ComputeSliderShape(NAN, 110, 20, 0.0f, 100.0f).thumbX), 30000);
}
