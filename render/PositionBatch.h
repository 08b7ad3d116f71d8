// render/PositionBatch.h: the integer coordinates of a batch of sample positions, four at a time.
#pragma once

#include <cstdint>

namespace render {

// Positions within this distance of the origin convert in a batch; the rare others one by one.
constexpr float kBatchPositionLimit = 1073741824.0f;  // 2^30

// The stamp centres of `count` positions: each truncated toward zero, as converting it through a
// double to a 64-bit integer does. Returns false, leaving `centres` unspecified, when a position is
// not a number or lies beyond kBatchPositionLimit.
bool StampCentres(const float* positions, int32_t* centres, int count);

// The source coordinates of `count` positions at `scale` source pixels per unit (1 or 0.25): the
// double sum position * scale + 0.5 truncated toward zero. The positions must have passed
// StampCentres.
void SourceCoordinates(const float* positions, float scale, int32_t* coordinates, int count);

}  // namespace render
