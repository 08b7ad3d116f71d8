// emulator/HostImage.h: a document as the emulated host holds it: interleaved planes,
// 8-bit samples 0..255 or 16-bit samples 0..32768 (the host's range).
#pragma once

#include "api/HostApi.h"

#include <cstdint>
#include <vector>

namespace emulator {

struct HostImage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t planes = 3;
    int32_t depth = 8;              // 8 or 16
    int16_t mode = host::kModeRGB;  // the host's image mode
    std::vector<uint8_t> samples;   // 8-bit: one byte a sample; 16-bit: native uint16_t

    static HostImage Blank(int32_t width, int32_t height, int32_t planes, int32_t depth, int16_t mode);

    int32_t BytesPerSample() const { return depth == 16 ? 2 : 1; }
    int64_t RowBytes() const { return int64_t{width} * planes * BytesPerSample(); }
    uint8_t* PixelBytes(int32_t x, int32_t y) {
        return samples.data() + y * RowBytes() + int64_t{x} * planes * BytesPerSample();
    }
    const uint8_t* PixelBytes(int32_t x, int32_t y) const {
        return samples.data() + y * RowBytes() + int64_t{x} * planes * BytesPerSample();
    }
    uint32_t Sample(int32_t x, int32_t y, int32_t plane) const;
    void SetSample(int32_t x, int32_t y, int32_t plane, uint32_t value);
};

}  // namespace emulator
