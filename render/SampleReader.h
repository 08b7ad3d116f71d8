// render/SampleReader.h: what the strokes read from the image: intensity and selection.
#pragma once

#include "render/RenderEngraving.h"

#include <cstdint>

namespace render {

// Interleaved pixels of the source copy or the output, `planes` samples each.
template <class Sample>
struct PixelView {
    Sample* data = nullptr;
    int64_t rowSamples = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t planes = 3;

    Sample* Pixel(int64_t x, int64_t y) const { return data + y * rowSamples + x * planes; }
};

// Intensity 0..255 of pixel (sx, sy): channel `channel` (split colour) or the brightest of the three
// colour channels (channel < 0), weighted by opacity. Pixels outside the area read 0 (black).
template <class Sample>
int SampleIntensity(const PixelView<const Sample>& source, int64_t sx, int64_t sy, int channel) {
    if (sx < 0 || sy < 0 || sx >= source.width || sy >= source.height) return 0;
    const Sample* pixel = source.Pixel(sx, sy);
    Sample value = channel >= 0 ? pixel[channel] : pixel[0];
    if (channel < 0) {
        if (pixel[1] > value) value = pixel[1];
        if (pixel[2] > value) value = pixel[2];
    }
    if (sizeof(Sample) == 1) {
        const float opacity = source.planes < 4 ? 1.0f : static_cast<float>(pixel[3]) / 255.0f;
        return static_cast<int>(static_cast<float>(value) * opacity);
    }
    // Intensities live on the 8-bit scale; 16-bit samples are divided by 32768 / 255 in single precision.
    const float opacity = source.planes < 4 ? 1.0f : static_cast<float>(pixel[3]) * (1.0f / 32768.0f);
    return static_cast<int>(static_cast<float>(value) * opacity / 128.50197f);
}

// True when the host's selection includes pixel (sx, sy) of the rendered area; any nonzero mask byte
// counts. Pixels outside the filtered area are never selected.
bool SelectionCovers(const RenderJob& job, int64_t sx, int64_t sy);

}  // namespace render
