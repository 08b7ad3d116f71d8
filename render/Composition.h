// render/Composition.h: turns coverage (antialiased) or stamped pixels (solid ink) into colour in
// the output image, by colour schema, `invert` and `fillAlpha`.
#pragma once

#include "render/Coverage.h"
#include "render/RenderSettings.h"
#include "render/SampleReader.h"

#include <cstdint>
#include <vector>

namespace render {

template <class Sample>
struct CompositionTarget {
    PixelView<Sample> output;
    PixelView<const Sample> source;
    bool cmykLayout = false;
};

// Full-scale value of a sample: 255, or the host's 16-bit white 32768.
template <class Sample>
constexpr uint32_t FullValue() {
    return sizeof(Sample) == 1 ? 255u : 32768u;
}

// The sample amount for coverage level 0..15 (0 to full) and its factor 0..1.
uint32_t LevelAmount8(int level);
uint32_t LevelAmount16(int level);
template <class Sample>
uint32_t LevelAmount(int level) {
    return sizeof(Sample) == 1 ? LevelAmount8(level) : LevelAmount16(level);
}
template <class Sample>
float AmountFactor(uint32_t amount) {
    return sizeof(Sample) == 1 ? static_cast<float>(amount) / 255.0f : static_cast<float>(amount) * (1.0f / 32768.0f);
}

// Once per render, before the first pass: the paper (or the image) the strokes go on, for pixel
// rows [firstRow, endRow).
template <class Sample>
void FillOutputBackground(const RenderSettings& settings, const CompositionTarget<Sample>& target, int64_t firstRow,
                          int64_t endRow);
template <class Sample>
void FillOutputBackground(const RenderSettings& settings, const CompositionTarget<Sample>& target) {
    FillOutputBackground(settings, target, 0, target.output.height);
}

// Composes pixel (x, y) with coverage 0..15 for pass p, then finishes its opacity.
template <class Sample>
void ComposePixel(const RenderSettings& settings, const CompositionTarget<Sample>& target, int64_t x, int64_t y,
                  int coverage, int pass);

// After each antialiased pass: composes every pixel of the area from the coverage buffer.
template <class Sample>
void ComposeCoverage(const RenderSettings& settings, const CoverageBuffer& coverage,
                     const CompositionTarget<Sample>& target, int pass);

// Composes one pixel row from its coverage bytes (two pixels per byte) with per-level tables; the
// same bytes as ComposePixel for each pixel.
template <class Sample>
class RowComposer {
public:
    RowComposer(const RenderSettings& settings, const CompositionTarget<Sample>& target);
    void ComposeRow(const uint8_t* levels, int64_t y, int pass) const;

private:
    const RenderSettings& settings;
    const CompositionTarget<Sample>& target;
    Sample amounts[16];            // a(L) by coverage, L already mapped through `invert`
    float factors[16];             // f(L) by coverage
    std::vector<uint8_t> scaled8;  // 8-bit: trunc(v x f) for [coverage][v]
};

// Solid ink: inks pixel (x, y) for pass p. Pixels outside the area are ignored. Painting a pixel
// twice in one pass gives the same result as painting it once.
template <class Sample>
void PaintPixel(const RenderSettings& settings, const CompositionTarget<Sample>& target, int64_t x, int64_t y,
                int pass);

}  // namespace render
