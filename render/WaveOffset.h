// render/WaveOffset.h: the displacement that turns a straight line or a circle into a wave.
#pragma once

#include "render/RandomGenerator.h"
#include "render/Trig.h"

#include <cmath>

namespace render {

// Signed displacement in working units for wave argument `x` (distance or angle), wave type 1 (sine)
// or 2 (rectified sine; any other type gives no wave), amplitude, frequency `f` (radians per unit of
// x), phase in units of pi, plus a noise jitter of up to +-0.25 noise. Always consumes one draw.
inline float WaveOffset(float x, int type, float amplitude, float f, float phase, float noise,
                        RandomGenerator& random) {
    const float u = f == 0.0f ? 0.0f : x * f;
    const float a = static_cast<float>(static_cast<double>(phase) * 3.14159265358979323846 + u);
    const float s = SinF(a);
    float w = 0.0f;
    if (type == 1) {
        w = s * amplitude;
    } else if (type == 2) {
        w = (std::fabs(s) - 0.5f) * amplitude;
    }
    // The draw happens whatever the type: the stream's position must not depend on the wave shape.
    return w + JitterFromDraw(random.Next(), noise);
}

}  // namespace render
