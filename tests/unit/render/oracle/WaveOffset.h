// tests/unit/render/oracle/WaveOffset.h: the displacement that turns a straight line or a circle into a wave.
#pragma once

#include "tests/unit/render/oracle/RandomGenerator.h"

namespace oracle {

// Signed displacement in working units for wave argument `x` (distance or angle), wave type 1 (sine)
// or 2 (rectified sine; any other type gives no wave), amplitude, frequency `f` (radians per unit of
// x), phase in units of pi, plus a noise jitter of up to +-0.25 noise. Always consumes one draw.
float WaveOffset(float x, int type, float amplitude, float f, float phase, float noise, RandomGenerator& random);

}  // namespace oracle
