#include "render/RandomGenerator.h"
#include "render/RenderEngraving.h"
#include "render/WaveOffset.h"

#include "tests/unit/render/TestImage.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using render::EngravingOptions;
using render::RandomGenerator;
using render::testing::TestImage;

// A smooth gradient with some texture: every tone appears, nothing is symmetric.
template <class Sample>
void FillGradient(TestImage<Sample>& image) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            for (int c = 0; c < image.planes; ++c) {
                const uint32_t v =
                    static_cast<uint32_t>((x * 255) / std::max(1, image.width - 1) + (y * 37 + c * 11) % 40) % 256;
                image.SourcePixel(x, y)[c] = static_cast<Sample>(sizeof(Sample) == 1 ? v : v * 128);
            }
}

std::vector<uint8_t> Render(const EngravingOptions& options, int w, int h, int planes = 3, bool preview = false) {
    TestImage<uint8_t> image(w, h, planes);
    FillGradient(image);
    auto job = image.Job();
    job.preview = preview;
    EXPECT_EQ(render::RenderEngraving(options, job), render::RenderStatus::kOk);
    return image.output;
}

TEST(RandomGenerator, StartsFromSeedZeroWithTheFixedSequence) {
    RandomGenerator random;
    EXPECT_EQ(random.Next(), 38);
    EXPECT_EQ(random.Next(), 7719);
    EXPECT_EQ(random.Next(), 21238);
    EXPECT_EQ(random.Next(), 2437);
}

TEST(WaveOffset, ZeroFrequencyGivesTheConstantPhaseOffset) {
    RandomGenerator random;
    const float phase = 0.25f;
    const float s = std::sin(static_cast<float>(phase * 3.14159265358979323846));
    EXPECT_FLOAT_EQ(render::WaveOffset(123.0f, 1, 10.0f, 0.0f, phase, 0.0f, random), s * 10.0f);
    EXPECT_FLOAT_EQ(render::WaveOffset(7.0f, 2, 10.0f, 0.0f, phase, 0.0f, random), (std::fabs(s) - 0.5f) * 10.0f);
    EXPECT_EQ(render::WaveOffset(7.0f, 3, 10.0f, 0.5f, phase, 0.0f, random), 0.0f);
}

TEST(WaveOffset, AlwaysConsumesOneDrawAndJittersWithinAQuarterOfTheNoise) {
    RandomGenerator random;
    RandomGenerator reference;
    for (int i = 0; i < 2000; ++i) {
        const float w = render::WaveOffset(1.0f, 0, 5.0f, 1.0f, 0.0f, 8.0f, random);
        reference.Next();
        EXPECT_GE(w, -2.0f);
        EXPECT_LT(w, 2.0f);
    }
    EXPECT_EQ(random.State(), reference.State());
}

TEST(PatternSpacing, SpacingBelowOneUnitRendersAsOneUnit) {
    EngravingOptions a;
    a.space = 0.3f;
    a.width = 15.0f;
    EngravingOptions b = a;
    b.space = 1.0f;
    EXPECT_EQ(Render(a, 9, 7), Render(b, 9, 7));
    a.solidInk = b.solidInk = true;
    a.space = 3.0f;  // 0.75 pixel after scaling: raised to 1
    b.space = 4.0f;
    EXPECT_EQ(Render(a, 9, 7), Render(b, 9, 7));
}

TEST(PatternSpacing, ZeroOffsetSplitColorDrawsEqualChannelsOnGrey) {
    EngravingOptions options;
    options.colorSchema = 1;
    options.offset = 0.0f;
    TestImage<uint8_t> image(23, 17, 3);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 23; ++x) std::fill_n(image.SourcePixel(x, y), 3, static_cast<uint8_t>(x * 11));
    ASSERT_EQ(render::RenderEngraving(options, image.Job()), render::RenderStatus::kOk);
    bool anyInk = false;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 23; ++x) {
            const uint8_t* o = image.OutputPixel(x, y);
            EXPECT_EQ(o[0], o[1]);
            EXPECT_EQ(o[1], o[2]);
            anyInk = anyInk || o[0] < 255;
        }
    EXPECT_TRUE(anyInk);
}

