#include "render/StampShapes.h"

#include "render/StampDisc.h"

#include <algorithm>
#include <cstring>

namespace render {
namespace {

// A clip far larger than any shape: the shapes are built unclipped.
constexpr int64_t kNoClip = int64_t{1} << 40;

void OrWord(uint8_t* target, uint64_t bits) {
    uint64_t word;
    std::memcpy(&word, target, 8);
    word |= bits;
    std::memcpy(target, &word, 8);
}

// A diameter whose radius is exactly `radius`.
float DiameterFor(int64_t radius) {
    return static_cast<float>(2 * radius) + 0.5f;
}

}  // namespace

void StampShapes::Build(int64_t maxRadius, bool fullDisc) {
    full = fullDisc;
    const int64_t top = std::min(std::max<int64_t>(maxRadius, 0), kMaxCachedRadius);
    shapes.assign(static_cast<size_t>(top + 1), Shape{});
    words.clear();
    for (int64_t n = 1; n <= top; ++n) {
        const int64_t width = 2 * n + 1;
        Shape shape;
        shape.firstWord = words.size();
        shape.wordsPerRow = (width + 63) / 64;
        words.resize(words.size() + static_cast<size_t>(shape.wordsPerRow * width), 0);
        uint64_t* base = words.data() + shape.firstWord;
        const int64_t wordsPerRow = shape.wordsPerRow;
        StampDisc(n, n, DiameterFor(n), full, kNoClip, kNoClip, [base, wordsPerRow](int64_t x, int64_t y) {
            base[y * wordsPerRow + (x >> 6)] |= uint64_t{1} << (x & 63);
        });
        shapes[static_cast<size_t>(n)] = shape;
    }
}

void StampShapes::Stamp(BandMask& mask, int64_t cx, int64_t cy, float diameter) const {
    const int64_t n = StampRadius(diameter);
    if (n < 0) return;
    if (n == 0) {
        mask.Set(cx, cy);
        return;
    }
    if (n >= static_cast<int64_t>(shapes.size())) {
        StampDisc(cx, cy, diameter, full, mask.RowBits(), mask.EndRow(),
                  [&mask](int64_t x, int64_t y) { mask.Set(x, y); });
        return;
    }
    const Shape& shape = shapes[static_cast<size_t>(n)];
    const int64_t firstRow = std::max(cy - n, mask.FirstRow());
    const int64_t endRow = std::min(cy + n + 1, mask.EndRow());
    const int64_t firstColumn = cx - n;
    if (cx + n < 0 || firstColumn >= mask.RowBits() || firstRow >= endRow) return;
    const uint64_t* rowWords =
        words.data() + shape.firstWord + static_cast<size_t>((firstRow - (cy - n)) * shape.wordsPerRow);
    if (shape.wordsPerRow == 1 && firstColumn >= 0) {
        // The common case: a shape row lands in one or two aligned 64-bit words of the mask (bit x of
        // a little-endian word is bit x & 7 of byte x >> 3). Aligned words, unlike unaligned ones,
        // let each stamp's stores feed the next overlapping stamp's loads directly.
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
        return;
    }
    for (int64_t row = firstRow; row < endRow; ++row, rowWords += shape.wordsPerRow) {
        mask.OrBits(row, firstColumn, rowWords, shape.wordsPerRow);
    }
}

}  // namespace render
