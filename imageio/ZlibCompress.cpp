#include "imageio/ZlibCompress.h"

#include <libdeflate.h>

#include <algorithm>
#include <new>

namespace imageio {

namespace {

struct CompressorFree {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

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
    out.size = libdeflate_zlib_compress(compressor.get(), bytes, size, out.data.get(), bound);
    return out.size != 0;
}

}  // namespace imageio
