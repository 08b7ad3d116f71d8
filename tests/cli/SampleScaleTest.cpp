#include "cli/SampleScale.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(SampleScale, EveryHostValueSurvivesAWriteAndReadBack) {
    for (uint32_t h = 0; h <= 32768; ++h)
        ASSERT_EQ(cli::FileToHost16(cli::HostToFile16(static_cast<uint16_t>(h))), h) << h;
}

TEST(SampleScale, EveryFileValueComesBackWithinOneLevel) {
    for (uint32_t v = 0; v <= 65535; ++v) {
        const int back = cli::HostToFile16(cli::FileToHost16(static_cast<uint16_t>(v)));
        ASSERT_LE(std::abs(back - static_cast<int>(v)), 1) << v;
    }
}

TEST(SampleScale, BlackAndWhiteMeetExactly) {
    EXPECT_EQ(cli::FileToHost16(0), 0);
    EXPECT_EQ(cli::FileToHost16(65535), 32768);
    EXPECT_EQ(cli::HostToFile16(32768), 65535);
    EXPECT_EQ(cli::HostToFile16(40000), 65535);  // beyond the host's white
}

}  // namespace
