// imageio/ZlibCompress.h: a whole buffer into one zlib stream, through libdeflate (several times
// faster than zlib at the same size, which is what a PNG writer spends most of its time on).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace imageio {

struct CompressedBytes {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
};

// Compresses `size` bytes at `level` (0 stored .. 12 smallest). False when memory runs out.
bool CompressZlib(const uint8_t* bytes, size_t size, int level, CompressedBytes& out);

}  // namespace imageio
