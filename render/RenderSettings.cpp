#include "render/RenderSettings.h"

#include "render/SettingLimits.h"
#include "render/Trig.h"

#include <algorithm>
#include <cmath>

namespace render {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A NaN or infinity falls back to the field's default; a finite value is kept within its limit.
float Sanitize(float value, float fallback, Range range) {
    if (!std::isfinite(value)) return fallback;
    return std::clamp(value, range.low, range.high);
}

}  // namespace

bool IsLinePattern(int pattern) {
    return pattern <= 2;
}
bool IsSpiralPattern(int pattern) {
    return pattern >= 8;
}
int RingSubtype(int pattern) {
    return IsSpiralPattern(pattern) ? pattern - 8 : pattern - 3;
}

RenderSettings MakeRenderSettings(const EngravingOptions& options, const RenderJob& job) {
    const EngravingOptions defaults;
    RenderSettings s;
    // Unknown schemas and patterns render as the defaults rather than as nothing.
    const SettingLimits& limits = kSettingLimits;
    s.schema = options.colorSchema <= limits.lastSchema ? static_cast<ColorSchema>(options.colorSchema)
                                                        : static_cast<ColorSchema>(defaults.colorSchema);
    s.pattern = options.pattern <= limits.lastPattern ? options.pattern : defaults.pattern;
    s.passes = s.schema == ColorSchema::kSplitColor ? 3 : 1;
    s.invertIntensity = options.invertIntensity;
    s.solidInk = options.solidInk;
    s.invert = options.invert;
    s.notBreak = options.notBreak;
    s.useCircles = options.useCircles;
    s.fillAlpha = options.fillAlpha;
    s.preview = job.preview;

    const float rotation = Sanitize(options.rotation, defaults.rotation, limits.rotation);
    const float space = Sanitize(options.space, defaults.space, limits.space);
    const float offset = Sanitize(options.offset, defaults.offset, limits.offset);
    const float width = Sanitize(options.width, defaults.width, limits.width);
    const float contrast = Sanitize(options.contrast, defaults.contrast, limits.contrast);
    const float randomness = Sanitize(options.randomness, defaults.randomness, limits.randomness);
    const float amplitude = Sanitize(options.amplitude, defaults.amplitude, limits.amplitude);
    const float frequency = Sanitize(options.frequency, defaults.frequency, limits.frequency);
    const float phaseShift = Sanitize(options.phaseShift, defaults.phaseShift, limits.phaseShift);
    const float threshold = Sanitize(options.threshold, defaults.threshold, limits.threshold);
    const float centerX = Sanitize(options.centerX, defaults.centerX, limits.centerX);
    const float centerY = Sanitize(options.centerY, defaults.centerY, limits.centerY);
    const float noise = Sanitize(options.noise, defaults.noise, limits.noise);

    // Solid ink works in pixels instead of quarter pixels; lengths shrink so the picture keeps its size.
    const float lengthScale = s.solidInk ? 0.25f : 1.0f;
    const int64_t unitsPerPixel = s.solidInk ? 1 : 4;

    s.theta = static_cast<float>(static_cast<double>(rotation) * kPi / 180.0);
    s.cosTheta = CosF(s.theta);
    s.sinTheta = SinF(s.theta);
    s.spacing = std::max(space * lengthScale, 1.0f);
    s.offsetStep = space * offset / -1000.0f * lengthScale;
    s.baseWidth = width / 7.0f * lengthScale;
    s.elementBase = s.useCircles ? 5.0f * s.baseWidth : s.baseWidth;
    s.thresholdTerm = threshold / 25.0f * lengthScale;
    s.relief = randomness / 12.0f * lengthScale;
    s.contrastGain = contrast / 500.0f;
    s.amplitude = amplitude / 10.0f * lengthScale;
    s.spatialFrequency = frequency / 5000.0f * (s.solidInk ? 4.0f : 1.0f);
    s.angularFrequency = frequency / 10.0f;
    s.phase = phaseShift / 1000.0f;
    s.noise = noise / 3.0f;

    const double fullScale = s.solidInk ? 1.0 : 4.0;
    s.centerX =
        static_cast<float>(((centerX / 1000.0 + 0.5) * job.filterWidth * 4.0 - 4.0 * job.originX) * (fullScale / 4.0));
    s.centerY =
        static_cast<float>(((centerY / 1000.0 + 0.5) * job.filterHeight * 4.0 - 4.0 * job.originY) * (fullScale / 4.0));

    s.areaWidth = int64_t{job.width} * unitsPerPixel;
    s.areaHeight = int64_t{job.height} * unitsPerPixel;
    s.areaCenterX = static_cast<float>(s.areaWidth) / 2.0f;
    s.areaCenterY = static_cast<float>(s.areaHeight) / 2.0f;
    const float waveMargin = (s.pattern == 1 || s.pattern == 2) ? 4.0f * s.amplitude : 0.0f;
    const float longSide = static_cast<float>(std::max(s.areaWidth, s.areaHeight));
    s.extent = static_cast<int64_t>((std::fabs(s.sinTheta * s.cosTheta) + 1.0f) * longSide + waveMargin);
    return s;
}

}  // namespace render
