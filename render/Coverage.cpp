#include "render/Coverage.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace render {

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
        for (int64_t j = 0; j < rowBytes; ++j)
            out[j] = CoverageByte(table, r0[j], r0[j + rowBytes], r0[j + 2 * rowBytes], r0[j + 3 * rowBytes]);
    }
}

#if defined(__SSE2__)
int64_t CountCoverageBytes(const uint8_t* r0, const uint8_t* r1, const uint8_t* r2, const uint8_t* r3, uint8_t* levels,
                           int64_t rowBytes) {
    const __m128i m55 = _mm_set1_epi8(0x55);
    const __m128i m33 = _mm_set1_epi8(0x33);
    const __m128i m0f = _mm_set1_epi8(0x0F);
    const __m128i fifteen = _mm_set1_epi8(15);
    // Each nibble's own bit count, still in its nibble (at most 4).
    const auto nibbleCounts = [&](const uint8_t* row) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
        const __m128i pairs = _mm_sub_epi8(x, _mm_and_si128(_mm_srli_epi16(x, 1), m55));
        return _mm_add_epi8(_mm_and_si128(pairs, m33), _mm_and_si128(_mm_srli_epi16(pairs, 2), m33));
    };
    int64_t j = 0;
    for (; j + 16 <= rowBytes; j += 16) {
        const __m128i c0 = nibbleCounts(r0 + j);
        const __m128i c1 = nibbleCounts(r1 + j);
        const __m128i c2 = nibbleCounts(r2 + j);
        const __m128i c3 = nibbleCounts(r3 + j);
        // Sums of up to 16 need five bits: add the low and the high nibbles in separate bytes.
        const __m128i low = _mm_add_epi8(_mm_add_epi8(_mm_and_si128(c0, m0f), _mm_and_si128(c1, m0f)),
                                         _mm_add_epi8(_mm_and_si128(c2, m0f), _mm_and_si128(c3, m0f)));
        const auto high4 = [&](__m128i c) { return _mm_and_si128(_mm_srli_epi16(c, 4), m0f); };
        const __m128i high = _mm_add_epi8(_mm_add_epi8(high4(c0), high4(c1)), _mm_add_epi8(high4(c2), high4(c3)));
        const __m128i lowCapped = _mm_min_epu8(low, fifteen);
        const __m128i highCapped = _mm_min_epu8(high, fifteen);
        const __m128i packed =
            _mm_or_si128(lowCapped, _mm_and_si128(_mm_slli_epi16(highCapped, 4), _mm_set1_epi8(-16)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(levels + j), packed);
    }
    return j;
}
#else
int64_t CountCoverageBytes(const uint8_t*, const uint8_t*, const uint8_t*, const uint8_t*, uint8_t*, int64_t) {
    return 0;
}
#endif

void CountCoverageRow(const NibbleCountTable& table, const uint8_t* r0, const uint8_t* r1, const uint8_t* r2,
                      const uint8_t* r3, uint8_t* levels, int64_t rowBytes) {
    for (int64_t j = CountCoverageBytes(r0, r1, r2, r3, levels, rowBytes); j < rowBytes; ++j)
        levels[j] = CoverageByte(table, r0[j], r1[j], r2[j], r3[j]);
}

}  // namespace render
