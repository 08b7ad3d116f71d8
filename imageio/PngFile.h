// imageio/PngFile.h: PNG files through libpng, samples exactly as stored (no gamma handling).
#pragma once

#include "imageio/Raster.h"
#include "imageio/Progress.h"
#include "imageio/ReadLimits.h"
#include "imageio/WriteOptions.h"

#include <cstddef>
#include <cstdint>

#include <string>

namespace imageio {

// Reads 8- or 16-bit grey, grey+alpha, RGB or RGBA (palette and low-depth grey are expanded to
// 8 bits). Returns false with a message on any failure; `raster` is then unspecified. The image
// is refused from its header, before its pixels are allocated, when `limits` do not allow it;
// text chunks are skipped unread. `progress`, if set, hears how many rows are decoded.
bool ReadPng(const std::string& path, Raster& raster, std::string& error, const ReadLimits& limits = {},
             const Progress& progress = {});

// The same from a file's bytes already in memory.
bool DecodePng(const uint8_t* data, size_t size, Raster& raster, std::string& error, const ReadLimits& limits,
               const Progress& progress = {});

// Writes the raster (1 to 4 channels, 8 or 16 bits), rows filtered as libpng filters them and
// compressed at the options' level (by default about the size libpng's own defaults give, in a
// fraction of the time). Returns false with a message on failure.
bool WritePng(const std::string& path, const Raster& raster, const WriteOptions& options, std::string& error);
bool WritePng(const std::string& path, const Raster& raster, std::string& error);

}  // namespace imageio
