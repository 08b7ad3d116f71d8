// imageio/Limits.h: the largest image the readers accept, so that a hostile header cannot ask
// for terabytes before the first row is read (256 megapixels, 2 GB at 16-bit RGBA).
#pragma once

#include <cstdint>

namespace imageio {
constexpr int64_t kMaxPixels = int64_t{1} << 28;
}
