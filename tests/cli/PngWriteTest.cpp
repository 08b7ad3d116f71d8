// The PNG writer filters and compresses the image data itself: every layout and level must read
// back exactly through libpng, and the default must not give up size for its speed.
#include "imageio/ImageFile.h"
#include "imageio/PngFile.h"
#include "tests/cli/EngraveProcess.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <tuple>
#include <vector>

namespace {

using imageio::ColorModel;
using imageio::Raster;

// Smooth ramps (where Sub, Up, Average and Paeth win), flat runs (None) and hash noise, so that
// every filter is chosen somewhere and a slip in any of them shows.
Raster Mixed(int32_t width, int32_t height, int32_t channels, int32_t depth) {
    Raster raster;
    raster.width = width;
    raster.height = height;
    raster.channels = channels;
    raster.depth = depth;
    raster.model = channels <= 2 ? ColorModel::kGrey : ColorModel::kRgb;
    raster.bytes.resize(static_cast<size_t>(raster.RowBytes() * height));
    const uint32_t full = depth == 16 ? 65535u : 255u;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int32_t c = 0; c < channels; ++c) {
                const uint32_t hash = (static_cast<uint32_t>(x) * 2654435761u) ^ (static_cast<uint32_t>(y) * 40503u);
                uint32_t v = 0;
                switch ((y / 4) % 4) {
                    case 0:
                        v = full * static_cast<uint32_t>(x + c) / static_cast<uint32_t>(width + channels);
                        break;
                    case 1:
                        v = full * static_cast<uint32_t>(y) / static_cast<uint32_t>(height);
                        break;
                    case 2:
                        v = full / 2;
                        break;
                    default:
                        v = (hash >> 7) % (full + 1);
                        break;
                }
                const size_t at = static_cast<size_t>((int64_t{y} * width + x) * channels + c);
                if (depth == 16)
                    reinterpret_cast<uint16_t*>(raster.bytes.data())[at] = static_cast<uint16_t>(v);
                else
                    raster.bytes[at] = static_cast<uint8_t>(v);
            }
    return raster;
}

// (channels, depth, level)
class PngWrite : public ::testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(PngWrite, ReadsBackExactlyAtEverySizeAndLevel) {
    const auto [channels, depth, level] = GetParam();
    cli_test::TempFolder folder;
    // A single row and a single column have no neighbour above or to the left at all.
    for (const auto& [width, height] : {std::pair{61, 37}, std::pair{1, 9}, std::pair{9, 1}}) {
        const Raster raster = Mixed(width, height, channels, depth);
        imageio::WriteOptions options;
        options.compression = level;
        std::string error;
        const std::string path = folder.Path("a.png");
        ASSERT_TRUE(imageio::WritePng(path, raster, options, error)) << error;
        Raster back;
        imageio::FileFormat format;
        ASSERT_TRUE(imageio::ReadImage(path, back, format, error)) << error;
        EXPECT_EQ(back.width, width);
        EXPECT_EQ(back.height, height);
        EXPECT_EQ(back.channels, channels);
        EXPECT_EQ(back.depth, depth);
        EXPECT_EQ(back.bytes, raster.bytes) << width << "x" << height;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, PngWrite,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4), ::testing::Values(8, 16),
                                            ::testing::Values(imageio::kDefaultCompression, 0, 1, 12)));

// libpng's own writer at its defaults (zlib level 6, the same filter choice): the size users knew.
size_t LibpngDefaultSize(const Raster& raster) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(raster.width);
    image.height = static_cast<png_uint_32>(raster.height);
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, raster.bytes.data(), 0, nullptr));
    return size;
}

TEST(PngWriteSize, DefaultIsNoLargerThanLibpngsDefaultOnAPhotograph) {
    Raster photo;
    imageio::FileFormat format;
    std::string error;
    ASSERT_TRUE(imageio::ReadImage(std::string(MV_TEST_DATA_DIR) + "/astronaut.png", photo, format, error)) << error;
    cli_test::TempFolder folder;
    ASSERT_TRUE(imageio::WritePng(folder.Path("a.png"), photo, error)) << error;
    const auto written = static_cast<double>(std::filesystem::file_size(folder.Path("a.png")));
    EXPECT_LE(written, 1.05 * static_cast<double>(LibpngDefaultSize(photo)));
}

}  // namespace
