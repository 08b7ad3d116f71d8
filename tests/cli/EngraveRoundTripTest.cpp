// engrave run as a process on every file layout it takes: the output is readable and keeps the
// input's format, size, colour model, depth and layout.
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using imageio::ColorModel;
using imageio::FileFormat;

struct Layout {
    FileFormat format;
    ColorModel model;
    int32_t channels;
    int32_t depth;
    bool planar;
};

std::string Name(const Layout& l) {
    static const char* const kModels[] = {"Grey", "Rgb", "Cmyk", "Lab"};
    return std::string(imageio::FormatName(l.format)) + kModels[static_cast<int>(l.model)] +
           std::to_string(l.channels) + "x" + std::to_string(l.depth) + (l.planar ? "Planar" : "");
}

class EngraveRoundTrip : public ::testing::TestWithParam<Layout> {};

TEST_P(EngraveRoundTrip, WritesAReadableFileInTheInputsOwnLayout) {
    const Layout l = GetParam();
    imageio::Raster input = cli_test::MakeRaster(l.model, l.channels, l.depth);
    input.details.planar = l.planar;
    cli_test::TempFolder folder;
    const std::string extension = l.format == FileFormat::kPng ? ".png" : ".tif";
    cli_test::WriteFile(folder.Path("in" + extension), input, l.format);

    const auto run = cli_test::RunEngrave({folder.Path("in" + extension), "-o", folder.Path("out" + extension)});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");  // no bar and no chatter when standard error is no terminal

    FileFormat format;
    const imageio::Raster output = cli_test::ReadFile(folder.Path("out" + extension), &format);
    EXPECT_EQ(format, l.format);
    EXPECT_EQ(output.width, input.width);
    EXPECT_EQ(output.height, input.height);
    EXPECT_EQ(output.model, l.model);
    EXPECT_EQ(output.channels, l.channels);
    EXPECT_EQ(output.depth, l.depth);
    EXPECT_EQ(output.details.planar, l.planar);
    EXPECT_NE(output.bytes, input.bytes);  // it was engraved, not copied
}

INSTANTIATE_TEST_SUITE_P(Png, EngraveRoundTrip,
                         ::testing::Values(Layout{FileFormat::kPng, ColorModel::kGrey, 1, 8, false},
                                           Layout{FileFormat::kPng, ColorModel::kGrey, 2, 16, false},
                                           Layout{FileFormat::kPng, ColorModel::kRgb, 3, 8, false},
                                           Layout{FileFormat::kPng, ColorModel::kRgb, 3, 16, false},
                                           Layout{FileFormat::kPng, ColorModel::kRgb, 4, 8, false},
                                           Layout{FileFormat::kPng, ColorModel::kRgb, 4, 16, false}),
                         [](const auto& param) { return Name(param.param); });

INSTANTIATE_TEST_SUITE_P(Tiff, EngraveRoundTrip,
                         ::testing::Values(Layout{FileFormat::kTiff, ColorModel::kRgb, 3, 8, false},
                                           Layout{FileFormat::kTiff, ColorModel::kRgb, 3, 16, true},
                                           Layout{FileFormat::kTiff, ColorModel::kRgb, 4, 16, false},
                                           Layout{FileFormat::kTiff, ColorModel::kRgb, 4, 8, true},
                                           Layout{FileFormat::kTiff, ColorModel::kCmyk, 4, 8, false},
                                           Layout{FileFormat::kTiff, ColorModel::kCmyk, 4, 16, true},
                                           Layout{FileFormat::kTiff, ColorModel::kCmyk, 5, 8, true},
                                           Layout{FileFormat::kTiff, ColorModel::kCmyk, 5, 16, false},
                                           Layout{FileFormat::kTiff, ColorModel::kGrey, 1, 16, false}),
                         [](const auto& param) { return Name(param.param); });

TEST(EngraveTiff, KeepsTheIccProfileAndResolution) {
    imageio::Raster input = cli_test::MakeRaster(ColorModel::kCmyk, 4, 8);
    input.details.iccProfile.assign(200, 7);
    input.details.xResolution = 300.0f;
    input.details.yResolution = 300.0f;
    input.details.resolutionUnit = 2;  // inches
    cli_test::TempFolder folder;
    cli_test::WriteFile(folder.Path("in.tif"), input, FileFormat::kTiff);
    const auto run = cli_test::RunEngrave({folder.Path("in.tif"), "-o", folder.Path("out.tif")});
    ASSERT_EQ(run.status, 0) << run.err;
    const imageio::Raster output = cli_test::ReadFile(folder.Path("out.tif"));
    EXPECT_EQ(output.details.iccProfile, input.details.iccProfile);
    EXPECT_EQ(output.details.xResolution, 300.0f);
    EXPECT_EQ(output.details.yResolution, 300.0f);
    EXPECT_EQ(output.details.resolutionUnit, 2);
}

}  // namespace
