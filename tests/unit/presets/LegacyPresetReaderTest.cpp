#include "presets/PresetReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

namespace {

void AppendFloat(std::string& bytes, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((bits >> shift) & 0xFFu));
}

// "Vel Tandor", its NUL, then the 56-byte body with recognisable values.
std::string LegacyFile() {
    std::string bytes("Vel Tandor", 11);
    bytes += '\x01';                                      // colorSchema
    bytes += '\x07';                                      // pattern
    bytes += std::string("\x00\x00\x01\x01\x01\x00", 6);  // autoUpdate .. useCircles, lowest bytes
    for (float v : {10.0f, 11.0f, 12.0f, 13.0f, 14.0f, 15.0f, 16.0f, 17.0f, 18.0f, 19.0f, 20.0f, 21.0f}) {
        AppendFloat(bytes, v);
    }
    return bytes;
}

bool ReadInto(const std::string& bytes, FilterParameters& p) {
    std::stringbuf in(bytes);
    return PresetReader(in, p);
}

}  // namespace

TEST(LegacyPresetReader, ReadsTheBinaryBodyWithSpaceBeforeOffset) {
    FilterParameters p = DefaultParameters();
    p.noise = 42.0f;
    p.fillAlpha = 0;
    ASSERT_TRUE(ReadInto(LegacyFile(), p));
    EXPECT_EQ(p.colorSchema, 1);
    EXPECT_EQ(p.pattern, 7);
    EXPECT_EQ(p.autoUpdate, 0);
    EXPECT_EQ(p.invertIntensity, 0);
    EXPECT_EQ(p.solidInk, 1);
    EXPECT_EQ(p.invert, 1);
    EXPECT_EQ(p.notBreak, 1);
    EXPECT_EQ(p.useCircles, 0);
    EXPECT_EQ(p.rotation, 10.0f);
    EXPECT_EQ(p.space, 11.0f);
    EXPECT_EQ(p.offset, 12.0f);
    EXPECT_EQ(p.centerY, 21.0f);
    EXPECT_EQ(p.noise, 42.0f);
    EXPECT_EQ(p.fillAlpha, 0);
}

TEST(LegacyPresetReader, ReplacesOnlyTheLowestByteOfWideBooleans) {
    FilterParameters p = DefaultParameters();
    p.invert = 0x12345600;
    p.invertIntensity = static_cast<int32_t>(0xFFFFFFFFu);
    ASSERT_TRUE(ReadInto(LegacyFile(), p));
    EXPECT_EQ(p.invert, 0x12345601);
    EXPECT_EQ(static_cast<uint32_t>(p.invertIntensity), 0xFFFFFF00u);
}

TEST(LegacyPresetReader, AShortFileKeepsTheFieldsItLacksAndStillLoads) {
    FilterParameters p = DefaultParameters();
    // Header, 8 single bytes, two whole floats and two bytes of the third (offset).
    const std::string bytes = LegacyFile().substr(0, 11 + 8 + 4 + 4 + 2);
    ASSERT_TRUE(ReadInto(bytes, p));
    EXPECT_EQ(p.rotation, 10.0f);
    EXPECT_EQ(p.space, 11.0f);
    EXPECT_EQ(p.offset, 0.0f);
    EXPECT_EQ(p.width, 100.0f);

    FilterParameters untouched = DefaultParameters();
    ASSERT_TRUE(ReadInto(std::string("Vel Tandor", 11), untouched));
    EXPECT_EQ(untouched.colorSchema, 2);
}

TEST(LegacyPresetReader, AcceptsTheHeaderOnlyWhenANulEndsIt) {
    FilterParameters p = DefaultParameters();
    std::string blanks = LegacyFile();
    blanks.insert(10, "  ");
    EXPECT_TRUE(ReadInto(blanks, p));
    std::string lineFeed = LegacyFile();
    lineFeed[10] = '\n';
    FilterParameters q = DefaultParameters();
    EXPECT_FALSE(ReadInto(lineFeed, q));
    EXPECT_EQ(q.colorSchema, 2);
}
