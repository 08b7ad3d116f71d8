#include "imageio/PngRowFilter.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace imageio {

namespace {

enum FilterType : uint8_t { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

inline uint8_t PaethPredictor(int a, int b, int c) {
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// The first `bpp` bytes have no left neighbour (it counts as 0); the loops are split there so
// the long part runs without a test per byte.
void Apply(uint8_t type, const uint8_t* row, const uint8_t* up, size_t n, size_t bpp, uint8_t* out) {
    switch (type) {
        case kNone:
            std::memcpy(out, row, n);
            return;
        case kSub:
            for (size_t x = 0; x < bpp && x < n; ++x) out[x] = row[x];
            for (size_t x = bpp; x < n; ++x) out[x] = static_cast<uint8_t>(row[x] - row[x - bpp]);
            return;
        case kUp:
            for (size_t x = 0; x < n; ++x) out[x] = static_cast<uint8_t>(row[x] - up[x]);
            return;
        case kAverage:
            for (size_t x = 0; x < bpp && x < n; ++x) out[x] = static_cast<uint8_t>(row[x] - (up[x] >> 1));
            for (size_t x = bpp; x < n; ++x)
                out[x] = static_cast<uint8_t>(row[x] - ((unsigned{row[x - bpp]} + up[x]) >> 1));
            return;
        default:
            for (size_t x = 0; x < bpp && x < n; ++x) out[x] = static_cast<uint8_t>(row[x] - up[x]);
            for (size_t x = bpp; x < n; ++x)
                out[x] = static_cast<uint8_t>(row[x] - PaethPredictor(row[x - bpp], up[x], up[x - bpp]));
            return;
    }
}

// Filtered bytes read as signed, by size: small residues compress best.
uint64_t Cost(const uint8_t* bytes, size_t n) {
    uint64_t sum = 0;
    for (size_t x = 0; x < n; ++x) sum += bytes[x] < 128 ? bytes[x] : 256u - bytes[x];
    return sum;
}

}  // namespace

PngRowFilter::PngRowFilter(size_t bytes, int bytesPerPixel)
    : rowBytes(bytes), bpp(static_cast<size_t>(bytesPerPixel)), trial(bytes), best(bytes), zeros(bytes, 0) {}

void PngRowFilter::Filter(const uint8_t* row, const uint8_t* previous, uint8_t* out) {
    const uint8_t* up = previous != nullptr ? previous : zeros.data();
    uint8_t bestType = kNone;
    uint64_t bestCost = Cost(row, rowBytes);
    for (uint8_t type : {kSub, kUp, kAverage, kPaeth}) {
        Apply(type, row, up, rowBytes, bpp, trial.data());
        const uint64_t cost = Cost(trial.data(), rowBytes);
        if (cost < bestCost) {
            bestCost = cost;
            bestType = type;
            std::swap(trial, best);
        }
    }
    out[0] = bestType;
    std::memcpy(out + 1, bestType == kNone ? row : best.data(), rowBytes);
}

}  // namespace imageio
