// Value <-> pixel mapping of the horizontal slider under each spin edit. The track leaves
// 5 pixels at either end so the thumb's triangle fits at the extremes.
#pragma once

#include "controls/NumberConversions.h"
#include "controls/ValueRules.h"

#include <cmath>
#include <cstdint>

namespace controls {

constexpr int kSliderMarginPx = 5;
constexpr int kThumbHalfWidthPx = 5;

// Pixels per value unit; the track width is taken as a signed 16-bit number like the
// mouse coordinates it is compared with. 0 when the track or the range is empty.
inline float SliderScale(int clientWidth, float minValue, float maxValue) noexcept {
    const int16_t trackPx = static_cast<int16_t>(clientWidth - 2 * kSliderMarginPx);
    const float range = maxValue - minValue;
    if (trackPx <= 0 || !(range > 0.0f) || !std::isfinite(range)) return 0.0f;
    return static_cast<float>(trackPx) / range;
}

// Value under mouse x (client pixels), clamped to the range. The slider does not quantise.
// A degenerate track or range (no scale) answers the minimum instead of dividing by zero.
inline float SliderValueFromX(int x, int clientWidth, float minValue, float maxValue) noexcept {
    const float scale = SliderScale(clientWidth, minValue, maxValue);
    if (scale == 0.0f) return minValue;
    const float v = static_cast<float>(x - kSliderMarginPx) / scale + minValue;
    return ClampToRange(v, minValue, maxValue);
}

struct SliderShape {
    int trackLeft, trackTop, trackRight, trackBottom;  // Rectangle() arguments
    int thumbX;                                        // apex column
    int thumbApexY, thumbBaseY;
};

// Track inset t = h / 4 (at least 1); the thumb is a triangle pointing up at the track.
// Values outside the range draw the thumb outside the track (it is not clamped).
inline SliderShape ComputeSliderShape(float value, int clientWidth, int clientHeight, float minValue,
                                      float maxValue) noexcept {
    const int inset = clientHeight < 4 ? 1 : clientHeight / 4;
    const float scale = SliderScale(clientWidth, minValue, maxValue);
    const double thumb = static_cast<double>((value - minValue) * scale) + kSliderMarginPx + 0.5;
    SliderShape s{};
    s.trackLeft = kSliderMarginPx;
    s.trackTop = inset;
    s.trackRight = clientWidth - kSliderMarginPx;
    s.trackBottom = clientHeight - 2 * inset;
    // Keep far-off values within a range GDI coordinates can carry.
    s.thumbX = TruncToInt32(std::fmax(-30000.0, std::fmin(30000.0, thumb)));
    s.thumbApexY = clientHeight - inset - 2;
    s.thumbBaseY = clientHeight - 2;
    return s;
}

}  // namespace controls
