// tests/unit/render/oracle/SampleReader.h: what the strokes read from the image: intensity and selection.
#pragma once

#include "render/RenderEngraving.h"

#include <cstdint>

namespace oracle {

using render::EngravingOptions;
using render::ProgressCallback;
using render::RenderJob;
using render::RenderStatus;

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
int SampleIntensity(const PixelView<const Sample>& source, int64_t sx, int64_t sy, int channel);

// True when the host's selection includes pixel (sx, sy) of the rendered area; any nonzero mask byte
// counts. Pixels outside the filtered area are never selected.
bool SelectionCovers(const RenderJob& job, int64_t sx, int64_t sy);

}  // namespace oracle
