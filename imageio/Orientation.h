// imageio/Orientation.h: a TIFF's stored rows turned the way the picture is meant to be seen.
#pragma once

#include "imageio/Raster.h"

#include <cstdint>

namespace imageio {

// True for TIFF's orientations 5 to 8, whose stored rows are the picture's columns.
bool SwapsSides(uint16_t orientation);

// Reorders the pixels of a raster stored in TIFF `orientation` (1 to 8; 1 = top-left, rows
// top to bottom, each left to right) so that it reads top-left; sides and resolutions swap for
// 5 to 8. Needs a second raster's worth of memory while it works, except for orientation 1.
void TurnUpright(Raster& raster, uint16_t orientation);

}  // namespace imageio
