// imageio/TiffFile.h: TIFF files through libtiff: 8/16-bit grey, RGB, CMYK and Lab, each with an
// optional opacity channel, interleaved or planar, stripped or tiled.
#pragma once

#include "imageio/Raster.h"
#include "imageio/Progress.h"
#include "imageio/ReadLimits.h"
#include "imageio/WriteOptions.h"

#include <cstddef>
#include <cstdint>

#include <string>

namespace imageio {

// Reads the image and the details a rewrite keeps (ICC profile, resolution, planar layout,
// compression, kind of opacity). False with a one-line message for anything else (palette,
// floating-point or signed samples, extra channels beyond one opacity channel, other depths).
// JPEG-compressed YCbCr is read as RGB. A picture stored turned or mirrored (orientation 2 to 8)
// is returned upright. Refused from its directory, before pixel memory is allocated, when
// `limits` do not allow it or a strip or tile lies outside the file. `progress`, if
// set, hears how many rows are decoded.
bool ReadTiff(const std::string& path, Raster& raster, std::string& error, const ReadLimits& limits = {},
              const Progress& progress = {});

// The same from a file's bytes already in memory; `name` is the file's name, which libtiff's
// messages are cleared of.
bool DecodeTiff(const uint8_t* data, size_t size, const std::string& name, Raster& raster, std::string& error,
                const ReadLimits& limits, const Progress& progress = {});

// Writes the raster with its details; a compression libtiff cannot encode becomes LZW. The
// options' level applies to deflate compression (the others have none). False with a message
// on any failure (the file may then be partly written).
bool WriteTiff(const std::string& path, const Raster& raster, const WriteOptions& options, std::string& error);
bool WriteTiff(const std::string& path, const Raster& raster, std::string& error);

}  // namespace imageio
