// imageio/PngRowFilter.h: PNG's per-row prediction filters, one chosen for each row the way
// libpng chooses by default (the smallest sum of the filtered bytes read as signed values), and
// their reversal for a reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imageio {

class PngRowFilter {
public:
    // `rowBytes` bytes a row as the file stores them (16-bit samples big-endian); `bytesPerPixel`
    // 1 to 8 (whole bytes: the writer never packs samples below 8 bits).
    PngRowFilter(size_t rowBytes, int bytesPerPixel);

    // Writes the filter type and the filtered row to `out` (1 + rowBytes bytes). `previous` is
    // the row above, nullptr for the first row of the image.
    void Filter(const uint8_t* row, const uint8_t* previous, uint8_t* out);

private:
    size_t rowBytes;
    size_t bpp;
    std::vector<uint8_t> trial, best, zeros;
};

// Reverses filter `type` on one row: `filtered` (rowBytes bytes, the type byte already taken
// off) into `out`, with `above` the row above as reconstructed (all zeros for the first row).
// `bytesPerPixel` 1 to 8. False for a type PNG does not define.
bool UnfilterRow(uint8_t type, const uint8_t* filtered, const uint8_t* above, size_t rowBytes, int bytesPerPixel,
                 uint8_t* out);

}  // namespace imageio
