// The ordinary line endings are covered through PresetReader; these are the buffer's edges.
#include "presets/LineReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

TEST(LineReader, StripsANulEndingAndTheBlanksAndTabsBeforeIt) {
    std::stringbuf in(std::string("Vel Tandor \t \0   \0rest\n", 23));
    char buffer[64];
    ASSERT_TRUE(LineReader(in, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "Vel Tandor");
    ASSERT_TRUE(LineReader(in, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    ASSERT_TRUE(LineReader(in, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "rest\n");
}

TEST(LineReader, CutsALongLineKeepingItsEndingAndNeverWritesPastTheBuffer) {
    constexpr size_t kCapacity = 16;
    std::stringbuf in(std::string(5000, 'x') + "\nnext\n" + std::string(500, 'y'));
    char buffer[kCapacity + 8];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_TRUE(LineReader(in, buffer, kCapacity));
    EXPECT_EQ(std::string(buffer), std::string(kCapacity - 2, 'x') + "\n");
    for (size_t i = kCapacity; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#');
    ASSERT_TRUE(LineReader(in, buffer, kCapacity));
    EXPECT_STREQ(buffer, "next\n");
    EXPECT_FALSE(LineReader(in, buffer, kCapacity));  // a cut line without ending is still dropped
}
