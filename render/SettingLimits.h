// render/SettingLimits.h: the ranges the renderer keeps stored settings within. Presets and
// recorded actions arrive unclamped, so the renderer must be safe for any record: a finite value
// is limited to the dialog's range widened by that range's length on each side, so pictures made
// from the dialog never change, slightly out-of-range stored values still render as written, and
// every product stays finite, every float loop advances and every element count stays small
// enough to finish in reasonable time. A test holds these to the dialog's ranges.
#pragma once

namespace render {

struct Range {
    float low;
    float high;
};

constexpr Range Widened(float low, float high) {
    return {low - (high - low), high + (high - low)};
}

struct SettingLimits {
    Range rotation;
    Range space;
    Range offset;
    Range width;
    Range contrast;
    Range randomness;
    Range amplitude;
    Range frequency;
    Range phaseShift;
    Range threshold;
    Range centerX;
    Range centerY;
    Range noise;
    int lastSchema;  // higher schemas and patterns render as the defaults
    int lastPattern;
};

inline constexpr SettingLimits kSettingLimits = {
    // The rotor turns without end; the angle only feeds a sine and a cosine.
    {-1.0e6f, 1.0e6f},           // rotation
    Widened(5.0f, 100.0f),       // space
    Widened(0.0f, 1000.0f),      // offset
    Widened(15.0f, 200.0f),      // width
    Widened(-100.0f, 1000.0f),   // contrast
    Widened(-1000.0f, 1000.0f),  // randomness
    Widened(0.0f, 1000.0f),      // amplitude
    Widened(0.0f, 1000.0f),      // frequency
    Widened(-1000.0f, 1000.0f),  // phaseShift
    Widened(-300.0f, 300.0f),    // threshold
    Widened(-1000.0f, 1000.0f),  // centerX
    Widened(-1000.0f, 1000.0f),  // centerY
    Widened(0.0f, 100.0f),       // noise
    2,                           // lastSchema
    12,                          // lastPattern
};

}  // namespace render
