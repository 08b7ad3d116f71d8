#include "render/BandMask.h"

namespace render {

void BandMask::Allocate(int64_t bytesPerRow, int64_t maxRows) {
    rowBytes = bytesPerRow;
    // Rows start 8-byte aligned (the vector's storage is) so that word-aligned columns are aligned.
    stride = kLeftPad + ((bytesPerRow + kRightPad + 7) / 8) * 8;
    storage.assign(static_cast<size_t>(stride * maxRows), 0);
    firstRow = 0;
    rows = 0;
}

void BandMask::Reset(int64_t bandFirstRow, int64_t bandRows) {
    firstRow = bandFirstRow;
    rows = bandRows;
    std::memset(storage.data(), 0, static_cast<size_t>(stride * bandRows));
}

}  // namespace render
