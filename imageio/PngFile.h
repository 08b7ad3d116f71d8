// imageio/PngFile.h: PNG files through libpng, samples exactly as stored (no gamma handling).
#pragma once

#include "imageio/Raster.h"
#include "imageio/ReadLimits.h"

#include <cstddef>
#include <cstdint>

#include <string>

namespace imageio {

// Reads 8- or 16-bit grey, grey+alpha, RGB or RGBA (palette and low-depth grey are expanded to
// 8 bits). Returns false with a message on any failure; `raster` is then unspecified. The image
// is refused from its header, before its pixels are allocated, when `limits` do not allow it;
// text chunks are skipped unread.
bool ReadPng(const std::string& path, Raster& raster, std::string& error, const ReadLimits& limits = {});

// The same from a file's bytes already in memory.
bool DecodePng(const uint8_t* data, size_t size, Raster& raster, std::string& error, const ReadLimits& limits);

// Writes the raster (1 to 4 channels, 8 or 16 bits). Returns false with a message on failure.
bool WritePng(const std::string& path, const Raster& raster, std::string& error);

}  // namespace imageio
