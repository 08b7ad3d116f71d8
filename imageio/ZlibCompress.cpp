#include "imageio/ZlibCompress.h"

#include "memory/LargePages.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace imageio {

namespace {

struct CompressorFree {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

// Pieces of 1 MiB keep both processors busy to the end; the priming makes their borders cost
// only the few bytes that end each piece.
constexpr size_t kPieceBytes = size_t{1} << 20;
constexpr size_t kWindowBytes = size_t{32} << 10;

struct Piece {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
    uLong adler = 0;
    bool ok = false;
};

// Raw deflate of piece `index`, ended by a sync flush (or the final block for the last piece).
void DeflatePiece(z_stream& stream, const uint8_t* bytes, size_t size, size_t index, Piece& piece) {
    const size_t start = index * kPieceBytes;
    const size_t length = std::min(kPieceBytes, size - start);
    const bool last = start + length == size;
    piece.adler = adler32_z(adler32_z(0, nullptr, 0), bytes + start, length);
    if (deflateReset(&stream) != Z_OK) return;
    if (start > 0) {
        const size_t primed = std::min(kWindowBytes, start);
        if (deflateSetDictionary(&stream, bytes + start - primed, static_cast<uInt>(primed)) != Z_OK) return;
    }
    // The bound covers the final block; a sync flush adds at most a few bytes more.
    const size_t capacity = deflateBound(&stream, static_cast<uLong>(length)) + 16;
    piece.data.reset(new (std::nothrow) uint8_t[capacity]);
    if (!piece.data) return;
    stream.next_in = const_cast<Bytef*>(bytes + start);
    stream.avail_in = static_cast<uInt>(length);
    stream.next_out = piece.data.get();
    stream.avail_out = static_cast<uInt>(capacity);
    const int result = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    piece.ok = (last ? result == Z_STREAM_END : result == Z_OK) && stream.avail_in == 0 && stream.avail_out > 0;
    piece.size = capacity - stream.avail_out;
}

// The two header bytes of a zlib stream with a 32 KiB window, its level class named as zlib does.
void ZlibHeader(int level, uint8_t header[2]) {
    const unsigned levelClass = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
    const unsigned cmf = 0x78, flg = levelClass << 6;
    header[0] = static_cast<uint8_t>(cmf);
    header[1] = static_cast<uint8_t>(flg + 31 - (cmf * 256 + flg) % 31);
}

}  // namespace

bool CompressZlib(const uint8_t* bytes, size_t size, int level, CompressedBytes& out) {
    std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(std::clamp(level, 0, 12)));
    if (!compressor) return false;
    const size_t bound = libdeflate_zlib_compress_bound(compressor.get(), size);
    // Left uninitialised: the bound allows for incompressible data, and pages the output never
    // reaches are never touched.
    out.data.reset(new (std::nothrow) uint8_t[bound]);
    if (!out.data) return false;
    memory::AdviseLargePages(out.data.get(), bound);
    out.size = libdeflate_zlib_compress(compressor.get(), bytes, size, out.data.get(), bound);
    return out.size != 0;
}

bool CompressZlibInPieces(const uint8_t* bytes, size_t size, int level, CompressedBytes& out,
                          const Progress& progress) {
    level = std::clamp(level, 1, 9);
    const size_t count = std::max<size_t>(1, (size + kPieceBytes - 1) / kPieceBytes);
    std::vector<Piece> pieces(count);
    std::atomic<size_t> next{0}, done{0};
    std::atomic<bool> failed{false};
    // Each worker takes the next piece until none is left; the calling thread works too and
    // reports.
    const auto work = [&](bool reports) {
        z_stream stream{};
        if (deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
            failed = true;
            return;
        }
        for (size_t i = next++; i < count && !failed; i = next++) {
            DeflatePiece(stream, bytes, size, i, pieces[i]);
            if (!pieces[i].ok) failed = true;
            const size_t finished = ++done;
            if (reports && progress) progress(static_cast<int64_t>(finished), static_cast<int64_t>(count));
        }
        deflateEnd(&stream);
    };
    const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, count);
    std::vector<std::thread> workers;
    for (size_t t = 1; t < threads; ++t) {
        try {
            workers.emplace_back(work, false);
        } catch (const std::system_error&) {
            break;  // the threads there are share the pieces
        }
    }
    work(true);
    for (std::thread& worker : workers) worker.join();
    if (failed) return false;

    size_t total = 2 + 4;  // header and checksum
    uLong adler = adler32_z(0, nullptr, 0);
    for (size_t i = 0; i < count; ++i) {
        total += pieces[i].size;
        const size_t length = std::min(kPieceBytes, size - i * kPieceBytes);
        adler = adler32_combine(adler, pieces[i].adler, static_cast<z_off_t>(length));
    }
    out.data.reset(new (std::nothrow) uint8_t[total]);
    if (!out.data) return false;
    uint8_t* at = out.data.get();
    ZlibHeader(level, at);
    at += 2;
    for (const Piece& p : pieces) {
        std::copy(p.data.get(), p.data.get() + p.size, at);
        at += p.size;
    }
    for (int i = 0; i < 4; ++i) *at++ = static_cast<uint8_t>(adler >> (24 - 8 * i));
    out.size = total;
    return true;
}

}  // namespace imageio
