#include "cli/HostImageConversion.h"

#include <gtest/gtest.h>

namespace {

using imageio::ColorModel;
using imageio::Raster;

Raster Make(ColorModel model, int32_t channels, int32_t depth) {
    Raster raster;
    raster.width = 3;
    raster.height = 2;
    raster.model = model;
    raster.channels = channels;
    raster.depth = depth;
    raster.bytes.resize(static_cast<size_t>(raster.RowBytes() * raster.height));
    for (size_t i = 0; i < raster.bytes.size(); ++i) raster.bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    return raster;
}

TEST(HostImageConversion, GreyWithOpacityIsEngravedAsRgbaAndComesBackGrey) {
    const Raster grey = Make(ColorModel::kGrey, 2, 8);
    emulator::HostImage image;
    std::string error;
    ASSERT_TRUE(cli::ToHostImage(grey, image, error));
    EXPECT_EQ(image.mode, host::kModeRGB);
    ASSERT_EQ(image.planes, 4);
    EXPECT_EQ(image.Sample(1, 1, 0), grey.bytes[8]);
    EXPECT_EQ(image.Sample(1, 1, 2), grey.bytes[8]);
    EXPECT_EQ(image.Sample(1, 1, 3), grey.bytes[9]);
    const Raster back = cli::FromHostImage(image, grey);
    EXPECT_EQ(back.model, ColorModel::kGrey);
    EXPECT_EQ(back.bytes, grey.bytes);
}

TEST(HostImageConversion, SixteenBitCmykKeepsItsPlanesAndSurvivesTheRoundTrip) {
    Raster cmyk = Make(ColorModel::kCmyk, 5, 16);
    emulator::HostImage image;
    std::string error;
    ASSERT_TRUE(cli::ToHostImage(cmyk, image, error));
    EXPECT_EQ(image.mode, host::kModeCMYK64);
    EXPECT_EQ(image.planes, 5);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            for (int32_t c = 0; c < 5; ++c) EXPECT_LE(image.Sample(x, y, c), 32768u);
    // Host values are what the plug-in writes; those come back unchanged after a second pass.
    const Raster once = cli::FromHostImage(image, cmyk);
    emulator::HostImage again;
    ASSERT_TRUE(cli::ToHostImage(once, again, error));
    EXPECT_EQ(again.samples, image.samples);
}

TEST(HostImageConversion, TakingThePixelsGivesWhatCopyingGives) {
    for (const Raster& file :
         {Make(ColorModel::kRgb, 4, 16), Make(ColorModel::kGrey, 1, 16), Make(ColorModel::kCmyk, 4, 8)}) {
        emulator::HostImage copied, taken;
        std::string error;
        ASSERT_TRUE(cli::ToHostImage(file, copied, error));
        Raster moved = file;
        ASSERT_TRUE(cli::ToHostImage(std::move(moved), taken, error));
        EXPECT_EQ(taken.samples, copied.samples);
        EXPECT_EQ(taken.planes, copied.planes);
        EXPECT_EQ(moved.width, file.width);  // the shape stays for the way back

        const Raster back = cli::FromHostImage(std::move(taken), moved);
        EXPECT_EQ(back.bytes, cli::FromHostImage(copied, file).bytes);
        EXPECT_EQ(back.model, file.model);
        EXPECT_EQ(back.channels, file.channels);
    }
}

TEST(HostImageConversion, RefusesImagesTheHostCannotAddress) {
    Raster wide;
    wide.width = cli::kMaxHostSide + 1;
    wide.height = 1;
    emulator::HostImage image;
    std::string error;
    EXPECT_FALSE(cli::ToHostImage(wide, image, error));
    EXPECT_NE(error.find("32767"), std::string::npos) << error;
}

}  // namespace
