#include "render/RenderEngraving.h"

#include <cstring>

namespace render {
RenderStatus RenderEngraving(const EngravingOptions&, const RenderJob& job) {
    const size_t bytes = static_cast<size_t>(job.rowSamples) * (job.depth == 16 ? 2 : 1);
    for (int32_t y = 0; y < job.height; ++y)
        std::memcpy(static_cast<char*>(job.output) + y * bytes, static_cast<const char*>(job.source) + y * bytes,
                    static_cast<size_t>(job.width * job.planes * (job.depth == 16 ? 2 : 1)));
    return RenderStatus::kOk;
}
}  // namespace render
