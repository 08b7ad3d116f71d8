// The numeric rules the spin edit and the rotor share: parsing typed text, clamping,
// the 0.01 resolution that decides whether a commit is a change, and the text shown.
#pragma once

#include "controls/NumberConversions.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace controls {

// Typed text as a number: the longest leading decimal number ("  -12.5e3kg" reads -12500);
// text that does not start with one is 0. Only plain decimal notation counts, so "inf",
// "nan" and hexadecimal read as 0 whatever the C library would make of them. A number too
// large for a float becomes an infinity, which the range clamp then catches.
inline float ParseTypedValue(const char* text) noexcept {
    if (text == nullptr) return 0.0f;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    while (*text == ' ' || *text == '\t') ++text;
    char number[64] = {};
    size_t n = 0;
    auto take = [&](char c) {
        if (n + 1 < sizeof number) number[n++] = c;
    };
    if (*text == '+' || *text == '-') take(*text++);
    bool hasDigits = false;
    while (isDigit(*text)) take(*text++), hasDigits = true;
    if (*text == '.') {
        take(*text++);
        while (isDigit(*text)) take(*text++), hasDigits = true;
    }
    if (!hasDigits) return 0.0f;
    if ((*text == 'e' || *text == 'E') &&
        (isDigit(text[1]) || ((text[1] == '+' || text[1] == '-') && isDigit(text[2])))) {
        take(*text++);
        if (*text == '+' || *text == '-') take(*text++);
        while (isDigit(*text)) take(*text++);
    }
    return static_cast<float>(std::atof(number));
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
