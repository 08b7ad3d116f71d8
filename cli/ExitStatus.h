// cli/ExitStatus.h: engrave's exit statuses, as the README documents them. With several inputs
// every file is tried, and the status is that of the first file that failed.
#pragma once

namespace cli {

enum class ExitStatus : int {
    kOk = 0,
    kInternal = 1,      // an unexpected fault inside engrave
    kUsage = 2,         // bad arguments or settings, or a preset that cannot be read: nothing was done
    kBadInput = 3,      // an input or the selection mask is unreadable, unsupported or of the wrong size
    kPluginFailed = 4,  // the plug-in refused the image or failed (its message is shown)
    kWriteFailed = 5,   // an output or preset could not be written; nothing partial is left behind
};

constexpr int ToInt(ExitStatus status) {
    return static_cast<int>(status);
}

}  // namespace cli
