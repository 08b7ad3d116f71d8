#include "render/Composition.h"

#include "tests/unit/render/TestImage.h"

#include <gtest/gtest.h>

namespace {

using render::ColorSchema;
using render::CompositionTarget;
using render::RenderSettings;
using render::testing::Full;
using render::testing::TestImage;

template <class Sample>
CompositionTarget<Sample> Target(TestImage<Sample>& image, bool cmyk = false) {
    CompositionTarget<Sample> target;
    target.output = {image.output.data(), image.rowSamples, image.width, image.height, image.planes};
    target.source = {image.source.data(), image.rowSamples, image.width, image.height, image.planes};
    target.cmykLayout = cmyk;
    return target;
}

template <class T>
class CompositionTest : public ::testing::Test {};
using SampleTypes = ::testing::Types<uint8_t, uint16_t>;
TYPED_TEST_SUITE(CompositionTest, SampleTypes);

TYPED_TEST(CompositionTest, DefaultBlackAndWhiteGivesPaperAmountOfUncoveredLevel) {
    using Sample = TypeParam;
    TestImage<Sample> image(1, 1, 3);
    const RenderSettings settings;  // black and white, invert clear, fill alpha
    const auto target = Target(image);
    for (int c = 0; c <= 15; ++c) {
        render::FillOutputBackground(settings, target);
        render::ComposePixel(settings, target, 0, 0, c, 0);
        const uint32_t expected = render::LevelAmount<Sample>(15 - c);
        if (sizeof(Sample) == 1) {
            EXPECT_EQ(expected, 17u * (15u - static_cast<uint32_t>(c)));
        }
        for (int ch = 0; ch < 3; ++ch) EXPECT_EQ(image.output[static_cast<std::size_t>(ch)], expected) << c;
    }
}

TYPED_TEST(CompositionTest, LevelAmountsRunFromZeroToExactlyFull) {
    using Sample = TypeParam;
    EXPECT_EQ(render::LevelAmount<Sample>(0), 0u);
    EXPECT_EQ(render::LevelAmount<Sample>(15), Full<Sample>());
    for (int level = 1; level <= 15; ++level)
        EXPECT_GT(render::LevelAmount<Sample>(level), render::LevelAmount<Sample>(level - 1));
    EXPECT_EQ(render::AmountFactor<Sample>(Full<Sample>()), 1.0f);
}

TYPED_TEST(CompositionTest, InvertedInitialColorWithoutCoverageIsBlackOrTransparent) {
    using Sample = TypeParam;
    RenderSettings settings;
    settings.schema = ColorSchema::kInitialColor;
    settings.invert = true;
    TestImage<Sample> rgb(1, 1, 3);
    rgb.Fill(Full<Sample>() / 2);
    render::FillOutputBackground(settings, Target(rgb));
    render::ComposePixel(settings, Target(rgb), 0, 0, 0, 0);
    for (int ch = 0; ch < 3; ++ch) EXPECT_EQ(rgb.output[static_cast<std::size_t>(ch)], 0);

    TestImage<Sample> rgba(1, 1, 4);
    rgba.Fill(Full<Sample>());
    settings.fillAlpha = false;
    render::FillOutputBackground(settings, Target(rgba));
    render::ComposePixel(settings, Target(rgba), 0, 0, 0, 0);
    EXPECT_EQ(rgba.output[3], 0);
    settings.fillAlpha = true;
    render::ComposePixel(settings, Target(rgba), 0, 0, 0, 0);
    EXPECT_EQ(rgba.output[3], Full<Sample>());
    for (int ch = 0; ch < 3; ++ch) EXPECT_EQ(rgba.output[static_cast<std::size_t>(ch)], 0);
}

TYPED_TEST(CompositionTest, SplitColorOpacityIsTheLargestPassAmountCappedBySource) {
    using Sample = TypeParam;
    RenderSettings settings;
    settings.schema = ColorSchema::kSplitColor;
    settings.fillAlpha = false;
    TestImage<Sample> image(1, 1, 4);
    image.Fill(Full<Sample>());
    image.source[3] = static_cast<Sample>(render::LevelAmount<Sample>(12));
    const auto target = Target(image);
    render::FillOutputBackground(settings, target);
    const int coverage[3] = {9, 13, 11};  // paper levels 6, 2, 4
    for (int pass = 0; pass < 3; ++pass) render::ComposePixel(settings, target, 0, 0, coverage[pass], pass);
    for (int pass = 0; pass < 3; ++pass)
        EXPECT_EQ(image.output[static_cast<std::size_t>(pass)], render::LevelAmount<Sample>(15 - coverage[pass]));
    EXPECT_EQ(image.output[3], render::LevelAmount<Sample>(6));

    image.source[3] = static_cast<Sample>(render::LevelAmount<Sample>(3));
    render::FillOutputBackground(settings, target);
    for (int pass = 0; pass < 3; ++pass) render::ComposePixel(settings, target, 0, 0, coverage[pass], pass);
    EXPECT_EQ(image.output[3], render::LevelAmount<Sample>(3));
}

TYPED_TEST(CompositionTest, SplitColorWithoutOpacityDarkensOnlyItsPassChannel) {
    using Sample = TypeParam;
    RenderSettings settings;
    settings.schema = ColorSchema::kSplitColor;
    TestImage<Sample> image(1, 1, 3);
    const auto target = Target(image);
    render::FillOutputBackground(settings, target);
    render::ComposePixel(settings, target, 0, 0, 15, 1);
    EXPECT_EQ(image.output[0], Full<Sample>());
    EXPECT_EQ(image.output[1], 0);
    EXPECT_EQ(image.output[2], Full<Sample>());
}

TYPED_TEST(CompositionTest, SolidInkOnTransparentInitialColorPaintsOpaqueBlack) {
    using Sample = TypeParam;
    RenderSettings settings;
    settings.schema = ColorSchema::kInitialColor;
    settings.solidInk = true;
    TestImage<Sample> image(2, 1, 4);
    image.Fill(Full<Sample>() / 3);
    const auto target = Target(image);
    render::FillOutputBackground(settings, target);
    render::PaintPixel(settings, target, 1, 0, 0);
    render::PaintPixel(settings, target, 2, 0, 0);  // outside: ignored
    render::PaintPixel(settings, target, -1, 0, 0);
    const Sample* painted = image.OutputPixel(1, 0);
    EXPECT_EQ(painted[0], 0);
    EXPECT_EQ(painted[3], Full<Sample>());
    EXPECT_EQ(image.OutputPixel(0, 0)[0], Full<Sample>() / 3);
}

TYPED_TEST(CompositionTest, CmykLayoutCarriesOpacityInFifthChannel) {
    using Sample = TypeParam;
    RenderSettings settings;
    settings.fillAlpha = false;
    TestImage<Sample> image(1, 1, 5);
    image.Fill(Full<Sample>());
    const auto target = Target(image, /*cmyk=*/true);
    render::FillOutputBackground(settings, target);
    render::ComposePixel(settings, target, 0, 0, 4, 0);
    EXPECT_EQ(image.output[4], image.output[3]);
    EXPECT_EQ(image.output[3], render::LevelAmount<Sample>(11));
    settings.fillAlpha = true;
    render::ComposePixel(settings, target, 0, 0, 4, 0);
    EXPECT_EQ(image.output[4], Full<Sample>());
    EXPECT_EQ(image.output[3], Full<Sample>());
}

}  // namespace
