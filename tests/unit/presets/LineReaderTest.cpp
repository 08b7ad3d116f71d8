#include "presets/LineReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Every line LineReader returns for `bytes`, read with a buffer of `capacity` bytes.
std::vector<std::string> Lines(const std::string& bytes, size_t capacity = 64) {
    std::stringbuf in(bytes);
    std::vector<char> buffer(capacity);
    std::vector<std::string> lines;
    while (LineReader(in, buffer.data(), capacity)) lines.emplace_back(buffer.data());
    return lines;
}

}  // namespace

TEST(LineReader, KeepsTheLineFeedAndTurnsTabsIntoBlanks) {
    EXPECT_EQ(Lines("a\tb \n\n"), (std::vector<std::string>{"a b \n", "\n"}));
}

TEST(LineReader, EndsLinesAtCarriageReturnAndAtHighBytes) {
    EXPECT_EQ(Lines("ab\r\ncd\x80x\xFFz\n"), (std::vector<std::string>{"ab\r", "\n", "cd\x80", "x\xFF", "z\n"}));
}

TEST(LineReader, DropsALastLineWithoutEnding) {
    EXPECT_EQ(Lines("one\ntwo"), (std::vector<std::string>{"one\n"}));
    EXPECT_TRUE(Lines("").empty());
}

TEST(LineReader, StripsANulEndingAndTheBlanksBeforeIt) {
    EXPECT_EQ(Lines(std::string("Vel Tandor \t \0rest\n", 19)), (std::vector<std::string>{"Vel Tandor", "rest\n"}));
    EXPECT_EQ(Lines(std::string("   \0", 4)), (std::vector<std::string>{""}));
}

TEST(LineReader, CutsALongLineKeepingItsEndingAndNeverWritesPastTheBuffer) {
    constexpr size_t kCapacity = 16;
    std::stringbuf in(std::string(5000, 'x') + "\nnext\n");
    char buffer[kCapacity + 8];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_TRUE(LineReader(in, buffer, kCapacity));
    EXPECT_EQ(std::string(buffer), std::string(kCapacity - 2, 'x') + "\n");
    for (size_t i = kCapacity; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#');
    ASSERT_TRUE(LineReader(in, buffer, kCapacity));
    EXPECT_STREQ(buffer, "next\n");
}

TEST(LineReader, ACutLineWithoutEndingIsStillDropped) {
    EXPECT_TRUE(Lines(std::string(500, 'y'), 16).empty());
}
