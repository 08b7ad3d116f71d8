// tests/cli/EngraveTestImages.h: small image files for running engrave on.
#pragma once

#include "imageio/ImageFile.h"

#include <string>

namespace cli_test {

// A smooth picture with a dark disc (so every pattern has tone to follow), opacity opaque.
imageio::Raster MakeRaster(imageio::ColorModel model, int32_t channels, int32_t depth, int32_t width = 48,
                           int32_t height = 40);

// Writes the raster or fails the current test.
void WriteFile(const std::string& path, const imageio::Raster& raster, imageio::FileFormat format);

// Reads a file or fails the current test (the raster is then empty).
imageio::Raster ReadFile(const std::string& path, imageio::FileFormat* format = nullptr);

}  // namespace cli_test
