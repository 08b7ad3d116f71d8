// tests/unit/render/oracle/PatternWalker.h: lays out the pattern's elements, walks them in samples, and turns every
// sample into a stamped disc; one call per pass.
#pragma once

#include "tests/unit/render/oracle/Composition.h"
#include "tests/unit/render/oracle/Coverage.h"
#include "tests/unit/render/oracle/RandomGenerator.h"
#include "render/RenderEngraving.h"
#include "tests/unit/render/oracle/RenderSettings.h"

#include <cstdint>

namespace oracle {

using render::EngravingOptions;
using render::ProgressCallback;
using render::RenderJob;
using render::RenderStatus;

// Everything one render's passes share. `mask` is null in solid-ink mode.
template <class Sample>
struct PassContext {
    const RenderSettings& settings;
    const RenderJob& job;
    const CompositionTarget<Sample>& target;
    SubpixelMask* mask;
    RandomGenerator& random;
};

// Walks every element of pass p (0..passes-1), stamping into the mask (antialiased) or painting the
// output (solid ink). Reports progress through the job's callback with a done count never below 0.
template <class Sample>
void WalkPass(const PassContext<Sample>& context, int pass);

// Converts a position to an integer toward zero; NaN and values far outside any image land far
// outside it instead of overflowing.
int64_t TruncateToInt64(double value);

}  // namespace oracle
