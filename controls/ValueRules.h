// The numeric rules the spin edit and the rotor share: parsing typed text, clamping,
// the 0.01 resolution that decides whether a commit is a change, and the text shown.
#pragma once

#include "controls/NumberConversions.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace controls {

// Typed text as a number: anything atof cannot read is 0, and so is "nan", which atof
// would otherwise turn into a value that no clamp or comparison can hold.
inline float ParseTypedValue(const char* text) noexcept {
    if (text == nullptr) return 0.0f;
    const float v = static_cast<float>(std::atof(text));
    return std::isnan(v) ? 0.0f : v;
}

// Lowered to the maximum first, then raised to the minimum, so a reversed range yields the minimum.
inline float ClampToRange(float v, float minValue, float maxValue) noexcept {
    if (v > maxValue) v = maxValue;
    if (v < minValue) v = minValue;
    return v;
}

// Values count as equal when they agree in hundredths (x 100 + 0.5, truncated toward zero).
inline int64_t Hundredths(float v) noexcept {
    return TruncToInt64(static_cast<double>(v * 100.0f + 0.5f));
}
inline bool DiffersAtHundredths(float a, float b) noexcept {
    return Hundredths(a) != Hundredths(b);
}

// Up-down controls hold 16-bit positions: the low 16 bits of the value truncated to an integer.
inline int16_t UpDownPosition(float v) noexcept {
    return static_cast<int16_t>(static_cast<uint32_t>(TruncToInt32(v)) & 0xFFFF);
}

// "%0.2f", or the value truncated toward zero in integer mode. 64 bytes hold any float.
struct ValueText {
    char text[64];
};
inline ValueText FormatValue(float v, bool integerMode) noexcept {
    ValueText out{};
    if (integerMode) {
        std::snprintf(out.text, sizeof out.text, "%d", static_cast<int>(TruncToInt32(v)));
    } else {
        std::snprintf(out.text, sizeof out.text, "%0.2f", static_cast<double>(v));
    }
    return out;
}

}  // namespace controls
