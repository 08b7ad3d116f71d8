#include "imageio/PngFile.h"

#include "imageio/ByteOrder.h"
#include "imageio/InputBytes.h"
#include "imageio/PngImageData.h"
#include "imageio/PngPlainImageData.h"
#include "memory/LargePages.h"

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

// Any chunk may hold up to 2 GB; pieces of 1 MiB keep each one easy on streaming readers.
constexpr size_t kIdatChunkBytes = size_t{1} << 20;
constexpr int32_t kRowsBetweenReports = 64;

// libpng's own writer reports a failed write as "Write Error"; this one gives the system's
// reason (a full disk, a file-size limit).
void WriteToFile(png_structp png, png_bytep data, png_size_t length) {
    if (std::fwrite(data, 1, length, static_cast<FILE*>(png_get_io_ptr(png))) != length)
        png_error(png, std::strerror(errno));
}
void FlushFile(png_structp png) {
    if (std::fflush(static_cast<FILE*>(png_get_io_ptr(png))) != 0) png_error(png, std::strerror(errno));
}

}  // namespace

namespace {

// libpng pulls its bytes from here; the read position moves through the file's memory.
struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t position;
};

void ReadFromMemory(png_structp png, png_bytep into, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->position) png_error(png, "truncated: the file ends before the image does");
    std::memcpy(into, reader->data + reader->position, length);
    reader->position += length;
}

// The largest text or profile chunk kept in memory; longer ones (real files have kilobytes)
// are refused before their length is allocated.
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, Raster& raster, std::string& error, const ReadLimits& limits,
               const Progress& progress) {
    if (size < 8 || png_sig_cmp(data, 0, 8) != 0) {
        error = "not a PNG file";
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
    if (png == nullptr) {
        error = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    MemoryReader reader{data, size, 8};
    // Everything libpng allocates is released here, also after a longjmp from a corrupt file.
    std::vector<png_bytep> rows;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        if (error.empty()) error = "corrupt PNG file";
        return false;
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, static_cast<png_uint_32>(kMaxSide), static_cast<png_uint_32>(kMaxSide));
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_chunk_cache_max(png, 128);
    // Nothing of the text chunks is kept: skipping them costs no memory whatever they claim.
    static const png_byte kTextChunks[] = {'t', 'E',  'X', 't', '\0', 'z', 'T', 'X',
                                           't', '\0', 'i', 'T', 'X',  't', '\0'};
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kTextChunks, 3);
    png_read_info(png, info);
    // libpng stops reading right after the first image-data chunk's length and name.
    const size_t firstIdat = reader.position - 8;
    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    const bool plain = png_get_interlace_type(png, info) == PNG_INTERLACE_NONE && (bitDepth == 8 || bitDepth == 16) &&
                       colorType != PNG_COLOR_TYPE_PALETTE && !png_get_valid(png, info, PNG_INFO_tRNS);
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
    const ImageHeader header{raster.width, raster.height, raster.channels, raster.depth, raster.model};
    // libpng keeps one row (two when interlaced) beside the image.
    const int64_t needed = DecodedBytes(header) + 2 * raster.RowBytes();
    if (needed > limits.maxBytes || (limits.approve && !limits.approve(header, error))) {
        if (needed > limits.maxBytes) error = TooLargeMessage(needed, limits.maxBytes);
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    const size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != static_cast<size_t>(raster.RowBytes())) {
        png_destroy_read_struct(&png, &info, nullptr);
        error = "unsupported PNG layout";
        return false;
    }
    if (plain &&
        DecodePlainImageData(data, size, firstIdat, raster, limits.maxBytes - DecodedBytes(header), progress)) {
        png_destroy_read_struct(&png, &info, nullptr);
        return true;
    }
    // Anything else, or anything damaged, goes through libpng, which has not read on meanwhile.
    memory::ReserveInLargePages(raster.bytes, rowBytes * static_cast<size_t>(raster.height));
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

bool ReadPng(const std::string& path, Raster& raster, std::string& error, const ReadLimits& limits,
             const Progress& progress) {
    InputBytes file;
    return file.Open(path, limits.maxBytes, error) &&
           DecodePng(file.Data(), file.Size(), raster, error, limits, progress);
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
    CompressedBytes imageData;
    if (!MakePngImageData(raster, options, imageData)) {
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
    png_set_write_fn(png, file.get(), WriteToFile, FlushFile);
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
