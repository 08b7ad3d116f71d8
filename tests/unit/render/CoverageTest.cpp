#include "render/Coverage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using render::CoverageBuffer;
using render::SubpixelMask;

struct Buffers {
    SubpixelMask mask;
    CoverageBuffer coverage;
    render::NibbleCountTable table = render::BuildNibbleCountTable();
    Buffers(int32_t w, int32_t h) { EXPECT_TRUE(render::AllocateCoverageBuffers(w, h, mask, coverage)); }

    // Sets `count` subpixels of pixel (px, py)'s 4 x 4 block, row by row.
    void Cover(int px, int py, int count) {
        for (int i = 0; i < count; ++i) render::SetSubpixel(mask, px * 4 + i % 4, py * 4 + i / 4);
    }
    int Level(int px, int py) {
        render::ReduceCoverage(mask, table, coverage);
        const uint8_t byte = coverage.levels[static_cast<std::size_t>(py * coverage.rowBytes + px / 2)];
        return (px & 1) ? byte >> 4 : byte & 15;
    }
};

TEST(ReduceCoverage, CountsEachPixelsSubpixelsIndependently) {
    Buffers b(4, 2);
    b.Cover(0, 0, 3);
    b.Cover(1, 0, 7);
    b.Cover(3, 1, 1);
    EXPECT_EQ(b.Level(0, 0), 3);
    EXPECT_EQ(b.Level(1, 0), 7);
    EXPECT_EQ(b.Level(2, 0), 0);
    EXPECT_EQ(b.Level(3, 1), 1);
}

TEST(ReduceCoverage, FullBlockAndFifteenBothGiveFifteen) {
    Buffers b(2, 1);
    b.Cover(0, 0, 16);
    b.Cover(1, 0, 15);
    EXPECT_EQ(b.Level(0, 0), 15);
    EXPECT_EQ(b.Level(1, 0), 15);
    Buffers both(2, 1);
    both.Cover(0, 0, 16);
    both.Cover(1, 0, 16);
    EXPECT_EQ(both.Level(0, 0), 15);
    EXPECT_EQ(both.Level(1, 0), 15);
}

TEST(SetSubpixel, IgnoresPointsOutsideTheMask) {
    Buffers b(3, 2);  // rows of 2 bytes: 16 subpixel columns, 8 rows
    for (int64_t x : {-1, 16, 1000}) render::SetSubpixel(b.mask, x, 0);
    for (int64_t y : {-1, 8}) render::SetSubpixel(b.mask, 0, y);
    for (uint8_t byte : b.mask.bits) EXPECT_EQ(byte, 0);
    render::SetSubpixel(b.mask, 15, 7);
    EXPECT_EQ(b.mask.bits.back(), 0x80);
}

TEST(NibbleCountTable, HoldsHighNibbleCountTimes256PlusLowNibbleCount) {
    const auto table = render::BuildNibbleCountTable();
    EXPECT_EQ(table[0x00], 0);
    EXPECT_EQ(table[0xFF], 4 * 256 + 4);
    EXPECT_EQ(table[0x1E], 1 * 256 + 3);
}

TEST(AllocateCoverageBuffers, RefusesSizesThatCannotExist) {
    SubpixelMask mask;
    CoverageBuffer coverage;
    EXPECT_FALSE(render::AllocateCoverageBuffers(2147483647, 2147483647, mask, coverage));
    EXPECT_TRUE(mask.bits.empty());
}

}  // namespace

// The wide count gives the table's bytes for every bit pattern, full blocks included, and leaves
// the tail it cannot do to the caller.
TEST(CountCoverageBytes, GivesTheTablesBytes) {
    const render::NibbleCountTable table = render::BuildNibbleCountTable();
    std::vector<uint8_t> rows[4];
    uint32_t state = 99;
    for (auto& row : rows) {
        for (int j = 0; j < 300; ++j) {
            state = state * 1103515245u + 12345u;
            row.push_back(j < 40 ? 0xFF : static_cast<uint8_t>(state >> 16));  // full blocks first
        }
    }
    for (int64_t length : {0, 15, 16, 17, 300}) {
        std::vector<uint8_t> levels(300, 0xEE);
        const int64_t done = render::CountCoverageBytes(rows[0].data(), rows[1].data(), rows[2].data(), rows[3].data(),
                                                        levels.data(), length);
        ASSERT_LE(done, length);
        ASSERT_EQ(done % 16, 0);
#if defined(__SSE2__)
        ASSERT_EQ(done, length / 16 * 16);
#endif
        for (int64_t j = 0; j < done; ++j) {
            uint16_t sum =
                static_cast<uint16_t>(table[rows[0][j]] + table[rows[1][j]] + table[rows[2][j]] + table[rows[3][j]]);
            sum = static_cast<uint16_t>(sum - ((sum >> 4) & 0x0101));
            ASSERT_EQ(levels[j], static_cast<uint8_t>(sum + (sum >> 4))) << "byte " << j;
        }
        for (int64_t j = done; j < 300; ++j) ASSERT_EQ(levels[j], 0xEE);
    }
}
