#include "cli/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using cli::CommandLine;

bool Parse(const std::vector<std::string>& args, CommandLine& line, std::string& error) {
    return cli::ParseCommandLine(args, line, error);
}

FilterParameters Applied(const CommandLine& line) {
    FilterParameters params = DefaultParameters();
    cli::ApplyChanges(line.changes, params);
    return params;
}

TEST(ParseCommandLine, AppliesSettingsInCommandLineOrder) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(Parse({"in.png", "--space", "10", "-o", "out.png", "--set", "Spac=30", "--width=50"}, line, error))
        << error;
    const FilterParameters params = Applied(line);
    EXPECT_EQ(params.space, 30.0f);
    EXPECT_EQ(params.width, 50.0f);
    EXPECT_EQ(line.inputs, std::vector<std::string>{"in.png"});
    EXPECT_EQ(line.output, "out.png");
}

TEST(ParseCommandLine, InvertMovesBothFieldsAsTheDialogCheckBoxDoes) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(Parse({"a.png", "-o", "b.png", "--no-invert"}, line, error));
    FilterParameters params = Applied(line);
    EXPECT_EQ(params.invertIntensity, 0);
    EXPECT_EQ(params.invert, 1);
    ASSERT_TRUE(Parse({"a.png", "-o", "b.png", "--no-invert", "--invert"}, line, error));
    params = Applied(line);
    EXPECT_EQ(params.invertIntensity, 1);
    EXPECT_EQ(params.invert, 0);
}

TEST(ParseCommandLine, FlagsSetTheirFieldsAndTakeNoValue) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(
        Parse({"a.png", "-o", "b.png", "--not-break", "--use-dots", "--solid-ink", "--no-fill-alpha"}, line, error));
    const FilterParameters params = Applied(line);
    EXPECT_EQ(params.notBreak, 1);
    EXPECT_EQ(params.useCircles, 1);
    EXPECT_EQ(params.solidInk, 1);
    EXPECT_EQ(params.fillAlpha, 0);
    EXPECT_FALSE(Parse({"a.png", "-o", "b.png", "--use-dots=0"}, line, error));
}

TEST(ParseCommandLine, NeedsExactlyOneWayOfNamingOutputs) {
    CommandLine line;
    std::string error;
    EXPECT_FALSE(Parse({"a.png"}, line, error));
    EXPECT_FALSE(Parse({"a.png", "-o", "x.png", "-d", "out"}, line, error));
    EXPECT_FALSE(Parse({"a.png", "b.png", "-o", "x.png"}, line, error));
    EXPECT_NE(error.find("-d DIR"), std::string::npos) << error;
    EXPECT_TRUE(Parse({"a.png", "b.png", "-d", "out"}, line, error));
    EXPECT_FALSE(Parse({"-o", "x.png"}, line, error));
    EXPECT_FALSE(Parse({"--sheet", "a.png", "-d", "out"}, line, error));
}

TEST(ParseCommandLine, NamesTheOffendingArgument) {
    CommandLine line;
    std::string error;
    EXPECT_FALSE(Parse({"a.png", "-o", "b.png", "--spacing", "3"}, line, error));
    EXPECT_NE(error.find("--spacing"), std::string::npos) << error;
    EXPECT_FALSE(Parse({"a.png", "-o", "b.png", "--space"}, line, error));
    EXPECT_NE(error.find("needs a value"), std::string::npos) << error;
}

TEST(ParseCommandLine, CompressionTakesANameOrALevelInRange) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(Parse({"a.png", "-o", "b.png"}, line, error));
    EXPECT_EQ(line.compression, imageio::kDefaultCompression);
    ASSERT_TRUE(Parse({"a.png", "-o", "b.png", "--compression", "best"}, line, error));
    EXPECT_EQ(line.compression, 12);
    ASSERT_TRUE(Parse({"a.png", "-o", "b.png", "--compression=0"}, line, error));
    EXPECT_EQ(line.compression, 0);
    ASSERT_TRUE(Parse({"a.png", "-o", "b.png", "--compression", "fast"}, line, error));
    EXPECT_LT(line.compression, 5);
    for (const char* bad : {"13", "-1", "6x", "", "quick", "0x5", " 5", "+5", "012"}) {
        EXPECT_FALSE(Parse({"a.png", "-o", "b.png", "--compression", bad}, line, error)) << bad;
        EXPECT_NE(error.find("0 (stored) to 12"), std::string::npos) << error;
    }
}

TEST(ParseCommandLine, RefusesWhatWouldOtherwiseBeMisreadOrDropped) {
    CommandLine line;
    std::string error;
    for (const char* number : {"0x10", "0X1p4", " 10", "inf"}) {
        EXPECT_FALSE(Parse({"a.png", "-o", "b.png", "--space", number}, line, error)) << number;
        EXPECT_NE(error.find("5 to 100"), std::string::npos) << error;
    }
    EXPECT_TRUE(Parse({"a.png", "-o", "b.png", "--space", "1e1", "--set", "Ofst=+2.5"}, line, error)) << error;
    for (const char* option : {"--preset", "--save-preset", "--selection", "-o"}) {
        EXPECT_FALSE(Parse({"a.png", "-d", "out", option, ""}, line, error)) << option;
        EXPECT_NE(error.find("needs a file name"), std::string::npos) << error;
    }
    EXPECT_FALSE(Parse({"a.png", "-o", "b.png", "--max-memory", "0x100"}, line, error));
    ASSERT_TRUE(Parse({"a.png", "-o", "b.png", "--max-memory=512"}, line, error)) << error;
    EXPECT_EQ(line.memoryBudgetMb, 512);
}

TEST(ParseCommandLine, TakesEverythingAfterDoubleDashAsInputs) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(Parse({"-d", "out", "--", "-odd.png", "--space"}, line, error)) << error;
    EXPECT_EQ(line.inputs, (std::vector<std::string>{"-odd.png", "--space"}));
}

}  // namespace
