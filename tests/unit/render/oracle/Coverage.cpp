#include "tests/unit/render/oracle/Coverage.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

namespace oracle {

bool AllocateCoverageBuffers(int32_t width, int32_t height, SubpixelMask& mask, CoverageBuffer& coverage) {
    if (width < 1 || height < 1) return false;
    const int64_t rowBytes = (int64_t{width} + 1) / 2;
    const int64_t maskRows = int64_t{height} * 4;
    // Refuse sizes that do not fit in memory's address range before multiplying.
    const int64_t limit = std::numeric_limits<int64_t>::max() / 4;
    if (rowBytes > limit / maskRows) return false;
    try {
        mask.bits.assign(static_cast<std::size_t>(rowBytes * maskRows), 0);
        coverage.levels.assign(static_cast<std::size_t>(rowBytes * height), 0);
    } catch (const std::bad_alloc&) {
        mask.bits = {};
        coverage.levels = {};
        return false;
    } catch (const std::length_error&) {
        mask.bits = {};
        coverage.levels = {};
        return false;
    }
    mask.rowBytes = rowBytes;
    mask.rows = maskRows;
    coverage.rowBytes = rowBytes;
    coverage.rows = height;
    return true;
}

NibbleCountTable BuildNibbleCountTable() {
    static constexpr uint8_t kNibbleBits[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    NibbleCountTable table{};
    for (int b = 0; b < 256; ++b) {
        table[static_cast<std::size_t>(b)] = static_cast<uint16_t>(kNibbleBits[b >> 4] * 256 + kNibbleBits[b & 15]);
    }
    return table;
}

void ReduceCoverage(const SubpixelMask& mask, const NibbleCountTable& table, CoverageBuffer& coverage) {
    const int64_t rowBytes = mask.rowBytes;
    for (int64_t y = 0; y < coverage.rows; ++y) {
        const uint8_t* r0 = mask.bits.data() + (4 * y) * rowBytes;
        uint8_t* out = coverage.levels.data() + y * rowBytes;
        for (int64_t j = 0; j < rowBytes; ++j) {
            uint16_t s = static_cast<uint16_t>(table[r0[j]] + table[r0[j + rowBytes]] + table[r0[j + 2 * rowBytes]] +
                                               table[r0[j + 3 * rowBytes]]);
            // A count of 16 has bit 4 set in its byte; subtracting it leaves 15.
            s = static_cast<uint16_t>(s - ((s >> 4) & 0x0101));
            out[j] = static_cast<uint8_t>(s + (s >> 4));
        }
    }
}

}  // namespace oracle
