// render/StampShapes.h: every disc a render can stamp, precomputed as rows of bits, so that a stamp
// is one word-wide OR per row instead of one write per point.
#pragma once

#include "render/BandMask.h"

#include <cstdint>
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
    void Stamp(BandMask& mask, int64_t cx, int64_t cy, float diameter) const;

private:
    struct Shape {
        size_t firstWord = 0;
        int64_t wordsPerRow = 0;
    };
    std::vector<Shape> shapes;  // index = radius
    std::vector<uint64_t> words;
    bool full = false;
};

}  // namespace render
