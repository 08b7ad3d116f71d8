#include "render/RenderEngraving.h"

#include "render/BandRenderer.h"
#include "render/Composition.h"
#include "render/Coverage.h"
#include "render/ElementLayout.h"
#include "render/NearRanges.h"
#include "render/RenderSettings.h"
#include "render/StampShapes.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace render {
namespace {

constexpr int64_t kMaxWorkers = 8;

bool IsValid(const RenderJob& job) {
    if (job.output == nullptr || job.source == nullptr) return false;
    if (job.width < 1 || job.height < 1) return false;
    if (job.planes < 3 || job.planes > 5) return false;
    if (job.depth != 8 && job.depth != 16) return false;
    if (job.rowSamples < int64_t{job.width} * job.planes) return false;
    if (job.mask != nullptr && job.maskRowBytes < std::max<int64_t>(job.filterWidth, 0)) return false;
    return true;
}

int64_t WorkerCount() {
    const int64_t cores = static_cast<int64_t>(std::thread::hardware_concurrency());
    return std::clamp<int64_t>(cores, 1, kMaxWorkers);
}

// Every band is drawn exactly once; bands are handed out in order to whichever worker is free.
template <class Sample>
class BandScheduler {
public:
    BandScheduler(const RenderShared<Sample>& renderShared, int64_t areaHeight, int64_t rowsPerBand)
        : shared(renderShared),
          height(areaHeight),
          bandRows(rowsPerBand),
          bands((areaHeight + rowsPerBand - 1) / rowsPerBand) {}

    int64_t Bands() const { return bands; }

    // Draws bands until none is left. Returns false if memory ran out on the way.
    bool Work(BandBuffers& buffers, bool reportsProgress) noexcept {
        try {
            for (int64_t band = next++; band < bands; band = next++) {
                const int64_t first = band * bandRows;
                RenderBand(shared, buffers, first, std::min(height, first + bandRows));
                const int64_t done = ++finished;
                if (reportsProgress) Report(done);
            }
            return true;
        } catch (const std::exception&) {
            // Only memory can run out here; nothing may unwind out of a worker thread.
            next = bands;
            return false;
        }
    }

    void Report(int64_t done) const {
        const RenderJob& job = shared.job;
        if (job.progress == nullptr) return;
        const int64_t total = std::max<int64_t>(shared.layout.progressTotal, 0);
        job.progress(job.progressContext, bands == 0 ? 0 : total / bands * done, total);
    }

private:
    const RenderShared<Sample>& shared;
    const int64_t height;
    const int64_t bandRows;
    const int64_t bands;
    std::atomic<int64_t> next{0};
    std::atomic<int64_t> finished{0};
};

template <class Sample>
RenderStatus Render(const EngravingOptions& options, const RenderJob& job) {
    const RenderSettings settings = MakeRenderSettings(options, job);
    CompositionTarget<Sample> target;
    target.output = {static_cast<Sample*>(job.output), job.rowSamples, job.width, job.height, job.planes};
    target.source = {static_cast<const Sample*>(job.source), job.rowSamples, job.width, job.height, job.planes};
    target.cmykLayout = job.cmykLayout;

    const int64_t unitsPerPixel = settings.solidInk ? 1 : 4;
    const int64_t rowBytes = settings.solidInk ? (int64_t{job.width} + 7) / 8 : (int64_t{job.width} + 1) / 2;
    ElementLayout layout;
    int64_t workers = 1;
    int64_t bandRows = job.height;
    StampShapes shapes;
    const NibbleCountTable nibbleCounts = BuildNibbleCountTable();
    std::vector<BandBuffers> buffers;
    std::vector<LinePositions> linePositions;
    bool passesTogether = false;
    // Everything is allocated before the first output byte is written, so a failure leaves it untouched.
    try {
        // Bands are independent only when every sample's draws follow from its index; otherwise one
        // worker walks the whole area in drawing order.
        if (HasFixedDraws(settings, job.mask != nullptr)) {
            workers = WorkerCount();
            bandRows = std::clamp<int64_t>((job.height + workers * 4 - 1) / (workers * 4), 64, 512);
            workers = std::min(workers, (job.height + bandRows - 1) / bandRows);
        }
        // The masks first: an area too large for memory fails here, before any walk is laid out.
        const int64_t maskRows = std::min<int64_t>(bandRows, job.height) * unitsPerPixel;
        // A band mask beyond 4 GiB means a document of hundreds of thousands of pixels a row; it is
        // refused rather than left to the allocator, which may promise memory it cannot give.
        constexpr int64_t kMaxMaskBytes = int64_t{1} << 32;
        if (rowBytes + 64 > kMaxMaskBytes / maskRows) return RenderStatus::kOutOfMemory;
        buffers.resize(static_cast<size_t>(workers));
        for (BandBuffers& b : buffers) {
            b.mask.Allocate(rowBytes, maskRows);
            b.levels.assign(static_cast<size_t>(rowBytes), 0);
        }
        layout = MakeElementLayout(settings, job);
        shapes.Build(layout.maxStampRadius, settings.useCircles);
        // Every band looks up where each line enters it; describing a line once for all bands saves
        // most of that work. A few kilobytes a line: only for the line counts real images have.
        constexpr size_t kMaxDescribedLines = 65536;
        if (layout.lines && job.height > bandRows && layout.elements.size() <= kMaxDescribedLines) {
            linePositions.reserve(layout.elements.size());
            for (const Element& e : layout.elements) linePositions.push_back(DescribeLine(e));
        }
        // The passes walked together need a mask each.
        passesTogether = !linePositions.empty() && PassesCanWalkTogether(settings, layout, job.mask != nullptr);
        if (passesTogether) {
            for (BandBuffers& b : buffers) {
                b.passMasks.resize(2);
                for (BandMask& m : b.passMasks) m.Allocate(rowBytes, maskRows);
            }
        }
    } catch (const std::bad_alloc&) {
        return RenderStatus::kOutOfMemory;
    } catch (const std::length_error&) {
        return RenderStatus::kOutOfMemory;
    }
    const RowComposer<Sample> composer(settings, target);
    const RenderShared<Sample> shared{settings,     layout,   job,           target,        shapes,
                                      nibbleCounts, composer, linePositions, passesTogether};
    BandScheduler<Sample> scheduler(shared, job.height, bandRows);
    scheduler.Report(0);

    std::vector<std::thread> threads;
    std::atomic<bool> helpersOk{true};
    for (size_t i = 1; i < buffers.size(); ++i) {
        try {
            threads.emplace_back([&scheduler, &helpersOk, &buffers, i] {
                if (!scheduler.Work(buffers[i], /*reportsProgress=*/false)) helpersOk = false;
            });
        } catch (const std::system_error&) {
            break;  // fewer workers: the calling thread draws the rest
        }
    }
    // Only the calling thread talks to the host.
    const bool ok = scheduler.Work(buffers[0], /*reportsProgress=*/true);
    for (std::thread& t : threads) t.join();
    return ok && helpersOk ? RenderStatus::kOk : RenderStatus::kOutOfMemory;
}

}  // namespace

RenderStatus RenderEngraving(const EngravingOptions& options, const RenderJob& job) {
    if (!IsValid(job)) return RenderStatus::kInvalidInput;
    return job.depth == 8 ? Render<uint8_t>(options, job) : Render<uint16_t>(options, job);
}

}  // namespace render
