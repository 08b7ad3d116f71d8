#include "emulator/RowBuffer.h"

#include "memory/LargePages.h"

#include <cstring>

namespace emulator {

void RowBuffer::Reserve(int32_t newRowBytes, int32_t rows) {
    const size_t wanted = static_cast<size_t>(newRowBytes) * static_cast<size_t>(rows);
    if (wanted != size || bytes == nullptr) {
        // No value-initialisation: the caller writes every byte, so zeroing would only touch
        // each page one more time.
        bytes.reset(new uint8_t[wanted == 0 ? 1 : wanted]);
        memory::AdviseLargePages(bytes.get(), wanted);
        size = wanted;
    }
    rowBytes = newRowBytes;
    inUse = true;
}

void RowBuffer::PadRow(int32_t y, int32_t pixelBytes, uint8_t padding) {
    if (rowBytes > pixelBytes) std::memset(Row(y) + pixelBytes, padding, static_cast<size_t>(rowBytes - pixelBytes));
}

}  // namespace emulator
