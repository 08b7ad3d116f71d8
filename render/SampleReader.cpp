#include "render/SampleReader.h"

#include <algorithm>

namespace render {
namespace {

// Intensities live on the 8-bit scale; 16-bit samples are divided by 32768 / 255 in single precision.
constexpr float kScale16To8 = 128.50197f;

float OpacityFactor(uint8_t opacity) {
    return static_cast<float>(opacity) / 255.0f;
}
float OpacityFactor(uint16_t opacity) {
    return static_cast<float>(opacity) * (1.0f / 32768.0f);
}

int ToIntensity(uint8_t value, float opacity) {
    return static_cast<int>(static_cast<float>(value) * opacity);
}
int ToIntensity(uint16_t value, float opacity) {
    return static_cast<int>(static_cast<float>(value) * opacity / kScale16To8);
}

}  // namespace

template <class Sample>
int SampleIntensity(const PixelView<const Sample>& source, int64_t sx, int64_t sy, int channel) {
    if (sx < 0 || sy < 0 || sx >= source.width || sy >= source.height) return 0;
    const Sample* pixel = source.Pixel(sx, sy);
    const float opacity = source.planes < 4 ? 1.0f : OpacityFactor(pixel[3]);
    const Sample value = channel >= 0 ? pixel[channel] : std::max({pixel[0], pixel[1], pixel[2]});
    return ToIntensity(value, opacity);
}

bool SelectionCovers(const RenderJob& job, int64_t sx, int64_t sy) {
    const int64_t mx = sx + job.originX;
    const int64_t my = sy + job.originY;
    if (mx < 0 || my < 0 || mx >= job.filterWidth || my >= job.filterHeight) return false;
    return job.mask[my * job.maskRowBytes + mx] != 0;
}

template int SampleIntensity<uint8_t>(const PixelView<const uint8_t>&, int64_t, int64_t, int);
template int SampleIntensity<uint16_t>(const PixelView<const uint16_t>&, int64_t, int64_t, int);

}  // namespace render
