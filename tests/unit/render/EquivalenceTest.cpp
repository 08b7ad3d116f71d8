// The product renderer must give the same bytes as the straightforward oracle for every setting.
#include "render/RenderEngraving.h"

#include "tests/unit/render/oracle/OracleRender.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using render::EngravingOptions;
using render::RenderJob;
using render::RenderStatus;

struct Case {
    EngravingOptions options;
    int32_t width = 1;
    int32_t height = 1;
    int32_t planes = 3;
    int32_t depth = 8;
    int32_t padding = 0;
    bool cmykLayout = false;
    bool preview = false;
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t filterWidth = 1;
    int32_t filterHeight = 1;
    int maskKind = 0;  // 0 none, 1 blotches, 2 empty, 3 barely selected
    uint32_t imageSeed = 0;
    bool beyondFull = false;  // 16-bit samples above the host's 32768, as a faulty host could send
};

std::string Describe(const Case& c) {
    const auto& o = c.options;
    std::ostringstream s;
    s << c.width << "x" << c.height << " planes " << c.planes << " depth " << c.depth << " cmyk " << c.cmykLayout
      << " preview " << c.preview << " origin " << c.originX << "," << c.originY << " filter " << c.filterWidth << "x"
      << c.filterHeight << " mask " << c.maskKind << " | schema " << int{o.colorSchema} << " pattern " << int{o.pattern}
      << " invI " << o.invertIntensity << " solid " << o.solidInk << " invert " << o.invert << " notBreak "
      << o.notBreak << " circles " << o.useCircles << " fillAlpha " << o.fillAlpha << " rot " << o.rotation << " space "
      << o.space << " offset " << o.offset << " width " << o.width << " contrast " << o.contrast << " rand "
      << o.randomness << " ampl " << o.amplitude << " freq " << o.frequency << " phase " << o.phaseShift << " thr "
      << o.threshold << " centre " << o.centerX << "," << o.centerY << " noise " << o.noise;
    return s.str();
}

// Photo-like content: smooth gradients, an edge and some grain, with the opacity varying too.
template <class Sample>
std::vector<Sample> MakeFilterImage(const Case& c) {
    std::mt19937 rng(c.imageSeed);
    std::vector<Sample> image(static_cast<std::size_t>(c.filterWidth) * c.filterHeight * c.planes);
    const uint32_t full = sizeof(Sample) == 1 ? 255u : 32768u;
    const int edge = static_cast<int>(rng() % static_cast<uint32_t>(c.filterWidth + 1));
    for (int y = 0; y < c.filterHeight; ++y)
        for (int x = 0; x < c.filterWidth; ++x)
            for (int ch = 0; ch < c.planes; ++ch) {
                uint32_t v = static_cast<uint32_t>((x * 7 + y * 5 + ch * 60) % 256);
                if (x > edge) v = 255 - v / 2;
                v = (v + rng() % 24) % 256;
                if (ch == 3 && rng() % 3 != 0) v = 255;
                uint32_t sample = sizeof(Sample) == 1
                                      ? v
                                      : v * full / 255 + (v > 0 && v < 255 ? static_cast<uint32_t>(rng() % 100) : 0u);
                if (sample > full) sample = full;
                if (c.beyondFull && (x + y) % 3 == 0) sample = 65535;
                image[(static_cast<std::size_t>(y) * c.filterWidth + x) * c.planes + ch] = static_cast<Sample>(sample);
            }
    return image;
}

std::vector<uint8_t> MakeMask(const Case& c) {
    std::vector<uint8_t> mask(static_cast<std::size_t>(c.filterWidth) * c.filterHeight, 0);
    std::mt19937 rng(c.imageSeed + 1);
    for (int y = 0; y < c.filterHeight; ++y)
        for (int x = 0; x < c.filterWidth; ++x) {
            uint8_t m = 0;
            if (c.maskKind == 1) m = ((x / 5 + y / 4) % 3 != 0) ? static_cast<uint8_t>(1 + rng() % 255) : 0;
            if (c.maskKind == 3) m = 1;
            mask[static_cast<std::size_t>(y) * c.filterWidth + x] = m;
        }
    return mask;
}

