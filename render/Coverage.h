// render/Coverage.h: the antialiasing buffers: a 1-bit mask at four times the resolution in each
// direction, reduced after each pass to 16 coverage levels per pixel, two pixels per byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace render {

// 4H rows of ceil(W/2) bytes; subpixel column x is bit x & 7 (bit 0 leftmost) of byte x >> 3.
struct SubpixelMask {
    int64_t rowBytes = 0;
    int64_t rows = 0;
    std::vector<uint8_t> bits;
};

// H rows of ceil(W/2) bytes; pixel 2j in the low nibble of byte j, pixel 2j + 1 in the high one.
struct CoverageBuffer {
    int64_t rowBytes = 0;
    int64_t rows = 0;
    std::vector<uint8_t> levels;
};

// Sizes both buffers for a W x H pixel area. Returns false when they cannot be allocated (sizes
// overflow or memory is short); nothing is thrown.
bool AllocateCoverageBuffers(int32_t width, int32_t height, SubpixelMask& mask, CoverageBuffer& coverage);

// Points outside the mask are ignored.
inline void SetSubpixel(SubpixelMask& mask, int64_t x, int64_t y) {
    if (x < 0 || y < 0 || y >= mask.rows || (x >> 3) >= mask.rowBytes) return;
    mask.bits[static_cast<std::size_t>(y * mask.rowBytes + (x >> 3))] |= static_cast<uint8_t>(1u << (x & 7));
}

// Entry b: set bits of b's high nibble x 256 + set bits of its low nibble.
using NibbleCountTable = std::array<uint16_t, 256>;
NibbleCountTable BuildNibbleCountTable();

// The coverage byte of one byte column of four mask rows: two pixels, low pixel in the low nibble,
// each the count of its 4 x 4 subpixels, a full 16 stored as 15.
inline uint8_t CoverageByte(const NibbleCountTable& table, uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    auto sum = static_cast<uint16_t>(table[b0] + table[b1] + table[b2] + table[b3]);
    // A count of 16 has bit 4 set in its byte; subtracting it leaves 15.
    sum = static_cast<uint16_t>(sum - ((sum >> 4) & 0x0101));
    return static_cast<uint8_t>(sum + (sum >> 4));
}

// The coverage bytes of four mask rows, as CoverageByte makes them, computed sixteen bytes at a
// time where the processor allows. Returns how many leading bytes it did (a multiple of 16,
// possibly 0); CountCoverageRow does the rest too.
int64_t CountCoverageBytes(const uint8_t* row0, const uint8_t* row1, const uint8_t* row2, const uint8_t* row3,
                           uint8_t* levels, int64_t rowBytes);

// All `rowBytes` coverage bytes of four mask rows.
void CountCoverageRow(const NibbleCountTable& table, const uint8_t* row0, const uint8_t* row1, const uint8_t* row2,
                      const uint8_t* row3, uint8_t* levels, int64_t rowBytes);

// Counts each pixel's 4 x 4 block of set subpixels; a full block (16) is stored as 15.
void ReduceCoverage(const SubpixelMask& mask, const NibbleCountTable& table, CoverageBuffer& coverage);

}  // namespace render
