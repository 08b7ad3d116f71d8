#include "imageio/PngImageData.h"

#include "imageio/PngRowFilter.h"
#include "memory/LargePages.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace imageio {

namespace {

// The default balance of size and speed, measured on engravings and photographs against
// libpng's own default (zlib level 6). libdeflate's level 5 stays within about 2 % of it on
// photographs and most 8-bit engravings, in a third of the time, but makes some engravings a
// fifth to a half larger (16-bit ones, solid ink, dots, some with opacity). Which kind an image
// is shows on a sample of it; those get zlib's level 6 itself, run in pieces on every processor.
constexpr int kFastLevel = 5;
constexpr int kZlibLevel = 6;
constexpr size_t kSamplePieces = 8;
constexpr size_t kSampleBytes = size_t{256} << 10;
constexpr double kZlibMustWinBy = 1.03;

// libdeflate's level 5 unless zlib's level 6 beats it by more than a few percent, as judged
// from evenly spaced pieces of the bytes (about a thirtieth of a 24 MP picture). Small images
// are compressed both ways and the smaller kept.
bool CompressAtDefault(const uint8_t* bytes, size_t size, CompressedBytes& out, const Progress& progress) {
    if (size <= 2 * kSamplePieces * kSampleBytes) {
        CompressedBytes zlib;
        if (!CompressZlib(bytes, size, kFastLevel, out) || !CompressZlibInPieces(bytes, size, kZlibLevel, zlib))
            return false;
        if (zlib.size < out.size) out = std::move(zlib);
        return true;
    }
    size_t fastBytes = 0, zlibBytes = 0;
    for (size_t i = 0; i < kSamplePieces; ++i) {
        const size_t at = (size - kSampleBytes) * (2 * i + 1) / (2 * kSamplePieces);
        CompressedBytes fast, zlib;
        if (!CompressZlib(bytes + at, kSampleBytes, kFastLevel, fast) ||
            !CompressZlibInPieces(bytes + at, kSampleBytes, kZlibLevel, zlib))
            return false;
        fastBytes += fast.size;
        zlibBytes += zlib.size;
    }
    if (static_cast<double>(fastBytes) > kZlibMustWinBy * static_cast<double>(zlibBytes))
        return CompressZlibInPieces(bytes, size, kZlibLevel, out, progress);
    return CompressZlib(bytes, size, kFastLevel, out);
}

// Progress in thousandths: filtering is about a third of the work, deflating the rest.
constexpr int64_t kProgressTotal = 1000;
constexpr int64_t kFilteredAt = 300;
constexpr int32_t kRowsBetweenReports = 64;

// PNG stores 16-bit samples big-endian; the raster holds them in the machine's order.
void ToFileOrder(const uint8_t* row, size_t bytes, int32_t depth, uint8_t* out) {
    if (depth != 16) {
        std::memcpy(out, row, bytes);
        return;
    }
    for (size_t i = 0; i + 1 < bytes; i += 2) {
        uint16_t v;
        std::memcpy(&v, row + i, 2);
        out[i] = static_cast<uint8_t>(v >> 8);
        out[i + 1] = static_cast<uint8_t>(v & 0xFF);
    }
}

// Filters rows [first, last) into `filtered` (1 + rowBytes bytes a row). Each row needs only
// itself and the row above, so ranges of rows are independent of each other.
void FilterRows(const Raster& raster, int32_t first, int32_t last, uint8_t* filtered, const Progress& progress) {
    const auto rowBytes = static_cast<size_t>(raster.RowBytes());
    PngRowFilter filter(rowBytes, raster.channels * raster.BytesPerSample());
    const bool swap = raster.depth == 16;
    std::vector<uint8_t> current(swap ? rowBytes : 0), above(swap ? rowBytes : 0);
    const uint8_t* pixels = raster.bytes.data();
    if (swap && first > 0) ToFileOrder(pixels + (first - 1) * rowBytes, rowBytes, 16, above.data());
    for (int32_t y = first; y < last; ++y) {
        const uint8_t* row = pixels + y * rowBytes;
        const uint8_t* up = y > 0 ? row - rowBytes : nullptr;
        if (swap) {
            ToFileOrder(row, rowBytes, 16, current.data());
            row = current.data();
            up = y > 0 ? above.data() : nullptr;
        }
        filter.Filter(row, up, filtered + static_cast<size_t>(y) * (rowBytes + 1));
        if (swap) std::swap(current, above);
        if (progress && (y - first) % kRowsBetweenReports == 0)
            progress(kFilteredAt * (y - first) / std::max(1, last - first), kProgressTotal);
    }
}

}  // namespace

bool MakePngImageData(const Raster& raster, const WriteOptions& options, CompressedBytes& out) {
    const int level = options.compression;
    const Progress& progress = options.progress;
    const size_t filteredBytes = static_cast<size_t>(raster.RowBytes() + 1) * static_cast<size_t>(raster.height);
    // The filtered rows go into the caller's spare memory when it has room (no reallocation:
    // that would copy it), else into memory of their own.
    std::unique_ptr<uint8_t[]> own;
    uint8_t* filtered = nullptr;
    const bool roomy = options.scratch != nullptr && options.scratch != &raster.bytes &&
                       options.scratch->capacity() >= filteredBytes && filteredBytes > 0;
    if (roomy) {
        if (options.scratch->size() < filteredBytes) options.scratch->resize(filteredBytes);
        filtered = options.scratch->data();
    } else {
        own.reset(new (std::nothrow) uint8_t[filteredBytes == 0 ? 1 : filteredBytes]);
        if (!own) return false;
        memory::AdviseLargePages(own.get(), filteredBytes);
        filtered = own.get();
    }

    // The calling thread takes the first range and reports; the others work silently.
    const int32_t threads = static_cast<int32_t>(std::clamp<unsigned>(
        std::thread::hardware_concurrency(), 1u, static_cast<unsigned>(std::max(1, raster.height))));
    std::vector<std::thread> workers;
    for (int32_t t = 1; t < threads; ++t) {
        const int32_t first = static_cast<int32_t>(int64_t{raster.height} * t / threads);
        const int32_t last = static_cast<int32_t>(int64_t{raster.height} * (t + 1) / threads);
        try {
            workers.emplace_back(FilterRows, std::cref(raster), first, last, filtered, Progress());
        } catch (const std::system_error&) {
            // No thread to be had: the range is filtered here instead, only later.
            FilterRows(raster, first, last, filtered, Progress());
        }
    }
    FilterRows(raster, 0, static_cast<int32_t>(raster.height / threads), filtered, progress);
    for (std::thread& worker : workers) worker.join();
    if (progress) progress(kFilteredAt, kProgressTotal);

    Progress pieces;
    if (progress)
        pieces = [&](int64_t done, int64_t total) {
            progress(kFilteredAt + (kProgressTotal - kFilteredAt) * done / total, kProgressTotal);
        };
    const bool ok = level == kDefaultCompression ? CompressAtDefault(filtered, filteredBytes, out, pieces)
                                                 : CompressZlib(filtered, filteredBytes, level, out);
    if (progress) progress(kProgressTotal, kProgressTotal);
    return ok;
}

}  // namespace imageio
