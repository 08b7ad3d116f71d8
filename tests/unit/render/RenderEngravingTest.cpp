#include "render/RenderEngraving.h"
#include "render/ElementLayout.h"
#include "render/RenderSettings.h"

#include "tests/unit/render/TestImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

using render::EngravingOptions;
using render::RenderStatus;
using render::testing::Full;
using render::testing::TestImage;

template <class Sample>
void FillRamp(TestImage<Sample>& image) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            for (int c = 0; c < image.planes; ++c)
                image.SourcePixel(x, y)[c] =
                    static_cast<Sample>(((x * 19 + y * 7 + c * 5) % 256) * (sizeof(Sample) == 1 ? 1 : 128));
}

template <class T>
class RenderEngravingTest : public ::testing::Test {};
using SampleTypes = ::testing::Types<uint8_t, uint16_t>;
TYPED_TEST_SUITE(RenderEngravingTest, SampleTypes);

TYPED_TEST(RenderEngravingTest, NothingIsWrittenPastTheRowsOfOddWidths) {
    using Sample = TypeParam;
    constexpr Sample kSentinel = 77;
    for (int planes = 3; planes <= 5; ++planes) {
        for (int schema = 0; schema <= 2; ++schema) {
            for (bool solid : {false, true}) {
                for (bool invert : {false, true}) {
                    TestImage<Sample> image(7, 5, planes, /*padding=*/3);
                    FillRamp(image);
                    std::fill(image.output.begin(), image.output.end(), kSentinel);
                    EngravingOptions options;
                    options.colorSchema = static_cast<uint8_t>(schema);
                    options.solidInk = solid;
                    options.invert = invert;
                    options.width = 200.0f;
                    ASSERT_EQ(render::RenderEngraving(options, image.Job()), RenderStatus::kOk);
                    for (int y = 0; y < 5; ++y)
                        for (int i = 7 * planes; i < image.rowSamples; ++i)
                            EXPECT_EQ(image.output[static_cast<std::size_t>(y * image.rowSamples + i)], kSentinel);
                }
            }
        }
    }
}

TYPED_TEST(RenderEngravingTest, FullCoverageGivesExactlyFullInk) {
    using Sample = TypeParam;
    TestImage<Sample> image(16, 12, 3);
    EngravingOptions options;  // black image, widest strokes: most pixels fully covered
    options.invert = true;
    options.width = 200.0f;
    options.space = 8.0f;
    ASSERT_EQ(render::RenderEngraving(options, image.Job()), RenderStatus::kOk);
    const auto count = std::count(image.output.begin(), image.output.end(), static_cast<Sample>(Full<Sample>()));
    EXPECT_GT(count, static_cast<long>(image.output.size() / 2));
    EXPECT_EQ(std::count(image.output.begin(), image.output.end(), static_cast<Sample>(Full<Sample>() - 1)), 0);
    EXPECT_EQ(*std::max_element(image.output.begin(), image.output.end()), Full<Sample>());
}

TYPED_TEST(RenderEngravingTest, EqualInputsGiveEqualPictures) {
    using Sample = TypeParam;
    EngravingOptions options;
    options.randomness = 300.0f;
    options.noise = 40.0f;
    options.pattern = 9;
    TestImage<Sample> a(19, 13, 4);
    TestImage<Sample> b(19, 13, 4);
    FillRamp(a);
    FillRamp(b);
    ASSERT_EQ(render::RenderEngraving(options, a.Job()), RenderStatus::kOk);
    ASSERT_EQ(render::RenderEngraving(options, b.Job()), RenderStatus::kOk);
    EXPECT_EQ(a.output, b.output);
}

TYPED_TEST(RenderEngravingTest, EmptySelectionDrawsNoSample) {
    using Sample = TypeParam;
    for (int pattern : {0, 1, 4, 8}) {
        TestImage<Sample> image(15, 11, 3);
        image.mask.assign(15 * 11, 0);
        EngravingOptions options;
        options.pattern = static_cast<uint8_t>(pattern);
        options.randomness = 200.0f;
        ASSERT_EQ(render::RenderEngraving(options, image.Job()), RenderStatus::kOk);
        for (Sample v : image.output) ASSERT_EQ(v, Full<Sample>()) << pattern;
    }
}

