#include "imageio/PngPlainImageData.h"

#include "imageio/ByteOrder.h"
#include "imageio/PngRowFilter.h"
#include "memory/LargePages.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace imageio {

namespace {

constexpr int32_t kRowsBetweenReports = 64;
constexpr uint32_t kMaxChunkLength = 0x7FFFFFFFu;  // PNG's own bound

uint32_t Be32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}

struct Chunk {
    size_t dataAt = 0;
    uint32_t length = 0;
    const uint8_t* type = nullptr;
    bool Is(const char* name) const { return std::memcmp(type, name, 4) == 0; }
    bool Critical() const { return (type[0] & 0x20) == 0; }
};

// The chunk at `at`, if it lies wholly inside the file and its checksum holds.
bool ReadChunk(const uint8_t* file, size_t size, size_t at, Chunk& chunk) {
    if (at > size || size - at < 12) return false;
    chunk.length = Be32(file + at);
    if (chunk.length > kMaxChunkLength || size - at - 12 < chunk.length) return false;
    chunk.type = file + at + 4;
    chunk.dataAt = at + 8;
    const uint32_t stored = Be32(file + chunk.dataAt + chunk.length);
    return static_cast<uint32_t>(libdeflate_crc32(0, chunk.type, size_t{chunk.length} + 4)) == stored;
}

// The image data chunks from `firstIdat` on, in order; false unless the chunks after them are
// sound up to the end chunk with nothing a decoder must understand among them.
bool FindImageData(const uint8_t* file, size_t size, size_t firstIdat, std::vector<Chunk>& idats) {
    size_t at = firstIdat;
    Chunk chunk;
    while (ReadChunk(file, size, at, chunk) && chunk.Is("IDAT")) {
        idats.push_back(chunk);
        at = chunk.dataAt + chunk.length + 4;
    }
    if (idats.empty()) return false;
    for (;; at = chunk.dataAt + chunk.length + 4) {
        if (!ReadChunk(file, size, at, chunk)) return false;
        if (chunk.Is("IEND")) return true;
        if (chunk.Critical()) return false;  // image data split apart, or a chunk unknown to us
    }
}

struct DecompressorFree {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// Inflates the zlib stream spread over `idats` into exactly `out` (`outSize` bytes); false when
// it is damaged, shorter or longer, or followed by stray bytes.
bool Inflate(const uint8_t* file, const std::vector<Chunk>& idats, uint8_t* out, size_t outSize) {
    std::unique_ptr<libdeflate_decompressor, DecompressorFree> inflater(libdeflate_alloc_decompressor());
    if (!inflater) return false;
    // libdeflate takes one piece of input: a stream split over several chunks is gathered first.
    std::unique_ptr<uint8_t[]> gathered;
    const uint8_t* in = file + idats[0].dataAt;
    size_t inSize = idats[0].length;
    if (idats.size() > 1) {
        inSize = 0;
        for (const Chunk& c : idats) inSize += c.length;
        gathered.reset(new (std::nothrow) uint8_t[inSize]);
        if (!gathered) return false;
        memory::AdviseLargePages(gathered.get(), inSize);
        size_t filled = 0;
        for (const Chunk& c : idats) {
            std::memcpy(gathered.get() + filled, file + c.dataAt, c.length);
            filled += c.length;
        }
        in = gathered.get();
    }
    size_t used = 0;
    return libdeflate_zlib_decompress_ex(inflater.get(), in, inSize, out, outSize, &used, nullptr) ==
               LIBDEFLATE_SUCCESS &&
           used == inSize;
}

void SwapSampleBytes(uint8_t* row, size_t bytes) {
    for (size_t i = 0; i + 1 < bytes; i += 2) std::swap(row[i], row[i + 1]);
}

}  // namespace

bool DecodePlainImageData(const uint8_t* file, size_t size, size_t firstIdat, Raster& raster, int64_t extraBytesAllowed,
                          const Progress& progress) {
    std::vector<Chunk> idats;
    if (!FindImageData(file, size, firstIdat, idats)) return false;
    int64_t gatheredBytes = 0;
    if (idats.size() > 1)
        for (const Chunk& c : idats) gatheredBytes += c.length;
    const auto rowBytes = static_cast<size_t>(raster.RowBytes());
    const auto height = static_cast<size_t>(raster.height);
    if (gatheredBytes + static_cast<int64_t>(height) > extraBytesAllowed) return false;

    // The filtered rows (a filter byte before each) are inflated into the raster's own memory
    // and reconstructed in place: row y moves y + 1 bytes towards the start, so its bytes are
    // always read before anything is written over them.
    const size_t filteredRowBytes = rowBytes + 1;
    memory::ReserveInLargePages(raster.bytes, filteredRowBytes * height);
    raster.bytes.resize(filteredRowBytes * height);
    uint8_t* base = raster.bytes.data();
    if (!Inflate(file, idats, base, raster.bytes.size())) return false;
    const int64_t total = 2 * int64_t{raster.height};
    if (progress) progress(raster.height, total);

    const int bytesPerPixel = raster.channels * raster.BytesPerSample();
    const bool swap = raster.depth == 16 && IsLittleEndianHost();
    std::vector<uint8_t> filtered(rowBytes), zeros(rowBytes, 0);
    for (size_t y = 0; y < height; ++y) {
        const uint8_t* source = base + y * filteredRowBytes;
        const uint8_t type = source[0];
        std::memcpy(filtered.data(), source + 1, rowBytes);
        uint8_t* row = base + y * rowBytes;
        const uint8_t* above = y > 0 ? row - rowBytes : zeros.data();
        if (!UnfilterRow(type, filtered.data(), above, rowBytes, bytesPerPixel, row)) return false;
        // The row above stays in the file's byte order until this row no longer needs it.
        if (swap && y > 0) SwapSampleBytes(row - rowBytes, rowBytes);
        if (progress && y % kRowsBetweenReports == 0) progress(raster.height + static_cast<int64_t>(y), total);
    }
    if (swap && height > 0) SwapSampleBytes(base + (height - 1) * rowBytes, rowBytes);
    raster.bytes.resize(rowBytes * height);
    return true;
}

}  // namespace imageio
