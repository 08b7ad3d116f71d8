#include "render/BandRenderer.h"

#include "render/RandomGenerator.h"
#include "render/SampleWalker.h"

#include <algorithm>
#include <cmath>

namespace render {
namespace {

template <class Sample>
void FinishPass(const RenderShared<Sample>& shared, BandBuffers& buffers, const BandMask& mask, int64_t firstRow,
                int64_t endRow, int pass) {
    if (shared.settings.solidInk) {
        const int64_t width = shared.target.output.width;
        for (int64_t y = firstRow; y < endRow; ++y) {
            const uint8_t* row = mask.Row(y);
            for (int64_t x = 0; x < width; ++x) {
                if ((row[x >> 3] >> (x & 7)) & 1) PaintPixel(shared.settings, shared.target, x, y, pass);
            }
        }
        return;
    }
    uint8_t* levels = buffers.levels.data();
    for (int64_t y = firstRow; y < endRow; ++y) {
        CountCoverageRow(shared.nibbleCounts, mask.Row(4 * y), mask.Row(4 * y + 1), mask.Row(4 * y + 2),
                         mask.Row(4 * y + 3), levels, mask.RowBytes());
        shared.composer.ComposeRow(levels, y, pass);
    }
}

}  // namespace

bool PassesCanWalkTogether(const RenderSettings& settings, const ElementLayout& layout, bool hasMask) {
    if (settings.passes != 3 || !layout.lines || !layout.fixedDraws || hasMask || settings.relief != 0.0f ||
        settings.noise != 0.0f || layout.elements.size() % 3 != 0) {
        return false;
    }
    const size_t perPass = layout.elements.size() / 3;
    for (size_t i = 0; i < perPass; ++i) {
        const Element& first = layout.elements[i];
        for (size_t p = 1; p < 3; ++p) {
            const Element& other = layout.elements[p * perPass + i];
            if (other.pass != static_cast<int>(p) || first.pass != 0 || other.p0x != first.p0x ||
                other.p0y != first.p0y || other.stepX != first.stepX || other.stepY != first.stepY ||
                other.samples != first.samples) {
                return false;
            }
        }
    }
    return true;
}

template <class Sample>
void RenderBand(const RenderShared<Sample>& shared, BandBuffers& buffers, int64_t firstRow, int64_t endRow) {
    const RenderSettings& s = shared.settings;
    const ElementLayout& layout = shared.layout;
    // Composing a single antialiased pass writes every sample of three-plane rows without reading
    // them, in black and white and in inverted initial colour: no background is needed there.
    const bool composedWhole =
        !s.solidInk && s.passes == 1 && shared.target.output.planes == 3 &&
        (s.schema == ColorSchema::kBlackAndWhite || (s.invert && s.schema == ColorSchema::kInitialColor));
    if (!composedWhole) FillOutputBackground(s, shared.target, firstRow, endRow);
    const int64_t unitsPerPixel = s.solidInk ? 1 : 4;
    const int64_t firstMaskRow = firstRow * unitsPerPixel;
    const int64_t maskRows = (endRow - firstRow) * unitsPerPixel;
    Rect near;
    if (layout.fixedDraws) {
        const double reachUnits = layout.stampReach;
        near = {-reachUnits, static_cast<double>(firstMaskRow) - reachUnits,
                static_cast<double>(buffers.mask.RowBits()) + reachUnits,
                static_cast<double>(firstMaskRow + maskRows) + reachUnits};
    } else {
        near = {layout.decisionArea[0], layout.decisionArea[1], layout.decisionArea[2], layout.decisionArea[3]};
    }
    const WalkInputs<Sample> inputs{s, layout, shared.job, shared.target.source, shared.linePositions};
    SampleWalker<Sample, MaskCanvas> walker(inputs, MaskCanvas{&buffers.mask, &shared.shapes});
    if (shared.passesTogether) {
        BandMask* masks[3] = {&buffers.mask, &buffers.passMasks[0], &buffers.passMasks[1]};
        for (BandMask* m : masks) m->Reset(firstMaskRow, maskRows);
        const MaskCanvas canvases[3] = {
            {masks[0], &shared.shapes}, {masks[1], &shared.shapes}, {masks[2], &shared.shapes}};
        walker.WalkPassesTogether(canvases, near);
        for (int pass = 0; pass < 3; ++pass) FinishPass(shared, buffers, *masks[pass], firstRow, endRow, pass);
        return;
    }
    RandomGenerator sequential(0);
    for (int pass = 0; pass < s.passes; ++pass) {
        buffers.mask.Reset(firstMaskRow, maskRows);
        walker.WalkPass(pass, near, sequential);
        FinishPass(shared, buffers, buffers.mask, firstRow, endRow, pass);
    }
}

template void RenderBand<uint8_t>(const RenderShared<uint8_t>&, BandBuffers&, int64_t, int64_t);
template void RenderBand<uint16_t>(const RenderShared<uint16_t>&, BandBuffers&, int64_t, int64_t);

}  // namespace render
