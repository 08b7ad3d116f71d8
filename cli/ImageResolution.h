// cli/ImageResolution.h: how many pixels an inch of the input holds, for real sizes and rulings.
#pragma once

#include "cli/VectorOptions.h"
#include "imageio/Raster.h"

#include <string>

namespace cli {

// Images that state no resolution are taken at 72 pixels an inch, as the image editor takes them.
constexpr double kDefaultDotsPerInch = 72.0;

// --dpi when given; else the file's own horizontal resolution (a TIFF's, or a PNG's pHYs chunk);
// else kDefaultDotsPerInch. `stated` tells whether it came from the option or the file.
double DotsPerInch(const imageio::Raster& raster, const std::string& path, const VectorOptions& options,
                   bool* stated = nullptr);

// The resolution a PNG file's pHYs chunk states in pixels per metre, converted; 0 when it states
// none (or only an aspect ratio) or the file cannot be read.
double PngDotsPerInch(const std::string& path);

}  // namespace cli
