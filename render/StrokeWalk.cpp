#include "render/StrokeWalk.h"

#include "render/SampleWalker.h"

#include <new>
#include <stdexcept>
#include <vector>

namespace render {
namespace {

// Gathers the stamps of the piece being walked and hands it over whenever the element breaks.
class PieceCollector {
public:
    PieceCollector(StrokeSink& pieceSink, float pixelsPerUnit) : sink(pieceSink), scale(pixelsPerUnit) {}

    void Add(float px, float py, int64_t radius) {
        // A stamp of radius n covers the working units n either side of its centre's unit: n + 0.5.
        stamps.push_back({px * scale, py * scale, (static_cast<float>(radius) + 0.5f) * scale});
    }

    void Flush() {
        if (stamps.empty()) return;
        sink.Piece(stamps.data(), stamps.size());
        stamps.clear();
    }

private:
    StrokeSink& sink;
    const float scale;
    std::vector<StrokeStamp> stamps;
};

// The walk's canvas for vector output: every element whole and in order, so that pieces come out
// in the order of their samples.
struct PieceCanvas {
    static constexpr bool kInElementOrder = true;
    PieceCollector* collector = nullptr;
    void Stamp(int64_t, int64_t, float, int64_t radius, float px, float py) const { collector->Add(px, py, radius); }
    void Gap() const { collector->Flush(); }
    void StartRun() const { collector->Flush(); }
};

bool IsValidSource(const RenderJob& job) {
    if (job.source == nullptr || job.width < 1 || job.height < 1) return false;
    if (job.planes < 3 || job.planes > 5 || (job.depth != 8 && job.depth != 16)) return false;
    if (job.rowSamples < int64_t{job.width} * job.planes) return false;
    return job.mask == nullptr || job.maskRowBytes >= std::max<int64_t>(job.filterWidth, 0);
}

template <class Sample>
RenderStatus Walk(const EngravingOptions& options, const RenderJob& job, StrokeSink& sink, StrokeWalkInfo* info) {
    const RenderSettings settings = MakeRenderSettings(options, job);
    if (info != nullptr) {
        info->passes = settings.passes;
        info->dots = settings.useCircles;
    }
    const PixelView<const Sample> source{static_cast<const Sample*>(job.source), job.rowSamples, job.width, job.height,
                                         job.planes};
    ElementLayout layout;
    try {
        layout = MakeElementLayout(settings, job);
    } catch (const std::bad_alloc&) {
        return RenderStatus::kOutOfMemory;
    } catch (const std::length_error&) {
        return RenderStatus::kOutOfMemory;
    }
    const std::vector<LinePositions> noLinePositions;
    const WalkInputs<Sample> inputs{settings, layout, job, source, noLinePositions};
    // The whole area is one band, as the raster render walks it when it cannot split the work.
    Rect near;
    if (layout.fixedDraws) {
        const double reach = layout.stampReach;
        near = {-reach, -reach, static_cast<double>(settings.areaWidth) + reach,
                static_cast<double>(settings.areaHeight) + reach};
    } else {
        near = {layout.decisionArea[0], layout.decisionArea[1], layout.decisionArea[2], layout.decisionArea[3]};
    }
    const int64_t total = std::max<int64_t>(layout.progressTotal, 0);
    if (job.progress != nullptr) job.progress(job.progressContext, 0, total);
    try {
        PieceCollector collector(sink, settings.solidInk ? 1.0f : 0.25f);
        SampleWalker<Sample, PieceCanvas> walker(inputs, PieceCanvas{&collector});
        RandomGenerator sequential(0);
        for (int pass = 0; pass < settings.passes; ++pass) {
            sink.BeginPass(pass);
            walker.WalkPass(pass, near, sequential);
            collector.Flush();
            if (job.progress != nullptr) job.progress(job.progressContext, total / settings.passes * (pass + 1), total);
        }
    } catch (const std::bad_alloc&) {
        return RenderStatus::kOutOfMemory;
    }
    return RenderStatus::kOk;
}

}  // namespace

RenderStatus WalkStrokes(const EngravingOptions& options, const RenderJob& job, StrokeSink& sink,
                         StrokeWalkInfo* info) {
    if (!IsValidSource(job)) return RenderStatus::kInvalidInput;
    return job.depth == 8 ? Walk<uint8_t>(options, job, sink, info) : Walk<uint16_t>(options, job, sink, info);
}

}  // namespace render
