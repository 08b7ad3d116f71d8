#include "presets/PresetReader.h"

#include "presets/PresetWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

namespace {

const std::string kHeader = "Zantrove Merovane\n";

// Reads `bytes` as a preset into a default record and returns that record.
FilterParameters Read(const std::string& bytes, bool* recognised = nullptr) {
    FilterParameters p = DefaultParameters();
    std::stringbuf in(bytes);
    const bool ok = PresetReader(in, p);
    if (recognised != nullptr) *recognised = ok;
    return p;
}

bool SameRecord(const FilterParameters& a, const FilterParameters& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

FilterParameters UnusualRecord() {
    FilterParameters p = DefaultParameters();
    p.rotation = -123.456787f;
    p.offset = 999.999f;
    p.space = 5.5f;
    p.width = 15.000001f;
    p.contrast = -100.0f;
    p.randomness = 1000.0f;
    p.amplitude = 0.000001f;
    p.frequency = 333.333f;
    p.phaseShift = -1000.0f;
    p.threshold = 299.9f;
    p.centerX = -0.5f;
    p.centerY = 1e6f;
    p.noise = 77.7f;
    p.invertIntensity = 0;
    p.invert = 1;
    p.notBreak = 1;
    p.useCircles = 1;
    p.colorSchema = 0;
    p.pattern = 12;
    p.fillAlpha = 0;
    return p;
}

}  // namespace

TEST(PresetReader, RestoresEveryWrittenFieldToSixDecimals) {
    const FilterParameters written = UnusualRecord();
    bool recognised = false;
    const FilterParameters read = Read(FormatPresetText(written), &recognised);
    ASSERT_TRUE(recognised);
    for (float FilterParameters::*field :
         {&FilterParameters::rotation, &FilterParameters::offset, &FilterParameters::space, &FilterParameters::width,
          &FilterParameters::contrast, &FilterParameters::randomness, &FilterParameters::amplitude,
          &FilterParameters::frequency, &FilterParameters::phaseShift, &FilterParameters::threshold,
          &FilterParameters::centerX, &FilterParameters::centerY, &FilterParameters::noise}) {
        const double tolerance = 5e-7 + std::fabs(written.*field) * 1e-7;  // "%f" rounding, then float
        EXPECT_NEAR(read.*field, written.*field, tolerance);
    }
    EXPECT_EQ(read.invertIntensity, 0);
    EXPECT_EQ(read.invert, 1);
    EXPECT_EQ(read.notBreak, 1);
    EXPECT_EQ(read.useCircles, 1);
    EXPECT_EQ(read.colorSchema, 0);
    EXPECT_EQ(read.pattern, 12);
    EXPECT_EQ(read.fillAlpha, 0);
}

TEST(PresetReader, LeavesFieldsOutsideThePresetAlone) {
    FilterParameters p = UnusualRecord();
    p.autoUpdate = 0;
    p.solidInk = 1;
    p.previewX = 17;
    p.previewY = -3;
    p.checkerBackground = 0;
    p.showDialog = 1;
    std::stringbuf in(FormatPresetText(DefaultParameters()));
    ASSERT_TRUE(PresetReader(in, p));
    EXPECT_EQ(p.autoUpdate, 0);
    EXPECT_EQ(p.solidInk, 1);
    EXPECT_EQ(p.previewX, 17);
    EXPECT_EQ(p.previewY, -3);
    EXPECT_EQ(p.checkerBackground, 0);
    EXPECT_EQ(p.showDialog, 1);
    EXPECT_EQ(p.rotation, 30.0f);
}

TEST(PresetReader, RefusesUnknownHeadersAndCarriageReturnFilesWithoutTouchingTheRecord) {
    for (const std::string& bytes :
         {std::string("Zantrove Merovane\r\nlgnA 5 \n"), std::string("zantrove merovane\nlgnA 5 \n"),
          std::string("Zantrove Merovane"), std::string("Zantrove Merovane \nlgnA 5 \n"), std::string(),
          std::string("Vel Tandor\n") + std::string(56, '\1')}) {
        bool recognised = true;
        EXPECT_TRUE(SameRecord(Read(bytes, &recognised), DefaultParameters()));
        EXPECT_FALSE(recognised);
    }
}

TEST(PresetReader, ReadsABodyWhoseLinesEndInCarriageReturns) {
    const FilterParameters p = Read(kHeader + "lgnA 5 \r\ncapS 7 \r\n");
    EXPECT_EQ(p.rotation, 5.0f);
    EXPECT_EQ(p.space, 7.0f);
}

TEST(PresetReader, IgnoresALastLineWithoutLineFeed) {
    const FilterParameters p = Read(kHeader + "lgnA 5 \ncapS 7");
    EXPECT_EQ(p.rotation, 5.0f);
    EXPECT_EQ(p.space, 20.0f);
}

TEST(PresetReader, ScansTheNumberAfterBlanksAndTabsAndStopsAtOtherCharacters) {
    EXPECT_EQ(Read(kHeader + "lgnA   -45.5 and further words\n").rotation, -45.5f);
    EXPECT_EQ(Read(kHeader + "  \tlgnA\t\t12.25;x\n").rotation, 12.25f);
    EXPECT_EQ(Read(kHeader + "lgnA 1.5e2\n").rotation, 150.0f);
    EXPECT_EQ(Read(kHeader + "lgnA\n").rotation, 0.0f);
    EXPECT_EQ(Read(kHeader + "lgnA +45\n").rotation, 0.0f);
    EXPECT_EQ(Read(kHeader + "lgnA 0,5\n").rotation, 0.0f);
}

TEST(PresetReader, IgnoresNaturalOrderKeysCommentsAndShortLines) {
    for (const char* line : {"Angl 5\n", "  ;lgnA 5\n", ";\n", "lg\n", "\n", "xxxx 5\n", "LGNA 5\n"}) {
        EXPECT_EQ(Read(kHeader + line).rotation, 30.0f) << line;
    }
}

TEST(PresetReader, KeepsOnlyTheLowestByteOfIntegersWithoutClamping) {
    const FilterParameters p = Read(kHeader + "IvnI 256\nrvnI -1\nrBoN 257\ntSlC 7\nmoeG 300\nAllF 2\n");
    EXPECT_EQ(p.invertIntensity, 0);
    EXPECT_EQ(p.invert, 255);
    EXPECT_EQ(p.notBreak, 1);
    EXPECT_EQ(p.colorSchema, 7);
    EXPECT_EQ(p.pattern, 44);
    EXPECT_EQ(p.fillAlpha, 2);
}

TEST(PresetReader, StoresRealsAsReadEvenOutOfRange) {
    const FilterParameters p = Read(kHeader + "capS -5\nhtdW 1e999\nlpmA -1e999\nsioN 1e-400\n");
    EXPECT_EQ(p.space, -5.0f);
    EXPECT_EQ(p.width, std::numeric_limits<float>::infinity());
    EXPECT_EQ(p.amplitude, -std::numeric_limits<float>::infinity());
    EXPECT_EQ(p.noise, 0.0f);
}

TEST(PresetReader, TakesTheLastOfRepeatedKeysAndKeepsMissingOnes) {
    FilterParameters p = UnusualRecord();
    std::stringbuf in(kHeader + "lgnA 1\nlgnA 2\n");
    ASSERT_TRUE(PresetReader(in, p));
    EXPECT_EQ(p.rotation, 2.0f);
    EXPECT_EQ(p.space, 5.5f);
    EXPECT_EQ(p.pattern, 12);
}

TEST(PresetReader, EndsALineAtAHighByteInItsComment) {
    const FilterParameters p = Read(kHeader + "lgnA 5 \t;Rot\xE9sioN 3 \nfihS 2\n");
    EXPECT_EQ(p.rotation, 5.0f);
    EXPECT_EQ(p.noise, 3.0f);
    EXPECT_EQ(p.phaseShift, 2.0f);
}

TEST(PresetReader, CutsNumberTokensAfterSixtyFourCharacters) {
    // "1" and 63 zeros is 1e63; a longer run of zeros is cut there instead of overflowing.
    EXPECT_EQ(Read(kHeader + "lgnA 1" + std::string(63, '0') + "\n").rotation, std::numeric_limits<float>::infinity());
    EXPECT_EQ(Read(kHeader + "lgnA 0.5" + std::string(62, '0') + "7\n").rotation, 0.5f);
    EXPECT_EQ(Read(kHeader + "tSlC " + std::string(64, '0') + "9\n").colorSchema, 0);
}

TEST(PresetReader, SurvivesLinesLongerThanItsBuffers) {
    const std::string longText(5000, 'z');
    EXPECT_EQ(Read(kHeader + "lgnA 4 " + longText + "\ncapS 8\n").rotation, 4.0f);
    EXPECT_EQ(Read(kHeader + longText + "lgnA 4\ncapS 8\n").space, 8.0f);
    bool recognised = true;
    Read(longText + "\n" + kHeader, &recognised);
    EXPECT_FALSE(recognised);
}

TEST(PresetReader, ReadsAFileByPathAndRefusesAMissingOne) {
    const std::string path = ::testing::TempDir() + "PresetReaderTest.kzv";
    {
        std::ofstream file(path, std::ios::binary);
        ASSERT_TRUE(PresetWriter(file, UnusualRecord()));
    }
    FilterParameters p = DefaultParameters();
    EXPECT_TRUE(PresetReader(path, p));
    EXPECT_EQ(p.pattern, 12);
    std::remove(path.c_str());
    EXPECT_FALSE(PresetReader(path, p));
}
