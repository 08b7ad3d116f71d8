#include "presets/PresetNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

// The test process runs in the classic "C" locale, where printf and strtod are the reference.

TEST(PresetNumbers, FixedFormatMatchesPrintfForFloats) {
    std::mt19937 random(7);
    std::uniform_int_distribution<uint32_t> bits;
    std::vector<float> values = {0.0f, -0.0f, 30.0f, -45.5f, 0.1f, 1e-7f, 5e-7f, -1000.0f, 3.4028235e38f};
    for (int i = 0; i < 2000; ++i) {
        const uint32_t b = bits(random);
        float f;
        std::memcpy(&f, &b, sizeof f);
        if (std::isfinite(f)) values.push_back(f);
    }
    for (float v : values) {
        char expected[400];
        std::snprintf(expected, sizeof expected, "%f", static_cast<double>(v));
        EXPECT_EQ(FormatFixed6(static_cast<double>(v)), expected) << v;
    }
}

TEST(PresetNumbers, RealParseMatchesStrtodOnEveryScannableToken) {
    const char* tokens[] = {"-45.5",
                            "30",
                            "0,5",
                            "1,5e3",
                            "",
                            "-",
                            ".5",
                            "-.5e2",
                            "5.",
                            "1e",
                            "1e-",
                            "1e-3",
                            "1E+3",
                            "00012.500",
                            "1e999",
                            "-1e999",
                            "1e-400",
                            "-1e-400",
                            "1e-320",
                            "0.000000000000000000000000000000000000000000000000001e-300",
                            "1-2",
                            "e5",
                            ".",
                            "179769313486231580793728971405303415079934132710037826936173778980444968292764750946649"
                            "0e-1"};
    for (const char* token : tokens) {
        const double expected = std::strtod(token, nullptr);
        const double actual = ParseReal(token);
        EXPECT_EQ(std::memcmp(&expected, &actual, sizeof expected), 0) << token << " gave " << actual;
    }
    // No conversion at all gives +0 (one C runtime answers -0 for a doubled sign).
    EXPECT_FALSE(std::signbit(ParseReal("--5")));
}

TEST(PresetNumbers, IntegerParseStopsAtTheFirstNonDigitAndSaturatesAt32Bits) {
    EXPECT_EQ(ParseInteger("256"), 256);
    EXPECT_EQ(ParseInteger("-1"), -1);
    EXPECT_EQ(ParseInteger("12.7"), 12);
    EXPECT_EQ(ParseInteger("1e5"), 1);
    EXPECT_EQ(ParseInteger(""), 0);
    EXPECT_EQ(ParseInteger("-"), 0);
    EXPECT_EQ(ParseInteger("--3"), 0);
    EXPECT_EQ(ParseInteger("-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ParseInteger("2147483648"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ParseInteger("99999999999999999999999"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ParseInteger("-99999999999999999999999"), std::numeric_limits<int32_t>::min());
}
