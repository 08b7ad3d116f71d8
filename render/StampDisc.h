// render/StampDisc.h: the disc (or vertical bow-tie) that one sample stamps, point by point.
#pragma once

#include <cmath>
#include <cstdint>

namespace render {

// Radius in points of a disc of diameter D (working units), or -1 when D is too small to draw and
// 0 when it is a single point.
inline int64_t StampRadius(float diameter) {
    if (!(static_cast<double>(diameter) >= 0.3)) return -1;  // NaN draws nothing too
    if (diameter <= 2.0f) return 0;
    return static_cast<int64_t>(static_cast<double>(diameter * 0.5f) + 0.5);
}

// Smallest and largest Euclidean distance (rounded outwards) from (cx, cy) to the points of the
// rectangle [0, clipWidth) x [0, clipHeight).
void DistanceRange(int64_t cx, int64_t cy, int64_t clipWidth, int64_t clipHeight, double& nearest, double& farthest);

// Stamps a disc of diameter `diameter` centred on (cx, cy) through plot(x, y). The disc is built
// from concentric midpoint outlines of radius n..0 in doubled coordinates; `full` draws all eight
// octants (a filled disc), otherwise only |dx| <= |dy| (a vertical bow-tie, enough for a densely
// sampled stroke). Outlines that cannot reach the clip rectangle are skipped, which bounds the work
// of huge stamps without changing a plotted point inside it.
template <class Plot>
void StampDisc(int64_t cx, int64_t cy, float diameter, bool full, int64_t clipWidth, int64_t clipHeight, Plot&& plot) {
    const int64_t n = StampRadius(diameter);
    if (n < 0) return;
    if (n == 0) {
        plot(cx, cy);
        return;
    }
    double nearest = 0.0;
    double farthest = 0.0;
    DistanceRange(cx, cy, clipWidth, clipHeight, nearest, farthest);
    // An outline of radius q plots points between q - 1.5 and q + 0.5 from the centre.
    for (int64_t q = n; q >= 0; --q) {
        if (static_cast<double>(q) - 3.0 > farthest) continue;
        if (static_cast<double>(q) + 3.0 < nearest) break;
        const int64_t t = 2 * q;
        int64_t x = 0;
        int64_t y = t;
        int64_t err = t - 1;
        do {
            const int64_t a = x >> 1;
            const int64_t b = y >> 1;
            if (2 * err < 0) {
                if (2 * err + x < 0) {
                    y = y - 1;
                    err = err + y;
                } else {
                    y = y - 1;
                    x = x + 1;
                    err = err + y - x;
                }
            } else if (2 * err - y < 0) {
                y = y - 1;
                x = x + 1;
                err = err + y - x;
            } else {
                x = x + 1;
                err = err - x;
            }
            plot(cx + a, cy + b);
            if (full) plot(cx + b, cy + a);
            plot(cx - a, cy + b);
            if (full) plot(cx + b, cy - a);
            plot(cx - a, cy - b);
            if (full) plot(cx - b, cy - a);
            plot(cx + a, cy - b);
            if (full) plot(cx - b, cy + a);
        } while (y >= x);
    }
}

}  // namespace render
