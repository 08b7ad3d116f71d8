#include "controls/ValueRules.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>

using namespace controls;

TEST(ParseTypedValue, TextThatIsNoNumberReadsAsZero) {
    EXPECT_FLOAT_EQ(ParseTypedValue("abc"), 0.0f);
    EXPECT_FLOAT_EQ(ParseTypedValue(""), 0.0f);
    EXPECT_FLOAT_EQ(ParseTypedValue(nullptr), 0.0f);
    EXPECT_FLOAT_EQ(ParseTypedValue("nan"), 0.0f);
    EXPECT_FLOAT_EQ(ParseTypedValue("12.5kg"), 12.5f);
}

TEST(ParseTypedValue, InfinityStaysForTheClampToCatch) {
    EXPECT_FLOAT_EQ(ClampToRange(ParseTypedValue("inf"), 0.0f, 100.0f), 100.0f);
    EXPECT_FLOAT_EQ(ClampToRange(ParseTypedValue("-inf"), 0.0f, 100.0f), 0.0f);
    EXPECT_FLOAT_EQ(ClampToRange(ParseTypedValue("1e300"), -5.0f, 5.0f), 5.0f);
}

TEST(ClampToRange, ReversedRangeEndsAtTheMinimum) {
    EXPECT_FLOAT_EQ(ClampToRange(50.0f, 10.0f, 5.0f), 10.0f);
    EXPECT_FLOAT_EQ(ClampToRange(-50.0f, 10.0f, 5.0f), 10.0f);
    EXPECT_FLOAT_EQ(ClampToRange(7.5f, 5.0f, 10.0f), 7.5f);
}

TEST(DiffersAtHundredths, ChangesBelowAHundredthAreNotChanges) {
    EXPECT_FALSE(DiffersAtHundredths(12.5f, 12.501f));
    EXPECT_FALSE(DiffersAtHundredths(12.5f, 12.504f));
    EXPECT_TRUE(DiffersAtHundredths(12.5f, 12.51f));
    EXPECT_TRUE(DiffersAtHundredths(12.5f, 12.49f));
    EXPECT_TRUE(DiffersAtHundredths(45.0f, 0.0f));
}

TEST(DiffersAtHundredths, HugeAndInfiniteValuesCompareWithoutOverflow) {
    EXPECT_FALSE(DiffersAtHundredths(1e30f, 1e30f));
    EXPECT_FALSE(DiffersAtHundredths(INFINITY, INFINITY));
    EXPECT_TRUE(DiffersAtHundredths(-1e30f, 1e30f));
}

TEST(UpDownPosition, TruncatesTowardZeroToSixteenBits) {
    EXPECT_EQ(UpDownPosition(12.5f), 12);
    EXPECT_EQ(UpDownPosition(-3.7f), -3);
    EXPECT_EQ(UpDownPosition(70000.0f), static_cast<int16_t>(70000 & 0xFFFF));
    EXPECT_EQ(UpDownPosition(NAN), 0);
}

TEST(FormatValue, FloatModeShowsTwoDecimalsAndIntegerModeTruncates) {
    EXPECT_STREQ(FormatValue(12.5f, false).text, "12.50");
    EXPECT_STREQ(FormatValue(12.501f, false).text, "12.50");
    EXPECT_STREQ(FormatValue(-0.004f, false).text, "-0.00");
    EXPECT_STREQ(FormatValue(12.9f, true).text, "12");
    EXPECT_STREQ(FormatValue(-12.9f, true).text, "-12");
}

TEST(FormatValue, LargestFloatFitsTheBuffer) {
    const auto t = FormatValue(-FLT_MAX, false);
    EXPECT_GT(std::strlen(t.text), 40u);
    EXPECT_LT(std::strlen(t.text), sizeof t.text);
    EXPECT_STREQ(FormatValue(1e30f, true).text, "2147483647");
}
