// render/NearRanges.h: which samples of an element can matter for a rectangle of the area, found
// from the geometry instead of by walking: the runs of sample indices whose base point lies inside.
#pragma once

#include "render/ElementLayout.h"
#include "render/FloatAccumulator.h"
#include "render/RenderSettings.h"

#include <cstdint>
#include <vector>

namespace render {

struct Rect {
    double x0 = 0.0;
    double y0 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;
};

// A run of samples [first, end) and the walk's accumulated value at `first` (the base point of a
// line, the angle of a ring), bit-identical to walking there.
struct SampleRun {
    int64_t first = 0;
    int64_t end = 0;
    float x = 0.0f;
    float y = 0.0f;
};

// The base points of a line, both coordinates, for random access. Building them costs far more
// than querying them, so a render builds them once per line and every band queries them.
struct LinePositions {
    FloatAccumulator x;
    FloatAccumulator y;
    bool described = false;  // false: the additions have too many rounding ties; walk the line whole
};
LinePositions DescribeLine(const Element& line);

// The samples of a line whose base point lies in `rect` (one run, possibly empty).
SampleRun LineRunInside(const Element& line, const LinePositions& positions, const Rect& rect);

// The samples of a ring or spiral turn whose base point may lie in `rect`, in increasing order.
// Conservative: a run may hold samples outside, never miss one inside.
void RingRunsInside(const Element& ring, const RenderSettings& settings, const Rect& rect,
                    std::vector<SampleRun>& runs);

}  // namespace render
