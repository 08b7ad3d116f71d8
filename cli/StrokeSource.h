// cli/StrokeSource.h: the picture as the stroke walk reads it, made from a file's pixels the way the
// plug-in's driver makes its source copy: RGB with opacity when the file has it, samples at the
// host's range (0..255, or 0..32768 at 16 bits), CMYK converted to RGB as the host converts it.
#pragma once

#include "imageio/Raster.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cli {

struct StrokeSource {
    const void* data = nullptr;  // the file's own bytes when they already have this form
    int32_t width = 0;
    int32_t height = 0;
    int32_t planes = 3;  // 3, or 4 with opacity
    int32_t depth = 8;
    int64_t rowSamples = 0;
    std::vector<uint8_t> converted;  // otherwise, the converted pixels
};

// False with a message for pictures the plug-in does not engrave either (Lab).
bool MakeStrokeSource(const imageio::Raster& raster, StrokeSource& source, std::string& error);

}  // namespace cli