TYPED_TEST(RenderEngravingTest, BarelySelectedPixelsCountAsSelected) {
    using Sample = TypeParam;
    TestImage<Sample> weak(15, 11, 3);
    TestImage<Sample> strong(15, 11, 3);
    FillRamp(weak);
    FillRamp(strong);
    weak.mask.assign(15 * 11, 1);
    strong.mask.assign(15 * 11, 255);
    EngravingOptions options;
    ASSERT_EQ(render::RenderEngraving(options, weak.Job()), RenderStatus::kOk);
    ASSERT_EQ(render::RenderEngraving(options, strong.Job()), RenderStatus::kOk);
    EXPECT_EQ(weak.output, strong.output);
}

TEST(RenderEngraving, SelectionLimitsInkToTheSelectedPart) {
    TestImage<uint8_t> image(30, 20, 3);  // black: ink everywhere it may go
    image.mask.assign(30 * 20, 0);
    for (int y = 0; y < 20; ++y) std::fill_n(image.mask.begin() + y * 30, 10, uint8_t{255});
    ASSERT_EQ(render::RenderEngraving(EngravingOptions{}, image.Job()), RenderStatus::kOk);
    int64_t inkLeft = 0, inkRight = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            (x < 10 ? inkLeft : (x >= 13 ? inkRight : inkLeft)) += 255 - image.OutputPixel(x, y)[0];
    EXPECT_GT(inkLeft, 0);
    EXPECT_EQ(inkRight, 0);
}

TEST(RenderEngraving, RefusesInvalidJobsWithoutWriting) {
    TestImage<uint8_t> image(4, 4, 3);
    std::fill(image.output.begin(), image.output.end(), uint8_t{9});
    const auto before = image.output;
    const EngravingOptions options;
    auto expectRefused = [&](render::RenderJob job) {
        EXPECT_EQ(render::RenderEngraving(options, job), RenderStatus::kInvalidInput);
        EXPECT_EQ(image.output, before);
    };
    auto job = image.Job();
    job.output = nullptr;
    expectRefused(job);
    job = image.Job();
    job.source = nullptr;
    expectRefused(job);
    job = image.Job();
    job.width = 0;
    expectRefused(job);
    job = image.Job();
    job.height = -3;
    expectRefused(job);
    for (int planes : {2, 6}) {
        job = image.Job();
        job.planes = planes;
        expectRefused(job);
    }
    job = image.Job();
    job.depth = 12;
    expectRefused(job);
    job = image.Job();
    job.rowSamples = 11;
    expectRefused(job);
    image.mask.assign(16, 1);
    job = image.Job();
    job.maskRowBytes = 3;
    expectRefused(job);
}

TEST(RenderEngraving, BuffersThatCannotBeAllocatedLeaveTheOutputUntouched) {
    TestImage<uint8_t> image(4, 4, 3);
    std::fill(image.output.begin(), image.output.end(), uint8_t{9});
    auto job = image.Job();
    // Claims an area far larger than memory; nothing may be written before the buffers exist.
    job.width = std::numeric_limits<int32_t>::max();
    job.height = std::numeric_limits<int32_t>::max();
    job.rowSamples = int64_t{job.width} * 3;
    EXPECT_EQ(render::RenderEngraving(EngravingOptions{}, job), RenderStatus::kOutOfMemory);
    for (uint8_t v : image.output) EXPECT_EQ(v, 9);
}

TEST(RenderEngraving, ProgressNeverReportsNegativeWork) {
    struct Log {
        int calls = 0;
        bool negative = false;
    } log;
    TestImage<uint8_t> image(12, 10, 3);
    auto job = image.Job();
    job.progress = [](void* context, int64_t done, int64_t total) {
        auto* l = static_cast<Log*>(context);
        ++l->calls;
        l->negative = l->negative || done < 0 || total < 0;
    };
    job.progressContext = &log;
    EngravingOptions options;
    options.offset = 900.0f;  // the first line starts before the extent
    for (int pattern : {0, 5, 10}) {
        options.pattern = static_cast<uint8_t>(pattern);
        ASSERT_EQ(render::RenderEngraving(options, job), RenderStatus::kOk);
    }
    EXPECT_GT(log.calls, 3);
    EXPECT_FALSE(log.negative);
}