TEST(PatternSpacing, OffsetShiftsSplitColorChannelsApart) {
    EngravingOptions options;
    options.colorSchema = 1;
    options.offset = 300.0f;
    options.pattern = 0;
    TestImage<uint8_t> image(23, 17, 3);
    image.Fill(90);
    ASSERT_EQ(render::RenderEngraving(options, image.Job()), render::RenderStatus::kOk);
    int differing = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 23; ++x) differing += image.OutputPixel(x, y)[0] != image.OutputPixel(x, y)[1];
    EXPECT_GT(differing, 20);
}

TEST(PatternCentre, LinesIgnoreTheCentreButRingsFollowIt) {
    EngravingOptions a;
    EngravingOptions b;
    b.centerX = 400.0f;
    b.centerY = -250.0f;
    for (int pattern : {0, 1, 2}) {
        a.pattern = b.pattern = static_cast<uint8_t>(pattern);
        EXPECT_EQ(Render(a, 20, 14), Render(b, 20, 14)) << pattern;
    }
    for (int pattern : {3, 6, 8, 11}) {
        a.pattern = b.pattern = static_cast<uint8_t>(pattern);
        EXPECT_NE(Render(a, 20, 14), Render(b, 20, 14)) << pattern;
    }
}

TEST(PatternCentre, RingsPreviewCropMatchesTheFullRender) {
    EngravingOptions options;
    options.space = 9.0f;
    for (int pattern : {3, 8}) {
        options.pattern = static_cast<uint8_t>(pattern);
        TestImage<uint8_t> full(40, 30, 3);
        FillGradient(full);
        ASSERT_EQ(render::RenderEngraving(options, full.Job()), render::RenderStatus::kOk);

        TestImage<uint8_t> crop(12, 9, 3);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x) std::copy_n(full.SourcePixel(x + 14, y + 10), 3, crop.SourcePixel(x, y));
        auto job = crop.Job();
        job.originX = 14;
        job.originY = 10;
        job.filterWidth = 40;
        job.filterHeight = 30;
        job.preview = true;
        ASSERT_EQ(render::RenderEngraving(options, job), render::RenderStatus::kOk);
        // Near the crop's edges the preview reads black outside it, as the full render does outside the
        // image; further in both must agree.
        for (int y = 3; y < 6; ++y)
            for (int x = 3; x < 9; ++x)
                EXPECT_EQ(crop.OutputPixel(x, y)[0], full.OutputPixel(x + 14, y + 10)[0])
                    << pattern << " " << x << "," << y;
    }
}

class EveryPattern : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(Patterns, EveryPattern, ::testing::Range(0, 13));

TEST_P(EveryPattern, DrawsInkAndDarkAreasGetMoreOfIt) {
    EngravingOptions options;
    options.pattern = static_cast<uint8_t>(GetParam());
    options.space = 12.0f;
    for (bool solid : {false, true}) {
        options.solidInk = solid;
        int64_t ink[2] = {0, 0};
        const uint8_t tones[2] = {40, 200};
        for (int i = 0; i < 2; ++i) {
            TestImage<uint8_t> image(30, 24, 3);
            image.Fill(tones[i]);
            ASSERT_EQ(render::RenderEngraving(options, image.Job()), render::RenderStatus::kOk);
            for (uint8_t v : image.output) ink[i] += 255 - v;
        }
        EXPECT_GT(ink[0], ink[1]) << "solid " << solid;
        EXPECT_GT(ink[1], 0) << "solid " << solid;
    }
}

TEST(PatternReliefAndNoise, DenseSamplingOnlyInFinalRenders) {
    EngravingOptions options;
    options.randomness = 400.0f;  // relief above 15
    EXPECT_NE(Render(options, 20, 16, 3, /*preview=*/false), Render(options, 20, 16, 3, /*preview=*/true));
    options.randomness = 100.0f;
    EXPECT_EQ(Render(options, 20, 16, 3, false), Render(options, 20, 16, 3, true));
}

TEST(PatternReliefAndNoise, NoiseChangesThePictureReproducibly) {
    EngravingOptions options;
    const auto plain = Render(options, 20, 16);
    options.noise = 60.0f;
    const auto noisy = Render(options, 20, 16);
    EXPECT_NE(plain, noisy);
    EXPECT_EQ(noisy, Render(options, 20, 16));
}

}  // namespace
