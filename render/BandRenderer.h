// render/BandRenderer.h: draws every pass of the engraving into one horizontal band of the output.
// Bands are independent, so several can be drawn at once on different threads.
#pragma once

#include "render/BandMask.h"
#include "render/Composition.h"
#include "render/Coverage.h"
#include "render/ElementLayout.h"
#include "render/NearRanges.h"
#include "render/RenderSettings.h"
#include "render/StampShapes.h"

#include <cstdint>
#include <vector>

namespace render {

// What every band of one render shares (read only while bands are drawn).
template <class Sample>
struct RenderShared {
    const RenderSettings& settings;
    const ElementLayout& layout;
    const RenderJob& job;
    const CompositionTarget<Sample>& target;
    const StampShapes& shapes;
    const NibbleCountTable& nibbleCounts;
    const RowComposer<Sample>& composer;
    // Per line element, when the render described them up front; empty otherwise.
    const std::vector<LinePositions>& linePositions;
    // Split colour's passes walked together (see PassesCanWalkTogether); each worker then has
    // passMasks for the second and third pass.
    bool passesTogether = false;
};

// One worker's buffers, reused from band to band.
struct BandBuffers {
    BandMask mask;
    std::vector<BandMask> passMasks;  // the second and third pass's, when passes walk together
    std::vector<uint8_t> levels;      // one row of coverage bytes
};

// True when the three passes of a split-colour render can be walked together: plain lines (no
// relief, noise or selection) whose elements are the same in every pass.
bool PassesCanWalkTogether(const RenderSettings& settings, const ElementLayout& layout, bool hasMask);

// Fills, then draws and composes all passes into, pixel rows [firstRow, endRow). Without fixed draws
// the band must be the whole area (its random stream runs through every sample in order).
template <class Sample>
void RenderBand(const RenderShared<Sample>& shared, BandBuffers& buffers, int64_t firstRow, int64_t endRow);

}  // namespace render
