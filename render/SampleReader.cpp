#include "render/SampleReader.h"

namespace render {

bool SelectionCovers(const RenderJob& job, int64_t sx, int64_t sy) {
    const int64_t mx = sx + job.originX;
    const int64_t my = sy + job.originY;
    if (mx < 0 || my < 0 || mx >= job.filterWidth || my >= job.filterHeight) return false;
    return job.mask[my * job.maskRowBytes + mx] != 0;
}

}  // namespace render
