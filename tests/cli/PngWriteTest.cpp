// The PNG writer filters and compresses the image data itself: every layout and level must read
// back exactly through libpng, and the default must not give up size for its speed.
#include "imageio/ImageFile.h"
#include "imageio/PngFile.h"
#include "imageio/ZlibCompress.h"
#include "tests/cli/EngraveProcess.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
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

// zlib in pieces: one valid stream (header, blocks, combined checksum) whatever the length
// against the pieces, and about the size of one zlib pass.
TEST(ZlibInPieces, InflatesToTheInputAtEveryLengthAroundThePieces) {
    constexpr size_t kPiece = size_t{1} << 20;
    std::vector<uint8_t> input(3 * kPiece + 17);
    uint32_t state = 12345;
    for (size_t i = 0; i < input.size(); ++i) {
        state = state * 1103515245u + 12345u;
        // Runs and repeats reaching across the pieces' borders, with noise between them.
        input[i] = (i / 4096) % 3 == 0 ? static_cast<uint8_t>(state >> 24) : static_cast<uint8_t>(i / 7 % 5);
    }
    for (size_t length : {size_t{0}, size_t{1}, kPiece - 1, kPiece, kPiece + 1, input.size()})
        for (int level : {1, 6, 9}) {
            imageio::CompressedBytes out;
            ASSERT_TRUE(imageio::CompressZlibInPieces(input.data(), length, level, out));
            std::vector<uint8_t> back(length + 1);
            uLongf backSize = back.size();
            ASSERT_EQ(uncompress(back.data(), &backSize, out.data.get(), out.size), Z_OK) << length << " " << level;
            ASSERT_EQ(backSize, length);
            EXPECT_TRUE(std::equal(input.begin(), input.begin() + static_cast<ptrdiff_t>(length), back.begin()));
            if (length == input.size()) {
                uLongf onePass = compressBound(length);
                std::vector<uint8_t> single(onePass);
                compress2(single.data(), &onePass, input.data(), length, level);
                EXPECT_LE(out.size, onePass + onePass / 100 + 64) << level;
            }
        }
}

// libpng's own writer at its defaults (zlib level 6, the same filter choice): the size users knew.
size_t LibpngDefaultSize(const Raster& raster) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(raster.width);
    image.height = static_cast<png_uint_32>(raster.height);
    image.format = raster.channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;  // 8-bit only
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

// Engravings on which libdeflate's fast level loses a fifth or more (solid ink, opacity), and a
// plain one, each large enough to be judged from a sample: the default keeps near libpng's.
TEST(PngWriteSize, DefaultStaysNearLibpngsDefaultOnEngravings) {
    const Raster photo = cli_test::ReadFile(std::string(MV_TEST_DATA_DIR) + "/astronaut.png");
    ASSERT_EQ(photo.channels, 3);
    cli_test::TempFolder folder;
    for (const auto& [channels, option] :
         {std::pair{3, "--solid-ink"}, std::pair{4, "--no-invert"}, std::pair{3, "--no-invert"}}) {
        // The photograph scaled up (nearest pixel) to 1536 x 1536, opaque when it has opacity.
        Raster large;
        large.width = large.height = 3 * photo.width;
        large.channels = channels;
        large.bytes.resize(static_cast<size_t>(large.RowBytes() * large.height));
        for (int32_t y = 0; y < large.height; ++y)
            for (int32_t x = 0; x < large.width; ++x)
                for (int32_t c = 0; c < channels; ++c)
                    large.bytes[(static_cast<size_t>(y) * large.width + x) * channels + c] =
                        c < 3 ? photo.bytes[(static_cast<size_t>(y / 3) * photo.width + x / 3) * 3 + c] : 255;
        cli_test::WriteFile(folder.Path("in.png"), large, imageio::FileFormat::kPng);
        const cli_test::ProcessResult run =
            cli_test::RunEngrave({folder.Path("in.png"), "-o", folder.Path("out.png"), "-q", option});
        ASSERT_EQ(run.status, 0) << run.err;
        const Raster engraved = cli_test::ReadFile(folder.Path("out.png"));
        const auto written = static_cast<double>(std::filesystem::file_size(folder.Path("out.png")));
        EXPECT_LE(written, 1.05 * static_cast<double>(LibpngDefaultSize(engraved))) << channels << " " << option;
    }
}

}  // namespace
