#include "imageio/PngFile.h"

#include "imageio/Limits.h"
#include "imageio/PngImageData.h"

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

namespace imageio {

namespace {

struct FileCloser {
    void operator()(FILE* f) const {
        if (f != nullptr) std::fclose(f);
    }
};
using File = std::unique_ptr<FILE, FileCloser>;

void OnPngError(png_structp png, png_const_charp message) {
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    if (error != nullptr) *error = message;
    longjmp(png_jmpbuf(png), 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

// libdeflate's level 5 with libpng's filter choice: within 5 % of libpng's own default (zlib level
// 6) on engravings and photographs alike, smaller on most, in about a third of the time. Level 4
// is faster still but loses more than 5 % on plain photographs.
constexpr int kDefaultPngLevel = 5;
// Any chunk may hold up to 2 GB; pieces of 1 MiB keep each one easy on streaming readers.
constexpr size_t kIdatChunkBytes = size_t{1} << 20;
constexpr int32_t kRowsBetweenReports = 64;

bool IsLittleEndianHost() {
    const uint16_t probe = 1;
    uint8_t first;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

}  // namespace

bool ReadPng(const std::string& path, Raster& raster, std::string& error, const Progress& progress) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    uint8_t signature[8];
    if (std::fread(signature, 1, 8, file.get()) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        error = "not a PNG file";
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
    if (png == nullptr) {
        error = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    // Everything libpng allocates is released here, also after a longjmp from a corrupt file.
    std::vector<png_bytep> rows;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        if (error.empty()) error = "corrupt PNG file";
        return false;
    }
    png_init_io(png, file.get());
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, 1 << 20, 1 << 20);
    png_read_info(png, info);
    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (bitDepth == 16 && IsLittleEndianHost()) png_set_swap(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    raster.width = static_cast<int32_t>(png_get_image_width(png, info));
    raster.height = static_cast<int32_t>(png_get_image_height(png, info));
    raster.channels = png_get_channels(png, info);
    raster.depth = png_get_bit_depth(png, info) == 16 ? 16 : 8;
    raster.model = raster.channels <= 2 ? ColorModel::kGrey : ColorModel::kRgb;
    raster.details = FileDetails{};
    if (int64_t{raster.width} * raster.height > kMaxPixels) {
        png_destroy_read_struct(&png, &info, nullptr);
        error = "image too large";
        return false;
    }
    const size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != static_cast<size_t>(raster.RowBytes())) {
        png_destroy_read_struct(&png, &info, nullptr);
        error = "unsupported PNG layout";
        return false;
    }
    raster.bytes.assign(rowBytes * static_cast<size_t>(raster.height), 0);
    rows.resize(static_cast<size_t>(raster.height));
    for (int32_t y = 0; y < raster.height; ++y) rows[static_cast<size_t>(y)] = raster.bytes.data() + y * rowBytes;
    // Row by row as png_read_image does, so that a large picture can report its progress.
    for (int pass = 0; pass < passes; ++pass)
        for (int32_t y = 0; y < raster.height; ++y) {
            png_read_row(png, rows[static_cast<size_t>(y)], nullptr);
            if (progress && y % kRowsBetweenReports == 0)
                progress(int64_t{pass} * raster.height + y, int64_t{passes} * raster.height);
        }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool WritePng(const std::string& path, const Raster& raster, const WriteOptions& options, std::string& error) {
    static const int kColorTypes[] = {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB,
                                      PNG_COLOR_TYPE_RGB_ALPHA};
    const bool greyOrRgb = raster.model == ColorModel::kGrey || raster.model == ColorModel::kRgb;
    if (!greyOrRgb || raster.channels < 1 || raster.channels > 4 || (raster.depth != 8 && raster.depth != 16)) {
        error = "PNG holds grey or RGB in 1 to 4 channels of 8 or 16 bits";
        return false;
    }
    if (raster.bytes.size() != static_cast<size_t>(raster.RowBytes() * raster.height)) {
        error = "the image has fewer pixels than its size says";
        return false;
    }
    // The pixels are compressed before the file is opened: a failure here leaves no file behind.
    const int level = options.compression == kDefaultCompression ? kDefaultPngLevel : options.compression;
    CompressedBytes imageData;
    if (!MakePngImageData(raster, level, options.progress, imageData)) {
        error = "out of memory";
        return false;
    }
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
    if (png == nullptr) {
        error = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        if (error.empty()) error = "cannot write PNG";
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(raster.width), static_cast<png_uint_32>(raster.height),
                 raster.depth, kColorTypes[raster.channels - 1], PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // libpng lays out the signature, the header and every chunk with its checksum; only the image
    // data comes compressed from us, because libpng deflates it through zlib alone.
    for (size_t at = 0; at < imageData.size; at += kIdatChunkBytes)
        png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), imageData.data.get() + at,
                        std::min(kIdatChunkBytes, imageData.size - at));
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
    png_destroy_write_struct(&png, &info);
    // A full disk often shows only when the buffered tail is flushed or the file is closed.
    const bool flushed = std::fflush(file.get()) == 0 && std::ferror(file.get()) == 0;
    const int flushErrno = errno;
    const bool closed = std::fclose(file.release()) == 0;
    if (!flushed || !closed) {
        error = std::strerror(flushed ? errno : flushErrno);
        return false;
    }
    if (options.progress) options.progress(1, 1);
    return true;
}

bool WritePng(const std::string& path, const Raster& raster, std::string& error) {
    return WritePng(path, raster, WriteOptions{}, error);
}

}  // namespace imageio
