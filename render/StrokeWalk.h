// render/StrokeWalk.h: the engraving's strokes as pieces of stamps, for vector output. The walk is
// the raster render's own (SampleWalker): the same elements, sample positions, relief, noise,
// randomness and stamp sizes, delivered element by element instead of stamped into a mask.
#pragma once

#include "render/RenderEngraving.h"

#include <cstddef>
#include <cstdint>

namespace render {

// One stamp, in pixels of the area (pixel (i, j) spans [i, i+1) x [j, j+1)): the sample's position
// and the half-width of the stamp there, as the raster draws it.
struct StrokeStamp {
    float x = 0.0f;
    float y = 0.0f;
    float radius = 0.0f;
};

class StrokeSink {
public:
    virtual ~StrokeSink() = default;
    // Every piece that follows belongs to pass `pass` (0, or 0 to 2 for "Split color").
    virtual void BeginPass(int pass) = 0;
    // One continuous piece of an element, its stamps in walking order. A piece ends where the
    // element breaks (a sample too light to stamp, outside the area or the selection) or ends.
    // Consecutive stamps may still lie apart (dots, steep waves): the raster draws them apart too.
    virtual void Piece(const StrokeStamp* stamps, size_t count) = 0;
};

struct StrokeWalkInfo {
    int passes = 1;
    bool dots = false;  // "Use dots": every stamp is a separate dot
};

// Walks every pass of the engraving of `job.source` (job.output is not used and may be null) into
// `sink`. Progress, when job.progress is set, is reported per pass. kInvalidInput for a job that
// RenderEngraving would refuse, kOutOfMemory when the layout does not fit in memory.
RenderStatus WalkStrokes(const EngravingOptions& options, const RenderJob& job, StrokeSink& sink,
                         StrokeWalkInfo* info = nullptr);

}  // namespace render
