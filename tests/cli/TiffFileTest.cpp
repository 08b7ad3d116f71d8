#include "imageio/ImageFile.h"
#include "imageio/PngFile.h"
#include "imageio/TiffFile.h"
#include "tests/cli/EngraveProcess.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstring>
#include <tuple>

namespace {

using imageio::ColorModel;
using imageio::Raster;

Raster Pattern(ColorModel model, int32_t channels, int32_t depth) {
    Raster raster;
    raster.width = 37;  // odd sizes catch stride slips
    raster.height = 23;
    raster.model = model;
    raster.channels = channels;
    raster.depth = depth;
    raster.bytes.resize(static_cast<size_t>(raster.RowBytes() * raster.height));
    for (size_t i = 0; i < raster.bytes.size(); ++i) raster.bytes[i] = static_cast<uint8_t>((i * 131) ^ (i >> 7));
    return raster;
}

// ((model, channels), depth, planar)
using TiffLayout = std::tuple<std::tuple<ColorModel, int>, int, bool>;
class TiffRoundTrip : public ::testing::TestWithParam<TiffLayout> {};

std::string LayoutName(const ::testing::TestParamInfo<TiffLayout>& param) {
    static const char* const kModels[] = {"Grey", "Rgb", "Cmyk", "Lab"};
    const auto& modelAndChannels = std::get<0>(param.param);
    return std::string(kModels[static_cast<int>(std::get<0>(modelAndChannels))]) +
           std::to_string(std::get<1>(modelAndChannels)) + "x" + std::to_string(std::get<1>(param.param)) +
           (std::get<2>(param.param) ? "Planar" : "Interleaved");
}

TEST_P(TiffRoundTrip, ReadsBackExactlyWhatWasWritten) {
    const auto [modelAndChannels, depth, planar] = GetParam();
    const auto [model, channels] = modelAndChannels;
    Raster raster = Pattern(model, channels, depth);
    raster.details.planar = planar;
    cli_test::TempFolder folder;
    std::string error;
    ASSERT_TRUE(imageio::WriteTiff(folder.Path("a.tif"), raster, error)) << error;
    Raster back;
    imageio::FileFormat format;
    ASSERT_TRUE(imageio::ReadImage(folder.Path("a.tif"), back, format, error)) << error;
    EXPECT_EQ(format, imageio::FileFormat::kTiff);
    EXPECT_EQ(back.model, model);
    EXPECT_EQ(back.channels, channels);
    EXPECT_EQ(back.depth, depth);
    EXPECT_EQ(back.details.planar, planar && channels > 1);  // one channel has no layout to keep
    EXPECT_EQ(back.bytes, raster.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, TiffRoundTrip,
    ::testing::Combine(::testing::Values(std::make_tuple(ColorModel::kRgb, 3), std::make_tuple(ColorModel::kRgb, 4),
                                         std::make_tuple(ColorModel::kCmyk, 4), std::make_tuple(ColorModel::kCmyk, 5),
                                         std::make_tuple(ColorModel::kGrey, 1)),
                       ::testing::Values(8, 16), ::testing::Bool()),
    LayoutName);

TEST(ReadTiff, KeepsTheIccProfileResolutionAndOpacityKind) {
    Raster raster = Pattern(ColorModel::kRgb, 4, 8);
    raster.details.iccProfile = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    raster.details.xResolution = 300.0f;
    raster.details.yResolution = 150.0f;
    raster.details.resolutionUnit = RESUNIT_INCH;
    raster.details.alphaKind = EXTRASAMPLE_ASSOCALPHA;
    raster.details.compression = COMPRESSION_ADOBE_DEFLATE;
    cli_test::TempFolder folder;
    std::string error;
    ASSERT_TRUE(imageio::WriteTiff(folder.Path("a.tif"), raster, error)) << error;
    Raster back;
    ASSERT_TRUE(imageio::ReadTiff(folder.Path("a.tif"), back, error)) << error;
    EXPECT_EQ(back.details.iccProfile, raster.details.iccProfile);
    EXPECT_EQ(back.details.xResolution, 300.0f);
    EXPECT_EQ(back.details.yResolution, 150.0f);
    EXPECT_EQ(back.details.resolutionUnit, RESUNIT_INCH);
    EXPECT_EQ(back.details.alphaKind, EXTRASAMPLE_ASSOCALPHA);
    EXPECT_EQ(back.details.compression, COMPRESSION_ADOBE_DEFLATE);
    EXPECT_EQ(back.bytes, raster.bytes);
}

TEST(ReadTiff, ReadsTiledFiles) {
    const Raster raster = Pattern(ColorModel::kRgb, 3, 16);
    cli_test::TempFolder folder;
    TIFF* tiff = TIFFOpen(folder.Path("tiled.tif").c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 37u);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 23u);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_TILEWIDTH, 16u);
    TIFFSetField(tiff, TIFFTAG_TILELENGTH, 16u);
    std::vector<uint8_t> tile(16 * 16 * 6);
    for (uint32_t ty = 0; ty < 23; ty += 16)
        for (uint32_t tx = 0; tx < 37; tx += 16) {
            std::fill(tile.begin(), tile.end(), 0);
            for (uint32_t y = 0; y < 16 && ty + y < 23; ++y)
                for (uint32_t x = 0; x < 16 && tx + x < 37; ++x)
                    std::memcpy(&tile[(y * 16 + x) * 6], &raster.bytes[((ty + y) * 37 + tx + x) * 6], 6);
            TIFFWriteTile(tiff, tile.data(), tx, ty, 0, 0);
        }
    TIFFClose(tiff);
    Raster back;
    std::string error;
    ASSERT_TRUE(imageio::ReadTiff(folder.Path("tiled.tif"), back, error)) << error;
    EXPECT_EQ(back.bytes, raster.bytes);
}

TEST(ReadTiff, RefusesLayoutsItCannotKeepWithAMessage) {
    cli_test::TempFolder folder;
    TIFF* tiff = TIFFOpen(folder.Path("float.tif").c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 2u);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 1u);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 32);
    TIFFSetField(tiff, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_IEEEFP);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    float row[6] = {};
    TIFFWriteScanline(tiff, row, 0, 0);
    TIFFClose(tiff);
    Raster back;
    std::string error;
    EXPECT_FALSE(imageio::ReadTiff(folder.Path("float.tif"), back, error));
    EXPECT_NE(error.find("32 bits"), std::string::npos) << error;
}

TEST(WriteImage, ReportsAFullDisk) {
    std::string error;
    const Raster raster = Pattern(ColorModel::kRgb, 3, 8);
    EXPECT_FALSE(imageio::WritePng("/dev/full", raster, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(imageio::WriteTiff("/dev/full", raster, error));
    EXPECT_FALSE(error.empty());
}

TEST(ReadImage, TellsTheFormatByContentNotName) {
    cli_test::TempFolder folder;
    std::string error;
    const Raster raster = Pattern(ColorModel::kRgb, 3, 8);
    ASSERT_TRUE(imageio::WritePng(folder.Path("really-png.tif"), raster, error));
    Raster back;
    imageio::FileFormat format;
    ASSERT_TRUE(imageio::ReadImage(folder.Path("really-png.tif"), back, format, error)) << error;
    EXPECT_EQ(format, imageio::FileFormat::kPng);
}

}  // namespace
