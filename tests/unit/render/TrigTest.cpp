#include "render/Trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Distance in floats between a result and the true value rounded to float.
int UlpsFromTruth(float result, double truth) {
    const float rounded = static_cast<float>(truth);
    int ulps = 0;
    for (float f = std::min(result, rounded); f < std::max(result, rounded); f = std::nextafter(f, 2.0f)) ++ulps;
    return ulps;
}

}  // namespace

TEST(Trig, MatchesTheTrueValueWithinRoundingOverManyTurns) {
    for (float x = -200.0f; x < 200.0f; x += 0.0137f) {
        float s = 0.0f;
        float c = 0.0f;
        render::SinCosF(x, s, c);
        ASSERT_LE(UlpsFromTruth(s, std::sin(static_cast<double>(x))), 1) << x;
        ASSERT_LE(UlpsFromTruth(c, std::cos(static_cast<double>(x))), 1) << x;
    }
}

TEST(Trig, HugeArgumentsStayInRangeAndNonFiniteOnesGiveNaN) {
    for (float x : {1e9f, -3e20f, 3e38f}) {
        EXPECT_LE(std::fabs(render::SinF(x)), 1.0f) << x;
        EXPECT_LE(std::fabs(render::CosF(x)), 1.0f) << x;
    }
    EXPECT_TRUE(std::isnan(render::SinF(std::numeric_limits<float>::infinity())));
    EXPECT_TRUE(std::isnan(render::CosF(std::numeric_limits<float>::quiet_NaN())));
}

TEST(Trig, SineAndCosineAloneGiveTheBitsOfTheirPair) {
    for (float x = -30.0f; x < 30.0f; x += 0.00731f) {
        float s = 0.0f;
        float c = 0.0f;
        render::SinCosF(x, s, c);
        ASSERT_EQ(render::SinF(x), s) << x;
        ASSERT_EQ(render::CosF(x), c) << x;
    }
}
