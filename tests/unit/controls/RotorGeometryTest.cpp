#include "controls/RotorGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>
#include <vector>

using namespace controls;

namespace {
constexpr int kSize = 80;  // client 80 x 80: centre (40, 40)
}

TEST(RotorDirectionDeg, CardinalPointsGiveCardinalAngles) {
    EXPECT_FLOAT_EQ(RotorDirectionDeg(40, 10, kSize, kSize), 0.0f);
    EXPECT_FLOAT_EQ(RotorDirectionDeg(70, 40, kSize, kSize), 90.0f);
    EXPECT_FLOAT_EQ(RotorDirectionDeg(40, 70, kSize, kSize), 180.0f);
    EXPECT_FLOAT_EQ(RotorDirectionDeg(10, 40, kSize, kSize), 270.0f);
}

TEST(RotorDirectionDeg, DiagonalsGiveTheAnglesBetween) {
    EXPECT_NEAR(RotorDirectionDeg(60, 20, kSize, kSize), 45.0f, 1e-4f);
    EXPECT_NEAR(RotorDirectionDeg(60, 60, kSize, kSize), 135.0f, 1e-4f);
    EXPECT_NEAR(RotorDirectionDeg(20, 60, kSize, kSize), 225.0f, 1e-4f);
    EXPECT_NEAR(RotorDirectionDeg(20, 20, kSize, kSize), 315.0f, 1e-4f);
}

TEST(RotorDirectionDeg, CentreRowAndCentreItselfNeedNoDivision) {
    EXPECT_FLOAT_EQ(RotorDirectionDeg(40, 40, kSize, kSize), 90.0f);
    EXPECT_FLOAT_EQ(RotorDirectionDeg(39, 40, kSize, kSize), 270.0f);
    // Odd sizes halve by shifting: centre of 81 x 81 is (40, 40).
    EXPECT_FLOAT_EQ(RotorDirectionDeg(40, 0, 81, 81), 0.0f);
}

TEST(RotorDirectionDeg, EveryPointGivesADirectionInZeroTo360) {
    for (int y = -40; y < 120; y += 3) {
        for (int x = -40; x < 120; x += 3) {
            const float d = RotorDirectionDeg(x, y, kSize, kSize);
            EXPECT_GE(d, 0.0f);
            EXPECT_LT(d, 360.0f);
        }
    }
}

TEST(CountTurns, CrossingTheTopCountsAndJumpsAcrossTheDialDoNot) {
    EXPECT_FLOAT_EQ(CountTurns(0.0f, 350.0f, 10.0f), 1.0f);
    EXPECT_FLOAT_EQ(CountTurns(1.0f, 10.0f, 350.0f), 0.0f);
    EXPECT_FLOAT_EQ(CountTurns(0.0f, 280.0f, 100.0f), 0.0f);
    EXPECT_FLOAT_EQ(CountTurns(0.0f, 100.0f, 280.0f), 0.0f);
    EXPECT_FLOAT_EQ(CountTurns(0.0f, 300.0f, 10.0f), 0.0f);  // 300 itself is not above 300
}

namespace {

// Drags around the dial through `steps` points on a circle of radius 30, starting at the top.
float DragAround(float& turns, float& raw, float fromDeg, float toDeg, int steps) {
    float angle = 0.0f;
    for (int i = 0; i <= steps; ++i) {
        const double deg = fromDeg + (toDeg - fromDeg) * static_cast<double>(i) / steps;
        const double rad = deg * 3.14159265358979 / 180.0;
        const int x = 40 + static_cast<int>(std::lround(30.0 * std::sin(rad)));
        const int y = 40 - static_cast<int>(std::lround(30.0 * std::cos(rad)));
        const float previous = raw;
        raw = RotorDirectionDeg(x, y, kSize, kSize);
        turns = CountTurns(turns, previous, raw);
        angle = AngleFromTurns(turns, raw);
    }
    return angle;
}

}  // namespace

TEST(CountTurns, DraggingClockwisePastTheTopKeepsCountingAndBackReturns) {
    float turns = 0.0f;
    float raw = 0.0f;
    EXPECT_NEAR(DragAround(turns, raw, 0.0f, 359.0f, 72), 359.0f, 2.0f);
    EXPECT_NEAR(DragAround(turns, raw, 360.0f, 380.0f, 4), 380.0f, 2.0f);
    EXPECT_FLOAT_EQ(turns, 1.0f);
    EXPECT_NEAR(DragAround(turns, raw, 380.0f, 350.0f, 6), 350.0f, 2.0f);
    EXPECT_FLOAT_EQ(turns, 0.0f);
}

TEST(RotorMarker, SitsOnTheRingAtTheAngle) {
    const int r = RotorRadius(kSize, kSize);
    EXPECT_EQ(r, 38);
    const PointPx top = RotorMarker(0.0f, kSize, kSize);
    EXPECT_EQ(top.x, 40);
    EXPECT_EQ(top.y, 40 - r);
    const PointPx right = RotorMarker(90.0f, kSize, kSize);
    EXPECT_NEAR(right.x, 40 + r, 1);
    EXPECT_NEAR(right.y, 40, 1);
    const PointPx bottom = RotorMarker(180.0f, kSize, kSize);
    EXPECT_NEAR(bottom.x, 40, 1);
    EXPECT_NEAR(bottom.y, 40 + r, 1);
    const PointPx left = RotorMarker(270.0f, kSize, kSize);
    EXPECT_NEAR(left.x, 40 - r, 1);
    EXPECT_NEAR(left.y, 40, 1);
}

