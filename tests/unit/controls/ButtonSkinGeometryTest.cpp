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

TEST(SkinIdsFor, EveryStateUsesItsOwnThreeBitmapsWithinTheSkinRange) {
    const SkinPieceIds normal = SkinIdsFor(SkinState::kNormal);
    EXPECT_EQ(normal.left, 124);
    EXPECT_EQ(normal.right, 123);
    EXPECT_EQ(normal.middle, 125);
    const SkinPieceIds pressed = SkinIdsFor(SkinState::kPressed);
    EXPECT_EQ(pressed.left, 133);
    EXPECT_EQ(pressed.right, 132);
    EXPECT_EQ(pressed.middle, 134);
    EXPECT_EQ(SkinIdsFor(SkinState::kDefault).left, 127);
    EXPECT_EQ(SkinIdsFor(SkinState::kHot).middle, 131);
}

TEST(SkinnedButtonCaption, KnownIdsGetTheirCaptionAndOthersNone) {
    EXPECT_EQ(std::string(SkinnedButtonCaption(1)), "OK");
    EXPECT_EQ(std::string(SkinnedButtonCaption(1118)), "Save");
    EXPECT_EQ(std::string(SkinnedButtonCaption(1178)), "Get Updates");
    EXPECT_EQ(std::string(SkinnedButtonCaption(4242)), "");
    EXPECT_TRUE(IsDefaultSkinnedButton(1088));
    EXPECT_FALSE(IsDefaultSkinnedButton(2));
}

TEST(IsOutsideButton, EdgesCountAsInsideAndOneBeyondAsOutside) {
    EXPECT_FALSE(IsOutsideButton(0, 0, 40, 19));
    EXPECT_FALSE(IsOutsideButton(40, 19, 40, 19));
    EXPECT_TRUE(IsOutsideButton(41, 5, 40, 19));
    EXPECT_TRUE(IsOutsideButton(5, 20, 40, 19));
    EXPECT_TRUE(IsOutsideButton(-1, 5, 40, 19));
    EXPECT_TRUE(IsOutsideButton(5, -1, 40, 19));
}
