#include "controls/NavigatorGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace controls;

TEST(NavigatorFrameExtent, MainPreviewExtentShrinksByTheScaleAndRounds) {
    EXPECT_EQ(NavigatorFrameExtent(185, 2.5f), 74);
    EXPECT_EQ(NavigatorFrameExtent(100, 3.0f), 33);
    EXPECT_EQ(NavigatorFrameExtent(100, 1.5f), 67);
    EXPECT_EQ(NavigatorFrameExtent(100, 1.0f), 100);
}

TEST(NavigatorFrameExtent, ScaleThatIsNoPositiveNumberCountsAsOne) {
    EXPECT_EQ(NavigatorFrameExtent(100, 0.0f), 100);
    EXPECT_EQ(NavigatorFrameExtent(100, -2.0f), 100);
    EXPECT_EQ(NavigatorFrameExtent(100, NAN), 100);
    EXPECT_EQ(NavigatorFrameExtent(100, INFINITY), 100);
}

TEST(ClampFrameOrigin, PastTheLeftEdgeGoesToZero) {
    EXPECT_EQ(ClampFrameOrigin(-40, 50, 180), 0);
    EXPECT_EQ(ClampFrameOrigin(0, 50, 180), 0);
}

TEST(ClampFrameOrigin, PastTheRightEdgeStopsOnePixelShort) {
    EXPECT_EQ(ClampFrameOrigin(500, 50, 180), 129);
    EXPECT_EQ(ClampFrameOrigin(130, 50, 180), 129);
    EXPECT_EQ(ClampFrameOrigin(129, 50, 180), 129);
    EXPECT_EQ(ClampFrameOrigin(128, 50, 180), 128);
}

TEST(ClampFrameOrigin, FrameLargerThanThePictureEndsNegative) {
    EXPECT_EQ(ClampFrameOrigin(10, 200, 180), -21);
    EXPECT_EQ(ClampFrameOrigin(10, 180, 180), -1);
}

namespace {

struct Picture {
    int width, height;
    std::vector<uint8_t> pixels;
    Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w * h)) {
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 37 + 11);
    }
    void InvertFrame(int px, int py, int fw, int fh) {
        ForEachFrameEdgePixel(px, py, fw, fh, [&](int x, int y) {
            if (x < 0 || y < 0 || x >= width || y >= height) return;
            auto& p = pixels[static_cast<size_t>(y * width + x)];
            p = static_cast<uint8_t>(255 - p);
        });
    }
};

}  // namespace

TEST(ForEachFrameEdgePixel, InversionChangesTheEdgesButLeavesTheCorners) {
    const Picture original(20, 16);
    Picture p = original;
    p.InvertFrame(3, 2, 10, 8);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool onVertical = (x == 3 || x == 13) && y >= 2 && y <= 10;
            const bool onHorizontal = (y == 2 || y == 10) && x >= 3 && x <= 13;
            const bool changed = onVertical != onHorizontal;  // corners are on both: inverted twice
            const size_t i = static_cast<size_t>(y * 20 + x);
            EXPECT_EQ(p.pixels[i] != original.pixels[i], changed) << x << "," << y;
        }
    }
}

TEST(ForEachFrameEdgePixel, DrawingTheFrameTwiceRestoresThePicture) {
    const Picture original(20, 16);
    Picture p = original;
    p.InvertFrame(3, 2, 10, 8);
    p.InvertFrame(3, 2, 10, 8);
    EXPECT_EQ(p.pixels, original.pixels);
}

TEST(ForEachFrameEdgePixel, FramePartlyOutsideThePictureOnlyTouchesWhatIsInside) {
    const Picture original(20, 16);
    Picture p = original;
    p.InvertFrame(-21, -5, 30, 30);
    // Only the right column (x = 9) falls inside; its rows 0..15 change, nothing else does.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 20; ++x) {
            const size_t i = static_cast<size_t>(y * 20 + x);
            EXPECT_EQ(p.pixels[i] != original.pixels[i], x == 9) << x << "," << y;
        }
    }
}

TEST(NonNegative, PointerLeftOfOrAboveThePaneCountsAsZero) {
    EXPECT_EQ(NonNegative(-7), 0);
    EXPECT_EQ(NonNegative(0), 0);
    EXPECT_EQ(NonNegative(12), 12);
}
