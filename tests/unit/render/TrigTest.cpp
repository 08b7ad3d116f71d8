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
    const auto same = [](float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    for (bool pairsOnly : {false, true}) {
        render::LimitTrigBatchesToPairs(pairsOnly);
        for (int count : {1, 2, 3, 7, 256, static_cast<int>(angles.size())}) {
            std::vector<float> sines(static_cast<size_t>(count));
            std::vector<float> pairSines(static_cast<size_t>(count));
            std::vector<float> pairCosines(static_cast<size_t>(count));
            render::SinF(angles.data(), sines.data(), count);
            render::SinCosF(angles.data(), pairSines.data(), pairCosines.data(), count);
            for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
                float s = 0.0f;
                float c = 0.0f;
                render::SinCosF(angles[i], s, c);
                ASSERT_TRUE(same(sines[i], render::SinF(angles[i]))) << angles[i] << " pairs only " << pairsOnly;
                ASSERT_TRUE(same(pairSines[i], s) && same(pairCosines[i], c))
                    << angles[i] << " pairs only " << pairsOnly;
            }
        }
    }
    render::LimitTrigBatchesToPairs(false);
    const float unusual[] = {1.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
    float sines[3];
    float cosines[3];
    render::SinF(unusual, sines, 3);
    EXPECT_EQ(sines[0], render::SinF(1.0f));
    EXPECT_TRUE(std::isnan(sines[1]) && std::isnan(sines[2]));
    render::SinCosF(unusual, sines, cosines, 3);
    EXPECT_EQ(cosines[0], render::CosF(1.0f));
    EXPECT_TRUE(std::isnan(cosines[1]) && std::isnan(cosines[2]));
}
