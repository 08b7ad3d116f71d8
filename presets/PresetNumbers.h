// presets/PresetNumbers.h: number text of preset files, the same under every process locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "%f" of the C locale: six decimals, no exponent, '-' for negatives, '.' as the point;
// infinities and NaN come out as "inf", "-inf", "nan", "-nan".
std::string FormatFixed6(double value);

// "%d" of the C locale.
std::string FormatDecimal(int32_t value);

// atof of the C locale on `text` (without leading blanks, which callers never pass): the
// longest prefix of the form [-]digits[.digits][(e|E)[-]digits] is converted, correctly
// rounded; no prefix gives 0; magnitudes beyond double give +-infinity, below it +-0.
double ParseReal(std::string_view text);

// strtol in base 10 of the C locale on `text` (an optional '-' and decimal digits), saturated
// to the 32-bit range as with the 32-bit `long` of the Windows plug-in; no digits give 0.
int32_t ParseInteger(std::string_view text);