template <class Sample>
void ExpectSameBytes(const Case& c) {
    const std::vector<Sample> filterImage = MakeFilterImage<Sample>(c);
    const int64_t rowSamples = int64_t{c.width} * c.planes + c.padding;
    std::vector<Sample> source(static_cast<std::size_t>(rowSamples * c.height), 0);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width * c.planes; ++x)
            source[static_cast<std::size_t>(y * rowSamples + x)] =
                filterImage[(static_cast<std::size_t>(y + c.originY) * c.filterWidth + c.originX) * c.planes +
                            static_cast<std::size_t>(x)];
    const std::vector<uint8_t> mask = MakeMask(c);
    std::vector<Sample> expected(source.size(), static_cast<Sample>(123));
    std::vector<Sample> actual(source.size(), static_cast<Sample>(123));

    RenderJob job;
    job.source = source.data();
    job.width = c.width;
    job.height = c.height;
    job.rowSamples = rowSamples;
    job.planes = c.planes;
    job.depth = c.depth;
    job.cmykLayout = c.cmykLayout;
    job.originX = c.originX;
    job.originY = c.originY;
    job.filterWidth = c.filterWidth;
    job.filterHeight = c.filterHeight;
    job.preview = c.preview;
    if (c.maskKind != 0) {
        job.mask = mask.data();
        job.maskRowBytes = c.filterWidth;
    }
    job.output = expected.data();
    ASSERT_EQ(oracle::RenderEngravingOracle(c.options, job), RenderStatus::kOk);
    job.output = actual.data();
    ASSERT_EQ(render::RenderEngraving(c.options, job), RenderStatus::kOk);
    std::size_t differing = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i]) {
            if (differing == 0) first = i;
            ++differing;
        }
    }
    ASSERT_EQ(differing, 0u) << Describe(c) << "\nfirst difference at sample " << first << " (row "
                             << first / static_cast<std::size_t>(rowSamples) << ")";
}

void ExpectSameBytes(const Case& c) {
    if (c.depth == 8) {
        ExpectSameBytes<uint8_t>(c);
    } else {
        ExpectSameBytes<uint16_t>(c);
    }
}

float Uniform(std::mt19937& rng, float lo, float hi) {
    return std::uniform_real_distribution<float>(lo, hi)(rng);
}

Case RandomCase(std::mt19937& rng) {
    Case c;
    auto& o = c.options;
    o.colorSchema = static_cast<uint8_t>(rng() % 3);
    o.pattern = static_cast<uint8_t>(rng() % 13);
    o.invertIntensity = rng() % 4 != 0;
    o.solidInk = rng() % 4 == 0;
    o.invert = rng() % 3 == 0;
    o.notBreak = rng() % 4 == 0;
    o.useCircles = rng() % 5 == 0;
    o.fillAlpha = rng() % 3 != 0;
    o.rotation = Uniform(rng, -360.0f, 360.0f);
    o.space = rng() % 6 == 0 ? Uniform(rng, 0.2f, 5.0f) : Uniform(rng, 5.0f, 60.0f);
    o.offset = rng() % 2 == 0 ? 0.0f : Uniform(rng, -1000.0f, 1000.0f);
    o.width = Uniform(rng, 15.0f, 200.0f);
    o.contrast = rng() % 2 == 0 ? 0.0f : Uniform(rng, -100.0f, 1000.0f);
    o.randomness = rng() % 2 == 0 ? 0.0f : Uniform(rng, -1000.0f, 1000.0f);
    o.amplitude = Uniform(rng, 0.0f, 1000.0f);
    o.frequency = rng() % 6 == 0 ? 0.0f : Uniform(rng, 0.0f, 1000.0f);
    o.phaseShift = Uniform(rng, -1000.0f, 1000.0f);
    o.threshold = rng() % 2 == 0 ? 0.0f : Uniform(rng, -300.0f, 300.0f);
    o.centerX = rng() % 3 == 0 ? Uniform(rng, -3000.0f, 3000.0f) : Uniform(rng, -1000.0f, 1000.0f);
    o.centerY = Uniform(rng, -1000.0f, 1000.0f);
    o.noise = rng() % 2 == 0 ? 0.0f : Uniform(rng, 0.0f, 100.0f);
    c.width = 1 + static_cast<int32_t>(rng() % 37);
    c.height = 1 + static_cast<int32_t>(rng() % 29);
    c.planes = 3 + static_cast<int32_t>(rng() % 3);
    c.depth = rng() % 2 == 0 ? 8 : 16;
    c.padding = static_cast<int32_t>(rng() % 3);
    c.cmykLayout = c.planes >= 4 && rng() % 3 == 0;
    c.preview = rng() % 3 == 0;
    c.filterWidth = c.width;
    c.filterHeight = c.height;
    if (rng() % 3 == 0) {
        c.filterWidth += static_cast<int32_t>(rng() % 30);
        c.filterHeight += static_cast<int32_t>(rng() % 30);
        c.originX = static_cast<int32_t>(rng() % static_cast<uint32_t>(c.filterWidth - c.width + 1));
        c.originY = static_cast<int32_t>(rng() % static_cast<uint32_t>(c.filterHeight - c.height + 1));
    }
    c.maskKind = rng() % 4 == 0 ? static_cast<int>(1 + rng() % 3) : 0;
    c.imageSeed = static_cast<uint32_t>(rng());
    return c;
}

TEST(FastRenderer, MatchesTheOracleOnRandomSettingsAndSmallImages) {
    std::mt19937 rng(20261208);
    for (int i = 0; i < 250; ++i) {
        const Case c = RandomCase(rng);
        ExpectSameBytes(c);
        if (HasFatalFailure()) return;
    }
}

