// imageio/ZlibCompress.h: a whole buffer into one zlib stream, the way a PNG writer needs it.
// libdeflate is several times faster than zlib at the same size on most data; on some (16-bit
// engravings) its fast levels lose a fifth to a half in size, and zlib run on every processor
// at once keeps zlib's size instead.
#pragma once

#include "imageio/Progress.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace imageio {

struct CompressedBytes {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
};

// Compresses `size` bytes with libdeflate at `level` (0 stored .. 12 smallest), on one thread.
// False when memory runs out.
bool CompressZlib(const uint8_t* bytes, size_t size, int level, CompressedBytes& out);

// Compresses `size` bytes with zlib at `level` (1 .. 9) on every processor, the way pigz does:
// the input is cut into pieces deflated side by side, each primed with the 32 KiB before it and
// ended on a byte boundary, then joined into one stream whose checksum is combined from the
// pieces'. Within a fraction of a percent of one zlib pass's size. `progress` hears of the
// pieces done, on the calling thread. False when memory runs out.
bool CompressZlibInPieces(const uint8_t* bytes, size_t size, int level, CompressedBytes& out,
                          const Progress& progress = {});

}  // namespace imageio
