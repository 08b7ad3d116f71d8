// render/RenderEngraving.h: the render core's entry point. It knows no host: it takes plain
// interleaved buffers, the user's settings as plain values, and a progress callback.
#pragma once

#include <cstdint>

namespace render {

// The user's settings as the render core needs them (copied from the parameter record by the
// driver). Any value is accepted: out-of-range, infinite or NaN settings must still render safely.
struct EngravingOptions {
    uint8_t colorSchema = 2;  // 0 "Initial color", 1 "Split color", 2 "Black and white"
    uint8_t pattern = 1;      // 0..12
    bool invertIntensity = true;
    bool solidInk = false;
    bool invert = false;
    bool notBreak = false;
    bool useCircles = false;
    bool fillAlpha = true;
    float rotation = 30.0f;  // degrees
    float space = 20.0f;
    float offset = 0.0f;
    float width = 100.0f;
    float contrast = 0.0f;
    float randomness = 0.0f;
    float amplitude = 100.0f;
    float frequency = 100.0f;
    float phaseShift = 0.0f;
    float threshold = 0.0f;
    float centerX = 0.0f;
    float centerY = 0.0f;
    float noise = 0.0f;
};

using ProgressCallback = void (*)(void* context, int64_t done, int64_t total);

// One render: `width` x `height` pixels of the output and source buffers, which share one layout
// (`planes` interleaved samples per pixel, rows `rowSamples` samples apart, uint8_t at depth 8 and
// uint16_t 0..32768 at depth 16). The area sits at (originX, originY) inside the filtered area of
// filterWidth x filterHeight pixels. The selection mask, when given, covers the filtered area.
struct RenderJob {
    void* output = nullptr;
    const void* source = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int64_t rowSamples = 0;
    int32_t planes = 3;       // 3 to 5
    int32_t depth = 8;        // 8 or 16
    bool cmykLayout = false;  // the source holds RGB converted from CMYK; channel 4 carries opacity back
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t filterWidth = 0;
    int32_t filterHeight = 0;
    const uint8_t* mask = nullptr;  // nullptr: no selection
    int64_t maskRowBytes = 0;
    bool preview = false;  // a preview: no denser sampling for large relief
    ProgressCallback progress = nullptr;
    void* progressContext = nullptr;
};

enum class RenderStatus {
    kOk,
    kOutOfMemory,   // working buffers could not be allocated; the output is untouched
    kInvalidInput,  // a null buffer, a size below 1, planes or depth out of range
};

// Draws the engraving into job.output. Reproducible: equal options, source and area give equal bytes.
RenderStatus RenderEngraving(const EngravingOptions& options, const RenderJob& job);

}  // namespace render
