#include "emulator/HostImage.h"

#include <cstring>

namespace emulator {

HostImage HostImage::Blank(int32_t width, int32_t height, int32_t planes, int32_t depth, int16_t mode) {
    HostImage image;
    image.width = width;
    image.height = height;
    image.planes = planes;
    image.depth = depth;
    image.mode = mode;
    image.samples.assign(static_cast<size_t>(image.RowBytes() * height), 0);
    return image;
}

uint32_t HostImage::Sample(int32_t x, int32_t y, int32_t plane) const {
    const uint8_t* p = PixelBytes(x, y) + plane * BytesPerSample();
    if (depth != 16) return *p;
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void HostImage::SetSample(int32_t x, int32_t y, int32_t plane, uint32_t value) {
    uint8_t* p = PixelBytes(x, y) + plane * BytesPerSample();
    if (depth != 16) {
        *p = static_cast<uint8_t>(value);
        return;
    }
    const auto v = static_cast<uint16_t>(value);
    std::memcpy(p, &v, sizeof v);
}

}  // namespace emulator
