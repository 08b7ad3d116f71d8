// imageio/PngPlainImageData.h: the image data of a plain PNG decoded without libpng's inflater.
// libpng inflates through zlib, which takes most of a large file's reading time; libdeflate does
// the same work in a quarter to a third of it. Only files whose bytes map straight onto a raster
// are taken (not interlaced, 8 or 16 bits, grey or RGB with or without alpha, no transparency
// chunk) and only when every chunk from the image data to the end is sound: anything unusual
// or damaged is left to libpng, which then decides and words the message.
#pragma once

#include "imageio/Progress.h"
#include "imageio/Raster.h"

#include <cstddef>
#include <cstdint>

namespace imageio {

// `file` holds the whole PNG file; `firstIdat` is the offset of the first image-data chunk (its
// length field). `raster` has its size, channels and depth set. Fills `raster.bytes` (16-bit
// samples in the machine's order) and returns true, or returns false with `raster.bytes`
// unspecified when the file is not one it takes. `extraBytesAllowed` bounds what it may allocate
// beyond the decoded image (the compressed data gathered from its chunks).
bool DecodePlainImageData(const uint8_t* file, size_t size, size_t firstIdat, Raster& raster, int64_t extraBytesAllowed,
                          const Progress& progress);

}  // namespace imageio
