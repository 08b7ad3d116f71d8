// tests/unit/render/oracle/OracleRender.h: the straightforward renderer, point by point and sample
// by sample, kept as the reference that the product renderer must match byte for byte.
#pragma once

#include "render/RenderEngraving.h"

namespace oracle {

// Same contract as render::RenderEngraving.
render::RenderStatus RenderEngravingOracle(const render::EngravingOptions& options, const render::RenderJob& job);

}  // namespace oracle
