// tests/unit/render/oracle/StampDisc.h: the oracle stamps with the product's point-by-point disc
// tracer. The fast renderer stamps from precomputed rows instead, so the equivalence tests still
// compare those rows with the traced points.
#pragma once

#include "render/StampDisc.h"

namespace oracle {

using render::DistanceRange;
using render::StampDisc;
using render::StampRadius;

}  // namespace oracle
