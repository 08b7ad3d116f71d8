// tests/unit/render/oracle/RenderSettings.h: the oracle uses the product's settings as they are.
// They are plain formulas with nothing to speed up, so the equivalence tests compare what was
// rewritten for speed (walking, stamping, coverage and composition) rather than two copies of them.
#pragma once

#include "render/RenderEngraving.h"
#include "render/RenderSettings.h"

namespace oracle {

using render::ColorSchema;
using render::EngravingOptions;
using render::IsLinePattern;
using render::IsSpiralPattern;
using render::MakeRenderSettings;
using render::ProgressCallback;
using render::RenderJob;
using render::RenderSettings;
using render::RenderStatus;
using render::RingSubtype;

}  // namespace oracle