TEST(FastRenderer, MatchesTheOracleForEveryPatternSchemaAndDepth) {
    for (int pattern = 0; pattern < 13; ++pattern)
        for (int schema = 0; schema < 3; ++schema)
            for (int depth : {8, 16}) {
                Case c;
                c.options.pattern = static_cast<uint8_t>(pattern);
                c.options.colorSchema = static_cast<uint8_t>(schema);
                c.options.space = 11.0f;
                c.options.offset = 250.0f;
                c.options.noise = pattern % 2 == 0 ? 30.0f : 0.0f;
                c.width = c.filterWidth = 41;
                c.height = c.filterHeight = 29;
                c.planes = 3 + pattern % 3;
                c.depth = depth;
                c.imageSeed = static_cast<uint32_t>(pattern * 3 + schema);
                ExpectSameBytes(c);
                if (HasFatalFailure()) return;
            }
}

TEST(FastRenderer, MatchesTheOracleWithDenseReliefSamplingAndInPreviews) {
    for (bool preview : {false, true})
        for (int pattern : {1, 4, 11}) {
            Case c;
            c.options.pattern = static_cast<uint8_t>(pattern);
            c.options.randomness = 700.0f;
            c.options.noise = 20.0f;
            c.width = 47;
            c.height = 33;
            c.filterWidth = 90;
            c.filterHeight = 70;
            c.originX = 20;
            c.originY = 31;
            c.preview = preview;
            c.maskKind = pattern == 4 ? 1 : 0;
            ExpectSameBytes(c);
            if (HasFatalFailure()) return;
        }
}

// Images tall enough to be drawn in several bands, on several threads where the machine has them.
TEST(FastRenderer, MatchesTheOracleOnLargerImages) {
    const int patterns[] = {1, 6, 8, 1, 0, 11};
    const int schemas[] = {2, 2, 2, 1, 1, 0};
    for (int i = 0; i < 6; ++i) {
        Case c;
        c.options.pattern = static_cast<uint8_t>(patterns[i]);
        c.options.colorSchema = static_cast<uint8_t>(schemas[i]);
        c.options.useCircles = i == 3;
        c.options.solidInk = i == 4;
        c.options.invert = i == 4;
        c.options.randomness = i == 5 ? 200.0f : 0.0f;  // rings with relief: one worker, in order
        c.width = c.filterWidth = 320;
        c.height = c.filterHeight = 211;
        c.depth = i == 2 || i == 5 ? 16 : 8;
        c.planes = i == 4 ? 5 : (i == 5 ? 4 : 3);
        c.cmykLayout = i == 4;
        c.imageSeed = static_cast<uint32_t>(i);
        ExpectSameBytes(c);
        if (HasFatalFailure()) return;
    }
}

// Images wide enough for plain lines to be walked in several tiles per band, at angles whose lines
// run right, left, straight down and along the rows, alone and with split colour's passes together.
TEST(FastRenderer, MatchesTheOracleOnWideImagesWalkedInTiles) {
    const float rotations[] = {30.0f, 150.0f, 90.0f, 0.0f, 247.0f};
    for (int i = 0; i < 5; ++i) {
        Case c;
        c.options.rotation = rotations[i];
        c.options.pattern = static_cast<uint8_t>(i % 3);
        c.options.useCircles = i == 4;
        c.options.colorSchema = static_cast<uint8_t>(i == 1 || i == 3 ? 1 : 2);  // split colour: passes walked together
        c.width = c.filterWidth = 2300;
        c.height = c.filterHeight = 70;
        c.imageSeed = static_cast<uint32_t>(40 + i);
        ExpectSameBytes(c);
        if (HasFatalFailure()) return;
    }
}

TEST(FastRenderer, MatchesTheOracleOnSixteenBitSamplesAboveFull) {
    for (int schema = 0; schema < 3; ++schema) {
        Case c;
        c.options.colorSchema = static_cast<uint8_t>(schema);
        c.width = c.filterWidth = 31;
        c.height = c.filterHeight = 23;
        c.planes = 4;
        c.depth = 16;
        c.beyondFull = true;
        ExpectSameBytes(c);
        if (HasFatalFailure()) return;
    }
}

TEST(FastRenderer, MatchesTheOracleOnOutOfRangeSettings) {
    const float values[] = {-1.0e6f, -5000.0f, 1.0e-20f, 5000.0f, 2.0e5f};
    std::mt19937 rng(7);
    for (int field = 0; field < 13; ++field)
        for (float value : values) {
            Case c;
            c.options.pattern = static_cast<uint8_t>(rng() % 13);
            c.options.useCircles = rng() % 2 == 0;
            float* fields[] = {&c.options.rotation,   &c.options.space,      &c.options.offset,    &c.options.width,
                               &c.options.contrast,   &c.options.randomness, &c.options.amplitude, &c.options.frequency,
                               &c.options.phaseShift, &c.options.threshold,  &c.options.centerX,   &c.options.centerY,
                               &c.options.noise};
            *fields[field] = value;
            c.width = c.filterWidth = 13;
            c.height = c.filterHeight = 9;
            ExpectSameBytes(c);
            if (HasFatalFailure()) return;
        }
}

}  // namespace