TEST(RenderEngraving, UnknownSchemaAndPatternRenderAsTheDefaults) {
    TestImage<uint8_t> a(14, 10, 3);
    TestImage<uint8_t> b(14, 10, 3);
    FillRamp(a);
    FillRamp(b);
    EngravingOptions odd;
    odd.colorSchema = 7;
    odd.pattern = 200;
    ASSERT_EQ(render::RenderEngraving(odd, a.Job()), RenderStatus::kOk);
    ASSERT_EQ(render::RenderEngraving(EngravingOptions{}, b.Job()), RenderStatus::kOk);
    EXPECT_EQ(a.output, b.output);
}

// Each real setting in turn takes values no dialog allows; every render must end with a picture.
TEST(RenderEngraving, NonFiniteAndHugeSettingsEndSafely) {
    float EngravingOptions::*fields[] = {
        &EngravingOptions::rotation,  &EngravingOptions::space,     &EngravingOptions::offset,
        &EngravingOptions::width,     &EngravingOptions::contrast,  &EngravingOptions::randomness,
        &EngravingOptions::amplitude, &EngravingOptions::frequency, &EngravingOptions::phaseShift,
        &EngravingOptions::threshold, &EngravingOptions::centerX,   &EngravingOptions::centerY,
        &EngravingOptions::noise};
    const float inf = std::numeric_limits<float>::infinity();
    const float values[] = {std::numeric_limits<float>::quiet_NaN(), inf, -inf, 3.0e38f, -3.0e38f, 1.0e-30f};
    for (auto field : fields) {
        for (float value : values) {
            for (int pattern : {1, 3, 12}) {
                for (bool circles : {false, true}) {
                    TestImage<uint8_t> image(9, 6, 4);
                    FillRamp(image);
                    EngravingOptions options;
                    options.*field = value;
                    options.pattern = static_cast<uint8_t>(pattern);
                    options.useCircles = circles;
                    ASSERT_EQ(render::RenderEngraving(options, image.Job()), RenderStatus::kOk);
                }
            }
        }
    }
}

// A recorded action once carried dots of almost no width with huge relief and amplitude: a 1 x 17
// image took minutes. Values far outside the dialog are limited; values near it keep their effect.
TEST(RenderSettings, StoredValuesFarOutsideTheDialogAreLimitedAndNearOnesKept) {
    TestImage<uint8_t> image(1, 17, 3);
    EngravingOptions options;
    options.useCircles = true;
    options.width = 6.0e-36f;
    options.randomness = 1.8e19f;
    options.amplitude = 6.0e25f;
    const render::RenderJob job = image.Job();
    const render::RenderSettings far = render::MakeRenderSettings(options, job);
    EXPECT_EQ(far.relief, 3000.0f / 12.0f);
    EXPECT_EQ(far.amplitude, 2000.0f / 10.0f);
    const render::ElementLayout layout = render::MakeElementLayout(far, job);
    EXPECT_EQ(layout.dotPitch, 1.0f);
    int64_t samples = 0;
    for (const render::Element& e : layout.elements) samples += e.samples;
    EXPECT_LT(samples, 1000000);

    options.randomness = -2500.0f;
    options.amplitude = 1900.0f;
    options.space = 2.0f;
    const render::RenderSettings near = render::MakeRenderSettings(options, job);
    EXPECT_EQ(near.relief, -2500.0f / 12.0f);
    EXPECT_EQ(near.amplitude, 1900.0f / 10.0f);
    EXPECT_EQ(near.spacing, 2.0f);
}

TEST(RenderEngraving, NotBreakKeepsEveryStrokeVisibleOnBlack) {
    TestImage<uint8_t> image(24, 18, 3);  // black, tone direction off: every diameter is 0
    EngravingOptions options;
    options.invertIntensity = false;
    options.pattern = 0;
    ASSERT_EQ(render::RenderEngraving(options, image.Job()), RenderStatus::kOk);
    EXPECT_EQ(std::count(image.output.begin(), image.output.end(), uint8_t{255}),
              static_cast<long>(image.output.size()));
    options.notBreak = true;
    ASSERT_EQ(render::RenderEngraving(options, image.Job()), RenderStatus::kOk);
    EXPECT_LT(std::count(image.output.begin(), image.output.end(), uint8_t{255}),
              static_cast<long>(image.output.size()));
}

}  // namespace
