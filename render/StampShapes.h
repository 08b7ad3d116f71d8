// render/StampShapes.h: every disc a render can stamp, precomputed as rows of bits, so that a stamp
// is one word-wide OR per row instead of one write per point.
#pragma once

#include "render/BandMask.h"
#include "render/StampDisc.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace render {

class StampShapes {
public:
    // Shapes beyond this radius are rare (settings far outside the dialog's) and are plotted point by
    // point instead of being cached.
    static constexpr int64_t kMaxCachedRadius = 256;

    // Builds the shapes of radius 1..min(maxRadius, kMaxCachedRadius), filled discs when `full`, else
    // the vertical bow-ties. Throws std::bad_alloc when memory is short.
    void Build(int64_t maxRadius, bool full);

    // Stamps the shape for diameter D centred on (cx, cy) into the band: exactly the points that
    // StampDisc plots there.
    void Stamp(BandMask& mask, int64_t cx, int64_t cy, float diameter) const {
        Stamp(mask, cx, cy, diameter, StampRadius(diameter));
    }

    // The same, with `radius` = StampRadius(diameter) already known. Inline: it runs once per sample.
    void Stamp(BandMask& mask, int64_t cx, int64_t cy, float diameter, int64_t radius) const {
        const int64_t n = radius;
        if (n <= 0 || n >= static_cast<int64_t>(shapes.size())) {
            StampUncached(mask, cx, cy, diameter, n);
            return;
        }
        const Shape& shape = shapes[static_cast<size_t>(n)];
        const int64_t firstColumn = cx - n;
        if (shape.wordsPerRow != 1 || firstColumn < 0 || firstColumn >= mask.RowBits()) {
            StampWide(mask, cx, cy, n);
            return;
        }
        const int64_t firstRow = std::max(cy - n, mask.FirstRow());
        const int64_t endRow = std::min(cy + n + 1, mask.EndRow());
        if (firstRow >= endRow) return;
        const uint64_t* rowWords = words.data() + shape.firstWord + static_cast<size_t>(firstRow - (cy - n));
        // A shape row lands in one or two aligned 64-bit words of the mask (bit x of a little-endian
        // word is bit x & 7 of byte x >> 3). Aligned words, unlike unaligned ones, let each stamp's
        // stores feed the next overlapping stamp's loads directly.
        const int shift = static_cast<int>(firstColumn & 63);
        uint8_t* target = mask.Row(firstRow) + (firstColumn >> 6) * 8;
        const int64_t stride = mask.Stride();
        const int64_t rows = endRow - firstRow;
        if (shift + 2 * n + 1 <= 64) {
            for (int64_t i = 0; i < rows; ++i, target += stride) OrWord(target, rowWords[i] << shift);
        } else {
            for (int64_t i = 0; i < rows; ++i, target += stride) {
                OrWord(target, rowWords[i] << shift);
                OrWord(target + 8, rowWords[i] >> (64 - shift));
            }
        }
    }

private:
    static void OrWord(uint8_t* target, uint64_t bits) {
        uint64_t word;
        std::memcpy(&word, target, 8);
        word |= bits;
        std::memcpy(target, &word, 8);
    }
    // Single points, and radii beyond the cache: plotted point by point.
    void StampUncached(BandMask& mask, int64_t cx, int64_t cy, float diameter, int64_t n) const;
    // Shapes wider than a word, or reaching past the row's left end.
    void StampWide(BandMask& mask, int64_t cx, int64_t cy, int64_t n) const;

    struct Shape {
        size_t firstWord = 0;
        int64_t wordsPerRow = 0;
    };
    std::vector<Shape> shapes;  // index = radius
    std::vector<uint64_t> words;
    bool full = false;
};

}  // namespace render
