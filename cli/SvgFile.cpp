#include "cli/SvgFile.h"

#include "cli/AtomicWrite.h"
#include "cli/ImageResolution.h"
#include "cli/LineRuling.h"
#include "cli/ProgressBar.h"
#include "cli/StagedProgress.h"
#include "cli/StrokeSource.h"
#include "cli/SvgWriter.h"
#include "host/ParameterOptions.h"
#include "imageio/ImageFile.h"
#include "render/StrokeWalk.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace cli {

namespace {

void ForwardProgress(void* context, int64_t done, int64_t total) {
    // The bar takes 32-bit counts; scale both alike.
    while (total > INT32_MAX) {
        done /= 2;
        total /= 2;
    }
    static_cast<ProgressSink*>(context)->Progress(static_cast<int32_t>(done), static_cast<int32_t>(total));
}

}  // namespace

FileOutcome EngraveSvgFile(const EngraveJob& job) {
    FilterParameters settings = job.settings;
    if (settings.colorSchema == 0)
        return FailedFile(ExitStatus::kUsage, job.output,
                          "\"Initial color\" takes its colours from the picture and has no SVG form; "
                          "choose \"Black and white\" or \"Split color\" (--color-schema)");

    // One bar from the first byte read to the last stroke written; cleared before any message.
    ProgressBar bar(stderr, job.showProgress, job.input);
    StagedProgress stages(bar);
    stages.Enter(StagedProgress::Stage::kReading);
    imageio::Raster raster;
    imageio::FileFormat format;
    std::string error;
    if (!imageio::ReadImage(job.input, raster, format, error, job.limits, stages.FileProgress()))
        return FailedFile(ExitStatus::kBadInput, job.input, error);

    const double dotsPerInch = DotsPerInch(raster, job.input, job.vector);
    if (!ApplyRuling(job.vector, dotsPerInch, settings, error)) return FailedFile(ExitStatus::kUsage, job.input, error);

    StrokeSource source;
    if (!MakeStrokeSource(raster, source, error)) return FailedFile(ExitStatus::kBadInput, job.input, error);

    render::RenderJob walk;
    walk.source = source.data;
    walk.width = source.width;
    walk.height = source.height;
    walk.rowSamples = source.rowSamples;
    walk.planes = source.planes;
    walk.depth = source.depth;
    walk.filterWidth = source.width;
    walk.filterHeight = source.height;
    if (job.selection != nullptr) {
        const std::string mismatch = SelectionMismatch(*job.selection, raster.width, raster.height);
        if (!mismatch.empty()) return FailedFile(ExitStatus::kBadInput, job.input, mismatch);
        walk.mask = job.selection->coverage.data();
        walk.maskRowBytes = raster.width;
    }
    const render::EngravingOptions options = OptionsFromParameters(settings);

    SvgLook look;
    look.splitColor = options.colorSchema == 1;
    look.invert = options.invert;
    look.background = job.vector.svgBackground;
    look.dots = options.useCircles;
    look.solidInk = options.solidInk;
    look.jittered = options.noise != 0.0f;
    const SvgPage page{raster.width, raster.height, dotsPerInch};

    // The strokes are written as they are walked: engraving and writing are one stage here.
    stages.Enter(StagedProgress::Stage::kEngraving);
    walk.progress = ForwardProgress;
    walk.progressContext = static_cast<ProgressSink*>(&stages);
    const bool written = WriteAtomically(
        job.output,
        [&](const std::string& path, std::string& writeError) {
            std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
            if (!file) {
                writeError = std::strerror(errno);
                return false;
            }
            SvgWriter writer(file.get(), page, look);
            const render::RenderStatus status = render::WalkStrokes(options, walk, writer);
            if (status != render::RenderStatus::kOk) {
                writeError = status == render::RenderStatus::kOutOfMemory ? "out of memory" : "the picture is empty";
                return false;
            }
            if (!writer.Finish(writeError)) return false;
            std::FILE* raw = file.release();
            if (std::fclose(raw) != 0) {
                writeError = std::strerror(errno);
                return false;
            }
            return true;
        },
        error);
    bar.Finish();
    if (!written) return FailedFile(ExitStatus::kWriteFailed, job.output, "cannot write: " + error);
    return FileOutcome{};
}

}  // namespace cli
