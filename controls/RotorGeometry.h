// Angle dial geometry: degrees clockwise from twelve o'clock (0 up, 90 right, 180 down,
// 270 left); whole turns accumulate while dragging so the angle is not confined to 0..360.
#pragma once

#include "controls/NumberConversions.h"

#include <cmath>
#include <cstdint>

namespace controls {

constexpr float kDegreesPerRadian = 57.29579143313326f;

// Direction of client point (x, y) seen from the centre (w/2, h/2), in [0, 360).
// A point on the centre row is 90 (right, and the centre itself) or 270 (left).
inline float RotorDirectionDeg(int x, int y, int clientWidth, int clientHeight) noexcept {
    const int cx = clientWidth >> 1;
    const int cy = clientHeight >> 1;
    if (y == cy) return x >= cx ? 90.0f : 270.0f;
    const float q = static_cast<float>(x - cx) / static_cast<float>(y - cy);
    float direction = -std::atan(q) * kDegreesPerRadian;
    if (y > cy) {
        direction += 180.0f;
    } else if (x < cx) {
        direction += 360.0f;
    }
    return direction;
}

// Turn counting for one drag step: only a step across the top from the upper-left quadrant
// (above 300) into the upper-right one (below 90) adds a turn, and the reverse removes one;
// a jump of half a circle, say 280 to 100, counts nothing.
inline float CountTurns(float turns, float previousRawDeg, float rawDeg) noexcept {
    if (previousRawDeg > 300.0f && rawDeg < 90.0f) return turns + 1.0f;
    if (previousRawDeg < 90.0f && rawDeg > 300.0f) return turns - 1.0f;
    return turns;
}

inline float AngleFromTurns(float turns, float rawDeg) noexcept {
    return turns * 360.0f + rawDeg;
}

// The ring's radius: two pixels inside the client width, or inside the height when the
// control is wider than tall, so that the ring is never cut off at the top and bottom.
inline int RotorRadius(int clientWidth, int clientHeight) noexcept {
    return (clientHeight < clientWidth ? clientHeight : clientWidth) / 2 - 2;
}

struct PointPx {
    int x, y;
};

// Where the marker cross sits on the ring for `angleDeg` (any value, turns included).
inline PointPx RotorMarker(float angleDeg, int clientWidth, int clientHeight) noexcept {
    const double t = (180.0 - static_cast<double>(angleDeg)) * 3.141592 / 180.0;
    const int r = RotorRadius(clientWidth, clientHeight);
    if (!std::isfinite(t)) return {clientWidth / 2, clientHeight / 2 - r};
    return {TruncToInt32(std::sin(t) * r + clientWidth / 2), TruncToInt32(std::cos(t) * r + clientHeight / 2)};
}

// Antialiased ellipse around (cx, cy) with radii a, b (pixels, >= 0) at intensity 0..255.
// For each step `plot(x, y, v)` receives one quadrant's pixel and its coverage v
// (may lie outside 0..255; the caller clamps); PlotEllipseMirrored adds the mirrors.
// Two-pixel mode shares the intensity between the pixel on the curve and its neighbour.
template <class PlotQuadrant>
void WalkAntialiasedEllipse(int cx, int cy, int a, int b, int intensity, bool twoPixelMode, PlotQuadrant plot) {
    if (a < 0 || b < 0) return;
    // 64-bit: the error terms grow with the cube of the radius.
    const int64_t a2 = int64_t{a} * a;
    const int64_t b2 = int64_t{b} * b;
    const float length = std::sqrt(static_cast<float>(a2 + b2));
    int x = cx;
    int y = cy + b;
    int64_t err = 0;
    int64_t dx = 0;
    int64_t dy = -2 * a2 * b;
    plot(x, y, intensity);
    if (length <= 0.0f) return;

    const int steps = TruncToInt32(static_cast<double>(static_cast<float>(a2) / length + 0.5f));
    for (int i = 1; i < steps; ++i) {
        x += 1;
        err += dx - b2;
        int y2;
        if (err >= 0) {
            y2 = y + 1;
        } else {
            const int64_t e2 = err - dy - a2;
            if (e2 <= 0) {
                y -= 1;
                dy += 2 * a2;
                err = e2;
                y2 = y - 1;
            } else if (2 * err - dy - a2 < 0) {
                y2 = y;
                y -= 1;
                dy += 2 * a2;
                err = e2;
            } else {
                y2 = y - 1;
            }
        }
        dx -= 2 * b2;
        const int c = dy == 0 ? 0
                              : TruncToInt32(std::fabs(static_cast<float>(err) / static_cast<float>(dy)) *
                                             static_cast<float>(intensity));
        if (twoPixelMode) {
            plot(x, y, intensity - c);
            plot(x, y2, c);
        } else if (y2 < y) {
            plot(x, y, 255);
        } else {
            plot(x, y2, c);
        }
    }

    const int remaining = std::abs(y - cy);
    for (int i = 0; i < remaining; ++i) {
        y -= 1;
        err -= a2 + dy;
        int x2;
        if (err <= 0) {
            x2 = x - 1;
        } else {
            const int64_t e2 = err - b2 + dx;
            if (e2 >= 0) {
                x += 1;
                dx -= 2 * b2;
                err = e2;
                x2 = x + 1;
            } else if (2 * err - b2 + dx > 0) {
                x2 = x;
                x += 1;
                dx -= 2 * b2;
                err = e2;
            } else {
                x2 = x + 1;
            }
        }
        dy += 2 * a2;
        const int c = dx == 0 ? 0
                              : TruncToInt32(std::fabs(static_cast<float>(err) / static_cast<float>(dx)) *
                                             static_cast<float>(intensity));
        if (twoPixelMode) {
            plot(x, y, intensity - c);
            plot(x2, y, c);
        } else if (x2 < x) {
            plot(x, y, 255);
        } else {
            plot(x2, y, c);
        }
    }
}

// Same walk, each quadrant pixel mirrored about both axes through the centre.
template <class Plot>
void PlotEllipseMirrored(int cx, int cy, int a, int b, int intensity, bool twoPixelMode, Plot plot) {
    WalkAntialiasedEllipse(cx, cy, a, b, intensity, twoPixelMode, [&](int x, int y, int v) {
        plot(x, y, v);
        plot(2 * cx - x, y, v);
        plot(x, 2 * cy - y, v);
        plot(2 * cx - x, 2 * cy - y, v);
    });
}

// Colour of a plotted pixel: background x (1 - k) + ring x k per channel, truncated,
// with k = clamp(v, 0, 255) / 255.
inline uint8_t BlendChannel(uint8_t background, uint8_t ring, int coverage) noexcept {
    const int v = coverage < 0 ? 0 : (coverage > 255 ? 255 : coverage);
    const float k = static_cast<float>(v) / 255.0f;
    return static_cast<uint8_t>(static_cast<float>(background) * (1.0f - k) + static_cast<float>(ring) * k);
}

}  // namespace controls
