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

// One pixel's bytes (up to 8) widened to 16-bit lanes: the sums and differences the predictors
// take fit without overflow, and a whole pixel is predicted at once. Reconstruction goes pixel by
// pixel, since each one depends on its left neighbour as reconstructed.
typedef uint8_t PixelBytes __attribute__((vector_size(8)));
typedef int16_t PixelLanes __attribute__((vector_size(16)));

// A pixel is moved as 4 or 8 bytes through a general register: `kBytes` may exceed the pixel,
// for all pixels but the last of a row, whose neighbours' bytes are then read and written over
// harmlessly (the next pixel's store follows).
template <size_t kBytes>
PixelLanes LoadPixel(const uint8_t* p) {
    uint64_t word = 0;
    std::memcpy(&word, p, kBytes);
    PixelBytes bytes;
    std::memcpy(&bytes, &word, 8);
    return __builtin_convertvector(bytes, PixelLanes);
}

template <size_t kBytes>
void StorePixel(PixelLanes lanes, uint8_t* p) {
    const PixelBytes bytes = __builtin_convertvector(lanes, PixelBytes);  // modulo 256, as PNG adds
    uint64_t word;
    std::memcpy(&word, &bytes, 8);
    std::memcpy(p, &word, kBytes);
}

inline PixelLanes Abs(PixelLanes v) {
    const PixelLanes negative = v < 0;
    return (v ^ negative) - negative;
}

inline PixelLanes Paeth(PixelLanes a, PixelLanes b, PixelLanes c) {
    const PixelLanes pa = Abs(b - c), pb = Abs(a - c), pc = Abs(a + b - c - c);
    const PixelLanes takeA = (pa <= pb) & (pa <= pc);
    const PixelLanes takeB = ~takeA & (pb <= pc);
    return (a & takeA) | (b & takeB) | (c & ~(takeA | takeB));
}

// Predicts and adds one pixel at a time, `kMove` bytes a move (see LoadPixel).
template <size_t kMove, uint8_t kType>
size_t ReconstructPixels(const uint8_t* in, const uint8_t* up, size_t from, size_t to, size_t bpp, PixelLanes& left,
                         PixelLanes& upLeft, uint8_t* out) {
    size_t x = from;
    for (; x + kMove <= to; x += bpp) {
        const PixelLanes filtered = LoadPixel<kMove>(in + x);
        if constexpr (kType == kSub) {
            left = (filtered + left) & 0xFF;
        } else if constexpr (kType == kAverage) {
            left = (filtered + ((left + LoadPixel<kMove>(up + x)) >> 1)) & 0xFF;
        } else {
            const PixelLanes above = LoadPixel<kMove>(up + x);
            left = (filtered + Paeth(left, above, upLeft)) & 0xFF;
            upLeft = above;
        }
        StorePixel<kMove>(left, out + x);
    }
    return x;
}

// The pixel size is fixed per image; as a constant it lets the loads and stores be plain moves.
// Left of the first pixel counts as 0, which the loop starts from.
template <size_t kBpp, uint8_t kType>
void ReconstructRow(const uint8_t* in, const uint8_t* up, size_t n, uint8_t* out) {
    constexpr size_t kWide = kBpp <= 4 ? 4 : 8;
    PixelLanes left{}, upLeft{};
    // Lanes beyond the pixel carry the neighbours' bytes: only the pixel's own are kept.
    const size_t x = ReconstructPixels<kWide, kType>(in, up, 0, n, kBpp, left, upLeft, out);
    ReconstructPixels<kBpp, kType>(in, up, x, n, kBpp, left, upLeft, out);
}

// Pixels of up to 3 bytes go byte by byte: their few independent chains interleave well enough.
// Wider pixels go a pixel at a time (ReconstructRow), two to three times faster for them.
template <size_t kBpp>
void Reconstruct(uint8_t type, const uint8_t* in, const uint8_t* up, size_t n, uint8_t* out) {
    constexpr bool kWhole = kBpp >= 4;
    const size_t head = kBpp < n ? kBpp : n;
    switch (type) {
        case kNone:
            std::memcpy(out, in, n);
            return;
        case kUp:
            for (size_t x = 0; x < n; ++x) out[x] = static_cast<uint8_t>(in[x] + up[x]);
            return;
        case kSub:
            if constexpr (kWhole) return ReconstructRow<kBpp, kSub>(in, up, n, out);
            for (size_t x = 0; x < head; ++x) out[x] = in[x];
            for (size_t x = kBpp; x < n; ++x) out[x] = static_cast<uint8_t>(in[x] + out[x - kBpp]);
            return;
        case kAverage:
            if constexpr (kWhole) return ReconstructRow<kBpp, kAverage>(in, up, n, out);
            for (size_t x = 0; x < head; ++x) out[x] = static_cast<uint8_t>(in[x] + (up[x] >> 1));
            for (size_t x = kBpp; x < n; ++x)
                out[x] = static_cast<uint8_t>(in[x] + ((unsigned{out[x - kBpp]} + up[x]) >> 1));
            return;
        default:
            if constexpr (kWhole) return ReconstructRow<kBpp, kPaeth>(in, up, n, out);
            for (size_t x = 0; x < head; ++x) out[x] = static_cast<uint8_t>(in[x] + up[x]);
            for (size_t x = kBpp; x < n; ++x)
                out[x] = static_cast<uint8_t>(in[x] + PaethPredictor(out[x - kBpp], up[x], up[x - kBpp]));
            return;
    }
}

}  // namespace

bool UnfilterRow(uint8_t type, const uint8_t* filtered, const uint8_t* above, size_t rowBytes, int bytesPerPixel,
                 uint8_t* out) {
    if (type > kPaeth) return false;
    switch (bytesPerPixel) {
        case 1:
            Reconstruct<1>(type, filtered, above, rowBytes, out);
            return true;
        case 2:
            Reconstruct<2>(type, filtered, above, rowBytes, out);
            return true;
        case 3:
            Reconstruct<3>(type, filtered, above, rowBytes, out);
            return true;
        case 4:
            Reconstruct<4>(type, filtered, above, rowBytes, out);
            return true;
        case 6:
            Reconstruct<6>(type, filtered, above, rowBytes, out);
            return true;
        case 8:
            Reconstruct<8>(type, filtered, above, rowBytes, out);
            return true;
        default:
            return false;
    }
}

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
