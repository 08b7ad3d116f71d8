#include "tests/unit/render/oracle/WaveOffset.h"
#include "render/Trig.h"

#include <cmath>

namespace oracle {

float WaveOffset(float x, int type, float amplitude, float f, float phase, float noise, RandomGenerator& random) {
    const float u = f == 0.0f ? 0.0f : x * f;
    const float a = static_cast<float>(static_cast<double>(phase) * 3.14159265358979323846 + u);
    const float s = render::SinF(a);
    float w = 0.0f;
    if (type == 1) {
        w = s * amplitude;
    } else if (type == 2) {
        w = (std::fabs(s) - 0.5f) * amplitude;
    }
    // The draw happens whatever the type: the stream's position must not depend on the wave shape.
    return w + JitterFromDraw(random.Next(), noise);
}

}  // namespace oracle
