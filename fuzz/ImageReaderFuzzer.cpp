// Feeds arbitrary bytes to engrave's PNG and TIFF readers under a small memory budget. Whatever
// a header claims, the readers must neither crash nor allocate past the budget: the run's
// -rss_limit_mb and -malloc_limit_mb turn any such allocation into a failure.
#include "imageio/ImageFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
constexpr int64_t kBudgetBytes = int64_t{64} << 20;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    imageio::ReadLimits limits;
    limits.maxBytes = kBudgetBytes;
    imageio::Raster raster;
    imageio::FileFormat format;
    std::string error;
    if (!imageio::DecodeImage(data, size, "fuzz", raster, format, error, limits)) {
        if (error.empty()) __builtin_trap();  // every refusal says why
        return 0;
    }
    // A raster that was read is whole and of a layout the rest of engrave handles.
    const bool layout = (raster.depth == 8 || raster.depth == 16) && raster.channels >= 1 && raster.channels <= 5 &&
                        raster.width > 0 && raster.height > 0;
    if (!layout || raster.bytes.size() != static_cast<size_t>(raster.RowBytes() * raster.height)) __builtin_trap();
    return 0;
}
