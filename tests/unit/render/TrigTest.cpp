#include "render/Trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

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

// The batch gives the single-angle bits for every angle, odd counts and unusual angles included,
// which a picture's bytes depend on.
TEST(Trig, BatchesGiveTheSingleAngleBits) {
    std::vector<float> angles;
    uint32_t state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        const float unit = static_cast<float>(state >> 8) / 16777216.0f;
        const float scale = i % 3 == 0 ? 4.0f : (i % 3 == 1 ? 1000.0f : 3.0e6f);
        angles.push_back((unit - 0.5f) * 2.0f * scale);
    }
    for (float special : {0.0f, -0.0f, 0.78539819f, -0.78539819f, 2.3561945f, 1.0e8f, -1.0e8f, 1.5e8f, 3.0e38f})
        angles.push_back(special);
    for (int count : {1, 2, 7, 256, static_cast<int>(angles.size())}) {
        std::vector<float> sines(static_cast<size_t>(count));
        render::SinF(angles.data(), sines.data(), count);
        for (int i = 0; i < count; ++i) {
            const float single = render::SinF(angles[static_cast<size_t>(i)]);
            ASSERT_EQ(std::memcmp(&sines[static_cast<size_t>(i)], &single, sizeof single), 0) << angles[i];
        }
    }
    const float unusual[] = {1.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
    float sines[3];
    render::SinF(unusual, sines, 3);
    EXPECT_EQ(sines[0], render::SinF(1.0f));
    EXPECT_TRUE(std::isnan(sines[1]) && std::isnan(sines[2]));
}
