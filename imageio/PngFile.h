// imageio/PngFile.h: PNG files through libpng, samples exactly as stored (no gamma handling).
#pragma once

#include "imageio/Raster.h"
#include "imageio/WriteOptions.h"

#include <string>

namespace imageio {

// Reads 8- or 16-bit grey, grey+alpha, RGB or RGBA (palette and low-depth grey are expanded to
// 8 bits). Returns false with a message on any failure; `raster` is then unspecified.
bool ReadPng(const std::string& path, Raster& raster, std::string& error, const Progress& progress = {});

// Writes the raster (1 to 4 channels, 8 or 16 bits), rows filtered as libpng filters them and
// compressed at the options' level (by default about the size libpng's own defaults give, in a
// fraction of the time). Returns false with a message on failure.
bool WritePng(const std::string& path, const Raster& raster, const WriteOptions& options, std::string& error);
bool WritePng(const std::string& path, const Raster& raster, std::string& error);

}  // namespace imageio
