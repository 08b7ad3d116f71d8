#include "render/PositionBatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

// Positions around every kind of edge: integers and the floats next to them, halves, quarters,
// negatives (where truncation and flooring part), zeros of both signs, the largest allowed.
std::vector<float> EdgePositions() {
    std::vector<float> positions = {0.0f, -0.0f, 1e-40f, -1e-40f, 1073741760.0f, -1073741760.0f};
    for (float base = -9.0f; base <= 9.0f; base += 0.25f) {
        positions.push_back(base);
        positions.push_back(std::nextafter(base, -100.0f));
        positions.push_back(std::nextafter(base, 100.0f));
    }
    for (float far : {16383.75f, 24000.5f, -2.5e6f, 8388607.5f, 3.3e7f}) positions.push_back(far);
    return positions;
}

}  // namespace

// The batch results equal the one-at-a-time conversions the renderer's other walks use, for every
// batch length (the four-lane part and the rest).
TEST(PositionBatch, CentresAndSourceCoordinatesMatchTheConversionsThroughDoubles) {
    const std::vector<float> all = EdgePositions();
    for (size_t count = 0; count <= 9; ++count) {
        for (size_t first = 0; first + count <= all.size(); first += 3) {
            const float* positions = all.data() + first;
            const int n = static_cast<int>(count);
            std::vector<int32_t> centres(count + 1), coarse(count + 1), fine(count + 1);
            ASSERT_TRUE(render::StampCentres(positions, centres.data(), n));
            render::SourceCoordinates(positions, 0.25f, coarse.data(), n);
            render::SourceCoordinates(positions, 1.0f, fine.data(), n);
            for (size_t i = 0; i < count; ++i) {
                const float p = positions[i];
                EXPECT_EQ(centres[i], static_cast<int64_t>(static_cast<double>(p))) << p;
                EXPECT_EQ(coarse[i], static_cast<int64_t>(static_cast<double>(p * 0.25f) + 0.5)) << p;
                EXPECT_EQ(fine[i], static_cast<int64_t>(static_cast<double>(p) + 0.5)) << p;
            }
        }
    }
}

TEST(PositionBatch, FarOrUndefinedPositionsAreLeftToTheCaller) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const float odd : {1073741824.0f, -1073741824.0f, 3e38f, std::numeric_limits<float>::infinity(), nan}) {
        for (int at = 0; at < 7; ++at) {
            std::vector<float> positions(7, 12.5f);
            positions[static_cast<size_t>(at)] = odd;
            std::vector<int32_t> centres(7);
            EXPECT_FALSE(render::StampCentres(positions.data(), centres.data(), 7)) << odd << " at " << at;
        }
    }
}
