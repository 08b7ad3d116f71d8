#include "controls/ButtonSkinGeometry.h"

#include <gtest/gtest.h>

#include <string>

using namespace controls;

TEST(ComputeSkinLayout, HundredPixelButtonGetsSixtyFourPixelMiddleBetweenItsCaps) {
    const auto s = ComputeSkinLayout(100);
    EXPECT_EQ(s.leftCapX, 0);
    EXPECT_EQ(s.middleX, 18);
    EXPECT_EQ(s.middleWidth, 64);
    EXPECT_EQ(s.rightCapX, 82);
    EXPECT_EQ(s.middleX + s.middleWidth, s.rightCapX);
}

TEST(ComputeSkinLayout, ButtonNarrowerThanBothCapsGetsNoMiddle) {
    EXPECT_EQ(ComputeSkinLayout(36).middleWidth, 0);
    EXPECT_EQ(ComputeSkinLayout(20).middleWidth, 0);
    EXPECT_EQ(ComputeSkinLayout(20).rightCapX, 2);
}

TEST(ChooseSkin, DisabledButtonShowsTheNormalSkinWhateverElseHolds) {
    EXPECT_EQ(ChooseSkin(true, true, true, true), SkinState::kNormal);
    EXPECT_EQ(ChooseSkin(true, false, true, false), SkinState::kNormal);
}

TEST(ChooseSkin, PressBeatsHoverAndHoverBeatsDefault) {
    EXPECT_EQ(ChooseSkin(false, true, true, true), SkinState::kPressed);
    EXPECT_EQ(ChooseSkin(false, false, true, true), SkinState::kHot);
    EXPECT_EQ(ChooseSkin(false, false, false, true), SkinState::kDefault);
    EXPECT_EQ(ChooseSkin(false, false, false, false), SkinState::kNormal);
}

TEST(IsOutsideButton, EdgesCountAsInsideAndOneBeyondAsOutside) {
    EXPECT_FALSE(IsOutsideButton(0, 0, 40, 19));
    EXPECT_FALSE(IsOutsideButton(40, 19, 40, 19));
    EXPECT_TRUE(IsOutsideButton(41, 5, 40, 19));
    EXPECT_TRUE(IsOutsideButton(5, 20, 40, 19));
    EXPECT_TRUE(IsOutsideButton(-1, 5, 40, 19));
    EXPECT_TRUE(IsOutsideButton(5, -1, 40, 19));
}
