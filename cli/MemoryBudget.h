// cli/MemoryBudget.h: how much memory one engraving may take, checked against the input's
// header before its pixels are read, so that a small hostile file is refused at once.
#pragma once

#include "imageio/ReadLimits.h"

#include <cstdint>

namespace cli {

// The default budget, in MB (2^20 bytes): room for a 16-bit RGB picture of about 100
// megapixels or an 8-bit RGB one of about 200, while a 16384 x 16384 one is refused whatever
// its kind. --max-memory changes it.
constexpr int64_t kDefaultMemoryBudgetMb = 4096;
constexpr int64_t kMinMemoryBudgetMb = 64;
constexpr int64_t kMaxMemoryBudgetMb = int64_t{1} << 24;

// The peak memory of one run on an image of this header, measured on whole runs: the file's
// raster and its rewritten copy, and about five host-sized buffers (the host's document, the
// plug-in's source copy, output and coverage buffers).
// Pixels now move between the file's raster and the host's document instead of being copied,
// and the plug-in reads its input from the document, so fewer of these are held at once; the
// estimate stays as measured, which leaves room for the PNG writer's filtered rows and
// compressed data (each about the size of the file's raster) while the result is written.
int64_t EstimatedRunBytes(const imageio::ImageHeader& header);

// Limits for reading an input or mask of a run within `budgetMb`: refused when the run would
// need more than the budget, or, when the image goes to the host whole (`hostSized`; a contact
// sheet reduces it first), when the host cannot address it (over 32767 pixels a side).
imageio::ReadLimits LimitsForRun(int64_t budgetMb, bool hostSized);

}  // namespace cli
