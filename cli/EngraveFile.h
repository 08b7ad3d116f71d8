// cli/EngraveFile.h: one input engraved into one output file.
#pragma once

#include "cli/ExitStatus.h"
#include "cli/SelectionMask.h"
#include "cli/VectorOptions.h"
#include "imageio/WriteOptions.h"
#include "params/FilterParameters.h"
#include "imageio/ReadLimits.h"

#include <cstdint>
#include <string>
#include <utility>

namespace cli {

struct EngraveJob {
    std::string input;
    std::string output;
    FilterParameters settings;
    const SelectionMask* selection = nullptr;  // nullptr: the whole image
    bool showProgress = false;
    int compression = imageio::kDefaultCompression;  // for the writer, 0 .. 12
    imageio::ReadLimits limits;                      // for the input, decided from its header
    VectorOptions vector;                            // the ruling and resolution, and the SVG options
};

struct FileOutcome {
    FileOutcome() = default;
    FileOutcome(ExitStatus failure, std::string why) : status(failure), message(std::move(why)) {}

    ExitStatus status = ExitStatus::kOk;
    std::string message;  // one line naming the file, empty on success
    std::string note;     // something the user should know even on success (one line), or empty
};

// "FILE: why": one file's failure as the batch reports it.
FileOutcome FailedFile(ExitStatus status, const std::string& file, const std::string& why);

// Empty when the mask covers a picture of this size; else the reason it cannot be used.
std::string SelectionMismatch(const SelectionMask& selection, int32_t width, int32_t height);

// Reads the input, runs the plug-in through the emulated host and writes the output in the
// input's format, depth and colour model (a grey input whose engraving has colour is written as
// RGB, and `note` says so). The output's place is checked first, so a run that could not write
// fails before its work. On failure no output file is created or changed.
FileOutcome EngraveFile(const EngraveJob& job);

}  // namespace cli
