#include "presets/PresetNumbers.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <system_error>

// std::to_chars / std::from_chars never consult a locale, unlike printf and atof, which follow
// the host process's setlocale (a decimal comma would otherwise change the file).

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Called only for a text from_chars found out of range: decides whether the decimal
// magnitude is above 1 (overflow) or below (underflow), which is all a range error can be.
bool MagnitudeAboveOne(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    int64_t leadingPower = 0;  // power of ten of the first nonzero digit, before the exponent
    bool foundNonzero = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (foundNonzero) {
            ++leadingPower;
        } else if (text[i] != '0') {
            foundNonzero = true;
        }
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            if (foundNonzero) break;
            --leadingPower;
            if (text[i] != '0') foundNonzero = true;
        }
        while (i < text.size() && IsDigit(text[i])) ++i;
    }
    int64_t exponent = 0;
    if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negative = text[i] == '-';
        if (negative) ++i;
        constexpr int64_t kSaturation = int64_t{1} << 40;  // far beyond any double's exponent
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            if (exponent < kSaturation) exponent = exponent * 10 + (text[i] - '0');
        }
        if (negative) exponent = -exponent;
    }
    return leadingPower + exponent >= 0;
}

}  // namespace

std::string FormatFixed6(double value) {
    // The longest "%f" of a double: sign, 309 integer digits, point, six decimals.
    char text[330];
    const std::to_chars_result r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return std::string(text, r.ptr);
}

std::string FormatDecimal(int32_t value) {
    char text[16];
    const std::to_chars_result r = std::to_chars(text, text + sizeof text, value);
    return std::string(text, r.ptr);
}

double ParseReal(std::string_view text) {
    double value = 0.0;
    const char* first = text.data();
    const std::from_chars_result r = std::from_chars(first, first + text.size(), value, std::chars_format::general);
    if (r.ec == std::errc::invalid_argument) return 0.0;
    if (r.ec == std::errc::result_out_of_range) {
        const std::string_view matched(first, static_cast<size_t>(r.ptr - first));
        const bool negative = !matched.empty() && matched[0] == '-';
        const double magnitude = MagnitudeAboveOne(matched) ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -magnitude : magnitude;
    }
    return value;
}

int32_t ParseInteger(std::string_view text) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) i = 1;
    // Accumulate toward the sign so that INT32_MIN itself is reachable.
    int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        value = negative ? value * 10 - digit : value * 10 + digit;
        if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
        if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}
