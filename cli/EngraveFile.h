// cli/EngraveFile.h: one input engraved into one output file.
#pragma once

#include "cli/ExitStatus.h"
#include "cli/SelectionMask.h"
#include "imageio/WriteOptions.h"
#include "params/FilterParameters.h"

#include <string>

namespace cli {

struct EngraveJob {
    std::string input;
    std::string output;
    FilterParameters settings;
    const SelectionMask* selection = nullptr;  // nullptr: the whole image
    bool showProgress = false;
    int compression = imageio::kDefaultCompression;  // for the writer, 0 .. 12
};

struct FileOutcome {
    ExitStatus status = ExitStatus::kOk;
    std::string message;  // one line naming the file, empty on success
};

// Reads the input, runs the plug-in through the emulated host and writes the output in the
// input's format, depth and colour model. On failure no output file is created or changed.
FileOutcome EngraveFile(const EngraveJob& job);

}  // namespace cli
