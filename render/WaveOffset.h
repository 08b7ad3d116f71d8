// render/WaveOffset.h: the displacement that turns a straight line or a circle into a wave.
#pragma once

#include "render/RandomGenerator.h"
#include "render/Trig.h"

#include <cmath>

namespace render {

// The wave's sine argument for wave argument `x` (distance or angle), frequency `f` (radians per unit
// of x) and phase in units of pi. Batched walks take the sines of many arguments at once.
inline float WaveArgument(float x, float f, float phase) {
    const float u = f == 0.0f ? 0.0f : x * f;
    return static_cast<float>(static_cast<double>(phase) * 3.14159265358979323846 + u);
}

// The displacement for the sine of a wave argument: wave type 1 (sine) or 2 (rectified sine); any
// other type gives no wave.
inline float WaveShape(float sine, int type, float amplitude) {
    if (type == 1) return sine * amplitude;
    if (type == 2) return (std::fabs(sine) - 0.5f) * amplitude;
    return 0.0f;
}

// Signed displacement in working units for wave argument `x`, wave type 1 or 2, amplitude, frequency
// `f`, phase in units of pi, plus a noise jitter of up to +-0.25 noise. Always consumes one draw.
inline float WaveOffset(float x, int type, float amplitude, float f, float phase, float noise,
                        RandomGenerator& random) {
    const float w = WaveShape(SinF(WaveArgument(x, f, phase)), type, amplitude);
    // The draw happens whatever the type: the stream's position must not depend on the wave shape.
    return w + JitterFromDraw(random.Next(), noise);
}

}  // namespace render
