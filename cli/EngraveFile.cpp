#include "cli/EngraveFile.h"

#include "cli/AtomicWrite.h"
#include "cli/HostImageConversion.h"
#include "cli/ImageResolution.h"
#include "cli/LineRuling.h"
#include "cli/PluginRun.h"
#include "cli/ProgressBar.h"
#include "cli/StagedProgress.h"
#include "imageio/ImageFile.h"

#include <cstdio>
#include <utility>

namespace cli {

FileOutcome FailedFile(ExitStatus status, const std::string& file, const std::string& why) {
    return FileOutcome{status, file + ": " + why};
}

std::string SelectionMismatch(const SelectionMask& selection, int32_t width, int32_t height) {
    if (selection.width == width && selection.height == height) return {};
    return "the selection mask is " + std::to_string(selection.width) + "x" + std::to_string(selection.height) +
           " but the image is " + std::to_string(width) + "x" + std::to_string(height);
}

FileOutcome EngraveFile(const EngraveJob& job) {
    // One bar from the first byte read to the last written; it is cleared before any message.
    ProgressBar bar(stderr, job.showProgress, job.input);
    StagedProgress stages(bar);
    stages.Enter(StagedProgress::Stage::kReading);
    imageio::Raster raster;
    imageio::FileFormat format;
    std::string error;
    if (!CheckWritable(job.output, error))
        return FailedFile(ExitStatus::kWriteFailed, job.output, "cannot write: " + error);
    if (!imageio::ReadImage(job.input, raster, format, error, job.limits, stages.FileProgress()))
        return FailedFile(ExitStatus::kBadInput, job.input, error);

    imageio::FileFormat asked;
    if (imageio::FormatFromName(job.output, asked) && asked != format)
        return FailedFile(ExitStatus::kUsage, job.output,
                          std::string("the output keeps the input's format (") + imageio::FormatName(format) +
                              "); give it a ." + (format == imageio::FileFormat::kPng ? "png" : "tif") + " name");

    FilterParameters settings = job.settings;
    if (!ApplyRuling(job.vector, DotsPerInch(raster, job.input, job.vector), settings, error))
        return FailedFile(ExitStatus::kUsage, job.input, error);

    emulator::HostImage image;
    if (!ToHostImage(std::move(raster), image, error)) return FailedFile(ExitStatus::kBadInput, job.input, error);

    static const std::vector<uint8_t> kWholeImage;
    if (job.selection != nullptr) {
        const std::string mismatch = SelectionMismatch(*job.selection, raster.width, raster.height);
        if (!mismatch.empty()) return FailedFile(ExitStatus::kBadInput, job.input, mismatch);
    }
    // The host takes its own copy of the mask; none is made here.
    const std::vector<uint8_t>& selection = job.selection != nullptr ? job.selection->coverage : kWholeImage;

    stages.Enter(StagedProgress::Stage::kEngraving);
    PluginOutcome outcome = RunPlugin(image, selection, settings, &stages);
    if (outcome.result != 0) {
        const std::string why = outcome.message.empty() ? DescribeResult(outcome.result) : outcome.message;
        return FailedFile(ExitStatus::kPluginFailed, job.input, "the plug-in did not engrave it: " + why);
    }

    const imageio::Raster result = FromHostImage(std::move(image), raster);
    stages.Enter(StagedProgress::Stage::kWriting);
    imageio::WriteOptions options;
    options.compression = job.compression;
    options.progress = stages.FileProgress();
    options.scratch = &outcome.spareMemory;
    const bool written = WriteAtomically(
        job.output,
        [&](const std::string& path, std::string& writeError) {
            return imageio::WriteImage(path, result, format, options, writeError);
        },
        error);
    if (!written) return FailedFile(ExitStatus::kWriteFailed, job.output, "cannot write: " + error);
    FileOutcome done;
    if (result.model != raster.model)
        done.note = job.output + ": written in RGB: the engraving of this grey picture has colour";
    return done;
}

}  // namespace cli
