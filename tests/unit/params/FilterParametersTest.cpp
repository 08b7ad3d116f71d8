#include "params/FilterParameters.h"

#include <gtest/gtest.h>

TEST(FilterParameters, FreshRecordHoldsTheDefaults) {
    const FilterParameters p = DefaultParameters();
    EXPECT_EQ(p.colorSchema, 2);
    EXPECT_EQ(p.pattern, 1);
    EXPECT_EQ(p.invertIntensity, 1);
    EXPECT_EQ(p.invert, 0);
    EXPECT_EQ(p.fillAlpha, 1);
    EXPECT_FLOAT_EQ(p.rotation, 30.0f);
    EXPECT_FLOAT_EQ(p.space, 20.0f);
    EXPECT_FLOAT_EQ(p.width, 100.0f);
    EXPECT_FLOAT_EQ(p.amplitude, 100.0f);
    EXPECT_FLOAT_EQ(p.frequency, 100.0f);
}

TEST(FilterParameters, ResetLeavesDialogAndBookkeepingBytesAlone) {
    FilterParameters p{};
    p.showDialog = 1;
    p.previewEnabled = 1;
    p.reserved1 = 7;
    p.reserved2 = -3;
    p.ranOnce = 1;
    p.invert = 1;
    ResetParameters(p);
    EXPECT_EQ(p.showDialog, 1);
    EXPECT_EQ(p.previewEnabled, 1);
    EXPECT_EQ(p.reserved1, 7);
    EXPECT_EQ(p.reserved2, -3);
    EXPECT_EQ(p.ranOnce, 1);
    EXPECT_EQ(p.invert, 0);
}
