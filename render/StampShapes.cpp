#include "render/StampShapes.h"

#include "render/StampDisc.h"

#include <algorithm>
#include <cstring>

namespace render {
namespace {

// A clip far larger than any shape: the shapes are built unclipped.
constexpr int64_t kNoClip = int64_t{1} << 40;

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

void StampShapes::StampUncached(BandMask& mask, int64_t cx, int64_t cy, float diameter, int64_t n) const {
    if (n < 0) return;
    if (n == 0) {
        mask.Set(cx, cy);
        return;
    }
    StampDisc(cx, cy, diameter, full, mask.RowBits(), mask.EndRow(), [&mask](int64_t x, int64_t y) { mask.Set(x, y); });
}

void StampShapes::StampWide(BandMask& mask, int64_t cx, int64_t cy, int64_t n) const {
    const Shape& shape = shapes[static_cast<size_t>(n)];
    const int64_t firstRow = std::max(cy - n, mask.FirstRow());
    const int64_t endRow = std::min(cy + n + 1, mask.EndRow());
    const int64_t firstColumn = cx - n;
    if (cx + n < 0 || firstColumn >= mask.RowBits() || firstRow >= endRow) return;
    const uint64_t* rowWords =
        words.data() + shape.firstWord + static_cast<size_t>((firstRow - (cy - n)) * shape.wordsPerRow);
    for (int64_t row = firstRow; row < endRow; ++row, rowWords += shape.wordsPerRow) {
        mask.OrBits(row, firstColumn, rowWords, shape.wordsPerRow);
    }
}

}  // namespace render
