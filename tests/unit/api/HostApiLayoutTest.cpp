// The layout guards live in the header; this also proves they hold for the native compiler.
#include "api/HostApi.h"

#include <gtest/gtest.h>

TEST(HostApi, FourCharacterCodesPutTheFirstCharacterHighest) {
    EXPECT_EQ(host::FourCC("8BIM"), 0x3842494Du);
    EXPECT_EQ(host::kTypeUnitFloat, 0x556E7446u);
    EXPECT_EQ(host::kUnitPercent, 0x23507263u);
}
