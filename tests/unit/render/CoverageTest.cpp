#include "render/Coverage.h"

#include <gtest/gtest.h>

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
