// The picture engraved is the one the user sees, and the file written keeps what was drawn:
// turned TIFFs are engraved upright, colour drawn on a grey picture stays colour, and JPEG
// compressed TIFFs are read.
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstring>
#include <functional>

namespace {

using imageio::ColorModel;
using imageio::FileFormat;
using imageio::Raster;

// Writes an 8-bit RGB TIFF whose pixel (x, y) of `width` x `height` comes from `pixel`.
void WriteTurnedTiff(const std::string& path, uint32_t width, uint32_t height, uint16_t orientation,
                     const std::function<const uint8_t*(uint32_t x, uint32_t y)>& pixel) {
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, orientation);
    std::vector<uint8_t> row(width * 3);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) std::memcpy(&row[x * 3], pixel(x, y), 3);
        ASSERT_GE(TIFFWriteScanline(tiff, row.data(), y, 0), 0);
    }
    TIFFClose(tiff);
}

uint16_t OrientationOf(const std::string& path) {
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    uint16_t orientation = 0;
    if (tiff != nullptr) {
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
        TIFFClose(tiff);
    }
    return orientation;
}

TEST(EngravePicture, TurnedTiffIsEngravedAsSeenAndWrittenUpright) {
    cli_test::TempFolder folder;
    const Raster upright = cli_test::MakeRaster(ColorModel::kRgb, 3, 8);
    const auto w = static_cast<uint32_t>(upright.width), h = static_cast<uint32_t>(upright.height);
    const auto at = [&](uint32_t x, uint32_t y) { return upright.bytes.data() + (y * w + x) * 3; };
    cli_test::WriteFile(folder.Path("upright.tif"), upright, FileFormat::kTiff);
    ASSERT_EQ(cli_test::RunEngrave({folder.Path("upright.tif"), "-o", folder.Path("expected.tif")}).status, 0);
    const Raster expected = cli_test::ReadFile(folder.Path("expected.tif"));

    // What a camera stores for each orientation: the upright picture turned the other way.
    WriteTurnedTiff(folder.Path("3.tif"), w, h, 3, [&](uint32_t x, uint32_t y) { return at(w - 1 - x, h - 1 - y); });
    WriteTurnedTiff(folder.Path("6.tif"), h, w, 6, [&](uint32_t x, uint32_t y) { return at(w - 1 - y, x); });
    WriteTurnedTiff(folder.Path("8.tif"), h, w, 8, [&](uint32_t x, uint32_t y) { return at(y, h - 1 - x); });
    for (const char* name : {"3", "6", "8"}) {
        const std::string out = folder.Path(std::string("out") + name + ".tif");
        const auto run = cli_test::RunEngrave({folder.Path(std::string(name) + ".tif"), "-o", out});
        ASSERT_EQ(run.status, 0) << run.err;
        const Raster engraved = cli_test::ReadFile(out);
        EXPECT_EQ(engraved.width, upright.width) << name;
        EXPECT_EQ(engraved.bytes, expected.bytes) << name;
        EXPECT_EQ(OrientationOf(out), ORIENTATION_TOPLEFT) << name;
    }
}

TEST(EngravePicture, ColourDrawnOnGreyIsWrittenInRgb) {
    cli_test::TempFolder folder;
    cli_test::WriteFile(folder.Path("grey.png"), cli_test::MakeRaster(ColorModel::kGrey, 2, 8), FileFormat::kPng);
    const auto split =
        cli_test::RunEngrave({folder.Path("grey.png"), "-o", folder.Path("split.png"), "--color-schema", "1"});
    ASSERT_EQ(split.status, 0) << split.err;
    EXPECT_NE(split.err.find("split.png: written in RGB"), std::string::npos) << split.err;
    const Raster colour = cli_test::ReadFile(folder.Path("split.png"));
    EXPECT_EQ(colour.model, ColorModel::kRgb);
    EXPECT_EQ(colour.channels, 4);  // the opacity stays

    const auto plain = cli_test::RunEngrave({folder.Path("grey.png"), "-o", folder.Path("plain.png")});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(cli_test::ReadFile(folder.Path("plain.png")).model, ColorModel::kGrey);
}

TEST(EngravePicture, JpegCompressedYCbCrTiffIsRead) {
    if (TIFFIsCODECConfigured(COMPRESSION_JPEG) == 0) GTEST_SKIP() << "libtiff without JPEG";
    cli_test::TempFolder folder;
    const Raster picture = cli_test::MakeRaster(ColorModel::kRgb, 3, 8, 48, 32);
    TIFF* tiff = TIFFOpen(folder.Path("jpeg.tif").c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 48);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 32);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_JPEG);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_YCBCR);  // as `tiffcp -c jpeg` writes
    TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16);
    for (uint32_t y = 0; y < 32; ++y)
        ASSERT_GE(TIFFWriteScanline(tiff, const_cast<uint8_t*>(picture.bytes.data()) + y * 48 * 3, y, 0), 0);
    TIFFClose(tiff);

    const auto run = cli_test::RunEngrave({folder.Path("jpeg.tif"), "-o", folder.Path("out.tif")});
    ASSERT_EQ(run.status, 0) << run.err;
    const Raster engraved = cli_test::ReadFile(folder.Path("out.tif"));
    EXPECT_EQ(engraved.model, ColorModel::kRgb);
    EXPECT_EQ(engraved.details.compression, COMPRESSION_LZW);
}

}  // namespace
