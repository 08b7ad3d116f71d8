// Float-to-integer conversions for control arithmetic that never hit undefined behaviour:
// values typed by the user or stored in records may be huge, infinite or NaN.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace controls {

// Truncates toward zero, saturating at the int32 limits; NaN gives 0.
inline int32_t TruncToInt32(double v) noexcept {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// Truncates toward zero, saturating at the int64 limits; NaN gives 0.
inline int64_t TruncToInt64(double v) noexcept {
    if (std::isnan(v)) return 0;
    if (v >= 9.2233720368547748e18) return std::numeric_limits<int64_t>::max();
    if (v <= -9.2233720368547758e18) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(v);
}

// Mouse coordinates arrive as the signed 16-bit halves of a message's lParam.
inline int16_t LowSigned16(uint64_t packed) noexcept {
    return static_cast<int16_t>(packed & 0xFFFF);
}
inline int16_t HighSigned16(uint64_t packed) noexcept {
    return static_cast<int16_t>((packed >> 16) & 0xFFFF);
}

}  // namespace controls
