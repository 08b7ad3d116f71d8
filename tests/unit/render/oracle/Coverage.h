// tests/unit/render/oracle/Coverage.h: the oracle uses the product's mask and coverage buffers and
// its reduction as they are: the fast renderer fills and composes them differently, not them.
#pragma once

#include "render/Coverage.h"

namespace oracle {

using render::AllocateCoverageBuffers;
using render::BuildNibbleCountTable;
using render::CoverageBuffer;
using render::NibbleCountTable;
using render::ReduceCoverage;
using render::SetSubpixel;
using render::SubpixelMask;

}  // namespace oracle
