// render/BandMask.h: the bit mask of one horizontal band of the area, the unit a worker stamps into,
// with spare bytes around each row so that word-wide writes near its ends stay inside the row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace render {

class BandMask {
public:
    static constexpr int64_t kLeftPad = 8;
    static constexpr int64_t kRightPad = 24;  // room for a word-aligned write past the last byte

    // Rows of `rowBytes` bytes each (bit x & 7 of byte x >> 3 is column x), for at most `maxRows`
    // rows. Throws std::bad_alloc when memory is short.
    void Allocate(int64_t rowBytes, int64_t maxRows);

    // Starts a band covering global rows [firstRow, firstRow + rows) with every bit clear.
    void Reset(int64_t firstRow, int64_t rows);

    int64_t FirstRow() const { return firstRow; }
    int64_t EndRow() const { return firstRow + rows; }
    int64_t RowBytes() const { return rowBytes; }
    int64_t RowBits() const { return rowBytes * 8; }
    int64_t Stride() const { return stride; }
    uint8_t* Row(int64_t globalRow) { return storage.data() + (globalRow - firstRow) * stride + kLeftPad; }
    const uint8_t* Row(int64_t globalRow) const { return storage.data() + (globalRow - firstRow) * stride + kLeftPad; }

    // Sets column x of a global row; points outside the band or the row are ignored.
    void Set(int64_t x, int64_t globalRow) {
        if (globalRow < firstRow || globalRow >= firstRow + rows || x < 0 || x >= rowBytes * 8) return;
        Row(globalRow)[x >> 3] |= static_cast<uint8_t>(1u << (x & 7));
    }

    // ORs `wordCount` 64-bit words (bit 0 first) into a row starting at column `firstColumn`. Bits that
    // fall outside [0, RowBits()) may land in the row's spare bytes but never in another row.
    void OrBits(int64_t globalRow, int64_t firstColumn, const uint64_t* words, int64_t wordCount) {
        uint8_t* row = Row(globalRow);
        const int64_t rowBits = rowBytes * 8;
        for (int64_t i = 0; i < wordCount; ++i) {
            const uint64_t w = words[i];
            const int64_t column = firstColumn + 64 * i;
            if (w == 0 || column <= -64 || column >= rowBits) continue;
            const int64_t byte = column >= 0 ? column >> 3 : -((-column + 7) >> 3);
            const int shift = static_cast<int>(column - byte * 8);
            uint64_t current;
            std::memcpy(&current, row + byte, 8);
            current |= w << shift;
            std::memcpy(row + byte, &current, 8);
            if (shift != 0) row[byte + 8] |= static_cast<uint8_t>(w >> (64 - shift));
        }
    }

private:
    std::vector<uint8_t> storage;
    int64_t rowBytes = 0;
    int64_t stride = 0;
    int64_t firstRow = 0;
    int64_t rows = 0;
};

}  // namespace render
