#include "tests/unit/render/oracle/OracleRender.h"

#include "tests/unit/render/oracle/Composition.h"
#include "tests/unit/render/oracle/Coverage.h"
#include "tests/unit/render/oracle/PatternWalker.h"
#include "tests/unit/render/oracle/RandomGenerator.h"
#include "tests/unit/render/oracle/RenderSettings.h"

#include <algorithm>

namespace oracle {
namespace {

bool IsValid(const RenderJob& job) {
    if (job.output == nullptr || job.source == nullptr) return false;
    if (job.width < 1 || job.height < 1) return false;
    if (job.planes < 3 || job.planes > 5) return false;
    if (job.depth != 8 && job.depth != 16) return false;
    if (job.rowSamples < int64_t{job.width} * job.planes) return false;
    if (job.mask != nullptr && job.maskRowBytes < std::max<int64_t>(job.filterWidth, 0)) return false;
    return true;
}

template <class Sample>
RenderStatus Render(const EngravingOptions& options, const RenderJob& job) {
    const RenderSettings settings = MakeRenderSettings(options, job);
    CompositionTarget<Sample> target;
    target.output = {static_cast<Sample*>(job.output), job.rowSamples, job.width, job.height, job.planes};
    target.source = {static_cast<const Sample*>(job.source), job.rowSamples, job.width, job.height, job.planes};
    target.cmykLayout = job.cmykLayout;

    // Everything is allocated before the first output byte is written, so a failure leaves it untouched.
    SubpixelMask mask;
    CoverageBuffer coverage;
    NibbleCountTable table{};
    if (!settings.solidInk) {
        if (!AllocateCoverageBuffers(job.width, job.height, mask, coverage)) return RenderStatus::kOutOfMemory;
        table = BuildNibbleCountTable();
    }

    RandomGenerator random(0);
    FillOutputBackground(settings, target);
    const PassContext<Sample> context{settings, job, target, settings.solidInk ? nullptr : &mask, random};
    for (int pass = 0; pass < settings.passes; ++pass) {
        if (!settings.solidInk) std::fill(mask.bits.begin(), mask.bits.end(), uint8_t{0});
        WalkPass(context, pass);
        if (!settings.solidInk) {
            ReduceCoverage(mask, table, coverage);
            ComposeCoverage(settings, coverage, target, pass);
        }
    }
    return RenderStatus::kOk;
}

}  // namespace

RenderStatus RenderEngravingOracle(const EngravingOptions& options, const RenderJob& job) {
    if (!IsValid(job)) return RenderStatus::kInvalidInput;
    return job.depth == 8 ? Render<uint8_t>(options, job) : Render<uint16_t>(options, job);
}

}  // namespace oracle
