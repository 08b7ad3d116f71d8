// The PNG reader inflates and reconstructs plain files itself and leaves everything else to
// libpng: on any file, sound or damaged, it must give libpng's answer, pixel for pixel.
#include "imageio/PngFile.h"
#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

namespace {

using imageio::Raster;

struct Decoded {
    bool ok = false;
    std::vector<uint8_t> bytes;
};

struct MemoryStream {
    const std::vector<uint8_t>* file;
    size_t at;
};

void ReadFrom(png_structp png, png_bytep into, png_size_t length) {
    auto* s = static_cast<MemoryStream*>(png_get_io_ptr(png));
    if (length > s->file->size() - s->at) png_error(png, "truncated");
    std::memcpy(into, s->file->data() + s->at, length);
    s->at += length;
}
void WriteTo(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void Flush(png_structp) {}
void Quiet(png_structp, png_const_charp) {}

// libpng alone, with the reader's transforms: the answer the reader must agree with.
Decoded DecodeWithLibpng(const std::vector<uint8_t>& file) {
    Decoded result;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, Quiet);
    png_infop info = png_create_info_struct(png);
    MemoryStream stream{&file, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return Decoded{};
    }
    png_set_read_fn(png, &stream, ReadFrom);
    png_read_info(png, info);
    if (png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (png_get_bit_depth(png, info) == 16) png_set_swap(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    result.bytes.assign(rowBytes * height, 0);
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, result.bytes.data() + y * rowBytes, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    result.ok = true;
    return result;
}

Decoded DecodeWithReader(const std::vector<uint8_t>& file) {
    Raster raster;
    std::string error;
    Decoded result;
    result.ok = imageio::DecodePng(file.data(), file.size(), raster, error, imageio::ReadLimits{});
    if (result.ok) result.bytes = raster.bytes;
    return result;
}

// libpng's writer with every filter allowed and image data cut into chunks of `idatBytes`.
std::vector<uint8_t> WriteWithLibpng(const Raster& raster, size_t idatBytes, bool interlaced = false) {
    static const int kColorTypes[] = {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB,
                                      PNG_COLOR_TYPE_RGB_ALPHA};
    std::vector<uint8_t> file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, Quiet);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write the test file";
        return {};
    }
    png_set_write_fn(png, &file, WriteTo, Flush);
    png_set_compression_buffer_size(png, idatBytes);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_set_IHDR(png, info, static_cast<png_uint_32>(raster.width), static_cast<png_uint_32>(raster.height),
                 raster.depth, kColorTypes[raster.channels - 1], interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    if (raster.depth == 16) png_set_swap(png);
    const int passes = png_set_interlace_handling(png);
    const auto rowBytes = static_cast<size_t>(raster.RowBytes());
    for (int pass = 0; pass < passes; ++pass)
        for (int32_t y = 0; y < raster.height; ++y)
            png_write_row(png, raster.bytes.data() + static_cast<size_t>(y) * rowBytes);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return file;
}

uint32_t Be32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}

// Offset of the chunk of type `name`, the `nth` of them; 0 when there is none.
size_t FindChunk(const std::vector<uint8_t>& file, const char* name, int nth = 0) {
    for (size_t at = 8; at + 12 <= file.size(); at += 12 + Be32(&file[at]))
        if (std::memcmp(&file[at + 4], name, 4) == 0 && nth-- == 0) return at;
    return 0;
}

void SetCrc(std::vector<uint8_t>& file, size_t chunk) {
    const uint32_t length = Be32(&file[chunk]);
    const uLong crc = crc32(0, &file[chunk + 4], length + 4);
    for (int i = 0; i < 4; ++i) file[chunk + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
}

std::vector<uint8_t> Chunk(const char* name, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> chunk(12 + data.size());
    for (int i = 0; i < 4; ++i) chunk[i] = static_cast<uint8_t>(data.size() >> (24 - 8 * i));
    std::memcpy(&chunk[4], name, 4);
    std::copy(data.begin(), data.end(), chunk.begin() + 8);
    const uLong crc = crc32(0, &chunk[4], static_cast<uInt>(data.size() + 4));
    for (int i = 0; i < 4; ++i) chunk[8 + data.size() + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    return chunk;
}

void ExpectSameAnswer(const std::vector<uint8_t>& file, const std::string& what) {
    const Decoded expected = DecodeWithLibpng(file), actual = DecodeWithReader(file);
    EXPECT_EQ(actual.ok, expected.ok) << what;
    if (actual.ok && expected.ok) {
        EXPECT_TRUE(actual.bytes == expected.bytes) << what;
    }
}

TEST(PngRead, AgreesWithLibpngOnEveryLayoutFilterAndChunking) {
    for (int32_t channels : {1, 2, 3, 4})
        for (int32_t depth : {8, 16}) {
            const auto model = channels <= 2 ? imageio::ColorModel::kGrey : imageio::ColorModel::kRgb;
            const Raster raster = cli_test::MakeRaster(model, channels, depth, 67, 45);
            // One chunk, chunks of a few bytes, and an interlaced file (left to libpng).
            for (size_t idatBytes : {size_t{1} << 20, size_t{7}}) {
                const std::vector<uint8_t> file = WriteWithLibpng(raster, idatBytes);
                ExpectSameAnswer(file, std::to_string(channels) + " channels, " + std::to_string(depth) + " bits");
                EXPECT_TRUE(DecodeWithReader(file).bytes == raster.bytes);
            }
            ExpectSameAnswer(WriteWithLibpng(raster, 4096, true), "interlaced");
        }
}

TEST(PngRead, DamagedOrUnusualFilesGetLibpngsAnswer) {
    const Raster raster = cli_test::MakeRaster(imageio::ColorModel::kRgb, 4, 16, 40, 30);
    const std::vector<uint8_t> sound = WriteWithLibpng(raster, 500);
    const size_t idat = FindChunk(sound, "IDAT"), secondIdat = FindChunk(sound, "IDAT", 1);
    const size_t iend = FindChunk(sound, "IEND");
    ASSERT_NE(secondIdat, 0u);

    std::vector<uint8_t> file = sound;
    file[idat + 20] ^= 0x40;
    ExpectSameAnswer(file, "image data damaged, its checksum wrong");
    SetCrc(file, idat);
    ExpectSameAnswer(file, "image data damaged, its checksum right");

    file = sound;
    file[idat + 8] = 0x78;
    file[idat + 9] = 0x01;  // a valid header of another window size and level
    SetCrc(file, idat);
    ExpectSameAnswer(file, "other zlib header");

    for (size_t cut : {secondIdat + 30, iend, iend + 6, sound.size() - 1})
        ExpectSameAnswer(std::vector<uint8_t>(sound.begin(), sound.begin() + static_cast<ptrdiff_t>(cut)),
                         "cut at " + std::to_string(cut));

    const auto insertBefore = [&](size_t at, const std::vector<uint8_t>& chunk) {
        std::vector<uint8_t> f = sound;
        f.insert(f.begin() + static_cast<ptrdiff_t>(at), chunk.begin(), chunk.end());
        return f;
    };
    ExpectSameAnswer(insertBefore(secondIdat, Chunk("tEXt", {'a', 0, 'b'})), "text between image data chunks");
    ExpectSameAnswer(insertBefore(iend, Chunk("tEXt", {'a', 0, 'b'})), "text after the image data");
    std::vector<uint8_t> badText = Chunk("tEXt", {'a', 0, 'b'});
    badText.back() ^= 1;
    ExpectSameAnswer(insertBefore(iend, badText), "text with a wrong checksum after the image data");
    ExpectSameAnswer(insertBefore(iend, Chunk("zzZZ", {1, 2})), "unknown critical chunk after the image data");
    ExpectSameAnswer(insertBefore(iend, Chunk("IDAT", {})), "empty image data chunk after the end of the stream");
    // Stray bytes after the compressed stream, inside the last image data chunk.
    ExpectSameAnswer(insertBefore(iend, Chunk("IDAT", {0, 0, 0})), "stray bytes after the stream");
}

// A whole file around `filtered` (a filter byte, then the row's bytes, for every row).
std::vector<uint8_t> PngAround(int32_t width, int32_t height, const std::vector<uint8_t>& filtered) {
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header(13, 0);
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<uint8_t>(width >> (24 - 8 * i));
        header[4 + i] = static_cast<uint8_t>(height >> (24 - 8 * i));
    }
    header[8] = 8;  // bits
    header[9] = 2;  // RGB
    std::vector<uint8_t> compressed(compressBound(filtered.size()));
    uLongf size = compressed.size();
    compress2(compressed.data(), &size, filtered.data(), filtered.size(), 6);
    compressed.resize(size);
    for (const auto& chunk : {Chunk("IHDR", header), Chunk("IDAT", compressed), Chunk("IEND", {})})
        file.insert(file.end(), chunk.begin(), chunk.end());
    return file;
}

TEST(PngRead, ImageDataOfTheWrongLengthOrFilterGetsLibpngsAnswer) {
    const int32_t width = 5, height = 4;
    const size_t rowBytes = 1 + 3 * width;
    std::vector<uint8_t> filtered(rowBytes * height);
    for (size_t i = 0; i < filtered.size(); ++i)
        filtered[i] = static_cast<uint8_t>(i % rowBytes == 0 ? (i / rowBytes) % 5 : i * 37 % 251);
    ExpectSameAnswer(PngAround(width, height, filtered), "every filter type");
    std::vector<uint8_t> f = filtered;
    f[2 * rowBytes] = 5;
    ExpectSameAnswer(PngAround(width, height, f), "an undefined filter type");
    f = filtered;
    f.resize(f.size() - 3);
    ExpectSameAnswer(PngAround(width, height, f), "three bytes short");
    f = filtered;
    f.insert(f.end(), rowBytes, 0);
    ExpectSameAnswer(PngAround(width, height, f), "a row too many");
}

}  // namespace
