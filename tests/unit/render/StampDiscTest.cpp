#include "render/StampDisc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <set>
#include <utility>

namespace {

using Points = std::set<std::pair<int64_t, int64_t>>;
constexpr int64_t kWide = int64_t{1} << 40;

Points Stamp(float diameter, bool full, int64_t cx = 0, int64_t cy = 0, int64_t clipW = kWide, int64_t clipH = kWide) {
    Points points;
    render::StampDisc(cx, cy, diameter, full, clipW, clipH, [&points](int64_t x, int64_t y) { points.insert({x, y}); });
    return points;
}

Points Rows(std::initializer_list<const char*> rows) {
    Points points;
    const int64_t half = static_cast<int64_t>(rows.size()) / 2;
    int64_t y = -half;
    for (const char* row : rows) {
        for (int64_t x = 0; row[x] != '\0'; ++x)
            if (row[x] == '#') points.insert({x - half, y});
        ++y;
    }
    return points;
}

TEST(StampDisc, TinyDiametersDrawNothingOrOnePoint) {
    EXPECT_TRUE(Stamp(0.29f, true).empty());
    EXPECT_TRUE(Stamp(-3.0f, true).empty());
    for (float d : {0.3f, 1.0f, 2.0f}) {
        EXPECT_EQ(Stamp(d, true), (Points{{0, 0}})) << d;
        EXPECT_EQ(Stamp(d, false, 5, -7), (Points{{5, -7}})) << d;
    }
}

TEST(StampDisc, FullDiscsHaveTheDocumentedShapes) {
    EXPECT_EQ(Stamp(2.5f, true), Rows({".#.", "###", ".#."}));
    EXPECT_EQ(Stamp(2.01f, true), Rows({".#.", "###", ".#."}));
    EXPECT_EQ(Stamp(4.0f, true), Rows({".###.", "#####", "#####", "#####", ".###."}));
    const Points disc = Stamp(7.0f, true);
    int64_t minX = 0, maxX = 0;
    for (const auto& [x, y] : disc) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        EXPECT_TRUE(disc.count({-x, y}) && disc.count({y, x})) << "not symmetric at " << x << "," << y;
    }
    EXPECT_EQ(maxX - minX + 1, 9);
    // A filled disc: every row is one unbroken run, centred.
    for (int64_t y = -4; y <= 4; ++y) {
        int64_t run = 0;
        while (disc.count({run + 1, y})) ++run;
        for (int64_t x = -run; x <= run; ++x) EXPECT_TRUE(disc.count({x, y})) << x << "," << y;
        EXPECT_FALSE(disc.count({run + 1, y}) || disc.count({-run - 1, y}));
    }
    EXPECT_FALSE(disc.count({0, 5}) || disc.count({0, -5}));
}

TEST(StampDisc, WithoutFullOnlyTheVerticalBowTieIsDrawn) {
    for (float d : {2.5f, 4.0f, 7.0f, 12.0f}) {
        Points expected;
        for (const auto& [x, y] : Stamp(d, true))
            if (std::llabs(x) <= std::llabs(y)) expected.insert({x, y});
        EXPECT_EQ(Stamp(d, false), expected) << d;
    }
}

TEST(StampDisc, ClippingKeepsEveryPointInsideTheClip) {
    // Centres left of, inside and far below a 10 x 6 clip; radii large enough to be clipped.
    const int64_t centres[][2] = {{-20, 3}, {4, 2}, {30, 40}, {-9, -9}};
    for (const auto& c : centres) {
        for (float d : {9.0f, 31.0f, 80.0f}) {
            for (bool full : {false, true}) {
                Points expected;
                for (const auto& p : Stamp(d, full, c[0], c[1]))
                    if (p.first >= 0 && p.first < 10 && p.second >= 0 && p.second < 6) expected.insert(p);
                Points clipped;
                for (const auto& p : Stamp(d, full, c[0], c[1], 10, 6))
                    if (p.first >= 0 && p.first < 10 && p.second >= 0 && p.second < 6) clipped.insert(p);
                EXPECT_EQ(clipped, expected) << c[0] << "," << c[1] << " d=" << d;
            }
        }
    }
}

TEST(StampDisc, NaNDiameterDrawsNothing) {
    EXPECT_TRUE(Stamp(std::numeric_limits<float>::quiet_NaN(), true).empty());
}

}  // namespace
