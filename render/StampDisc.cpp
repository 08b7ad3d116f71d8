#include "render/StampDisc.h"

#include <algorithm>

namespace render {

void DistanceRange(int64_t cx, int64_t cy, int64_t clipWidth, int64_t clipHeight, double& nearest, double& farthest) {
    const auto axisNear = [](int64_t c, int64_t size) -> double {
        if (c < 0) return static_cast<double>(-c);
        if (c >= size) return static_cast<double>(c - (size - 1));
        return 0.0;
    };
    const auto axisFar = [](int64_t c, int64_t size) -> double {
        const int64_t toFirst = c < 0 ? -c : c;
        const int64_t toLast = c > size - 1 ? c - (size - 1) : (size - 1) - c;
        return static_cast<double>(std::max(toFirst, toLast));
    };
    const double nx = axisNear(cx, clipWidth);
    const double ny = axisNear(cy, clipHeight);
    const double fx = axisFar(cx, clipWidth);
    const double fy = axisFar(cy, clipHeight);
    nearest = std::sqrt(nx * nx + ny * ny);
    farthest = std::sqrt(fx * fx + fy * fy);
}

}  // namespace render