TEST(RotorRadius, RingStaysInsideAControlWiderThanTall) {
    EXPECT_EQ(RotorRadius(90, 120), 43);
    EXPECT_EQ(RotorRadius(90, 80), 38);
    const PointPx bottom = RotorMarker(180.0f, 90, 80);
    EXPECT_LT(bottom.y, 80);
}

TEST(RotorMarker, WholeTurnsLandOnTheSamePlaceAndNonsenseStaysOnTheDial) {
    const PointPx a = RotorMarker(45.0f, kSize, kSize);
    const PointPx b = RotorMarker(45.0f + 720.0f, kSize, kSize);
    EXPECT_NEAR(a.x, b.x, 1);
    EXPECT_NEAR(a.y, b.y, 1);
    EXPECT_GT(a.x, 40);  // upper right
    EXPECT_LT(a.y, 40);
    for (float odd : {NAN, INFINITY, -1e30f}) {
        const PointPx p = RotorMarker(odd, kSize, kSize);
        EXPECT_LE(std::abs(p.x - 40), 38);
        EXPECT_LE(std::abs(p.y - 40), 38);
    }
}

namespace {

std::map<std::pair<int, int>, int> PlotCircle(int radius, bool twoPixelMode) {
    std::map<std::pair<int, int>, int> plotted;
    PlotEllipseMirrored(100, 100, radius, radius, 255, twoPixelMode, [&](int x, int y, int v) { plotted[{x, y}] = v; });
    return plotted;
}

}  // namespace

TEST(PlotEllipseMirrored, InkedPixelsLieWithinAPixelOfTheCircle) {
    for (int radius : {3, 5, 18, 38, 120}) {
        for (const auto& [point, v] : PlotCircle(radius, /*twoPixelMode=*/true)) {
            if (v <= 0) continue;
            const double d = std::hypot(point.first - 100, point.second - 100);
            EXPECT_NEAR(d, radius, 1.5) << "radius " << radius << " at " << point.first << "," << point.second;
        }
    }
}

TEST(PlotEllipseMirrored, RingIsClosedAllAround) {
    // Every direction, sampled finely, finds a well-inked pixel within a pixel of the ideal circle.
    for (int radius : {5, 18, 38, 120}) {
        const auto plotted = PlotCircle(radius, /*twoPixelMode=*/true);
        for (int step = 0; step < 720; ++step) {
            const double t = step * 3.14159265358979 / 360.0;
            const double ix = 100 + radius * std::cos(t);
            const double iy = 100 + radius * std::sin(t);
            int best = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const auto it =
                        plotted.find({static_cast<int>(std::lround(ix)) + dx, static_cast<int>(std::lround(iy)) + dy});
                    if (it != plotted.end()) best = std::max(best, it->second);
                }
            }
            EXPECT_GE(best, 100) << "radius " << radius << " gap near step " << step;
        }
    }
}

TEST(PlotEllipseMirrored, EllipseFollowsBothRadii) {
    std::set<std::pair<int, int>> inked;
    PlotEllipseMirrored(50, 50, 30, 10, 255, /*twoPixelMode=*/true, [&](int x, int y, int v) {
        if (v >= 128) inked.insert({x, y});
    });
    ASSERT_FALSE(inked.empty());
    for (const auto& [x, y] : inked) {
        const double nx = (x - 50) / 30.0;
        const double ny = (y - 50) / 10.0;
        EXPECT_NEAR(std::sqrt(nx * nx + ny * ny), 1.0, 0.16) << x << "," << y;
    }
    EXPECT_TRUE(inked.count({80, 50}) || inked.count({79, 50}));
    EXPECT_TRUE(inked.count({50, 40}) || inked.count({50, 41}));
}

TEST(WalkAntialiasedEllipse, TwoPixelModeSplitsTheIntensityBetweenEachPair) {
    std::vector<int> values;
    WalkAntialiasedEllipse(0, 0, 20, 20, 255, /*twoPixelMode=*/true, [&](int, int, int v) { values.push_back(v); });
    ASSERT_EQ(values.size() % 2, 1u);  // the start pixel, then pairs
    EXPECT_EQ(values[0], 255);
    for (size_t i = 1; i + 1 < values.size(); i += 2) EXPECT_EQ(values[i] + values[i + 1], 255);
}

TEST(WalkAntialiasedEllipse, ZeroRadiusPlotsTheCentreOnly) {
    std::vector<std::pair<int, int>> points;
    WalkAntialiasedEllipse(7, 9, 0, 0, 255, true, [&](int x, int y, int) { points.push_back({x, y}); });
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0], std::make_pair(7, 9));
}

TEST(BlendChannel, CoverageMixesBackgroundIntoRingAndIsClamped) {
    EXPECT_EQ(BlendChannel(232, 0, 0), 232);
    EXPECT_EQ(BlendChannel(232, 0, 255), 0);
    EXPECT_EQ(BlendChannel(232, 0, 128), 115);
    EXPECT_EQ(BlendChannel(232, 0, -40), 232);
    EXPECT_EQ(BlendChannel(232, 0, 9000), 0);
}
