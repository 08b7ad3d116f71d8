// imageio/Raster.h: an image as files hold it: interleaved channels, 8-bit or 16-bit samples
// (16-bit as native uint16_t, 0..65535).
#pragma once

#include <cstdint>
#include <vector>

namespace imageio {

struct Raster {
    int32_t width = 0;
    int32_t height = 0;
    int32_t channels = 3;  // 1 grey, 2 grey+alpha, 3 RGB, 4 RGBA (PNG); TIFF adds 4/5 for CMYK(+alpha)
    int32_t depth = 8;     // 8 or 16
    std::vector<uint8_t> bytes;

    int32_t BytesPerSample() const { return depth == 16 ? 2 : 1; }
    int64_t RowBytes() const { return int64_t{width} * channels * BytesPerSample(); }
};

}  // namespace imageio
