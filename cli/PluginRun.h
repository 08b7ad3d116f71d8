// cli/PluginRun.h: one run of the plug-in on a document, through the emulated host, exactly as
// an action replayed without its dialog: parameters, prepare, start (reading the action's
// descriptor), continue, finish.
#pragma once

#include "emulator/HostImage.h"
#include "params/FilterParameters.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cli {

// Told of the host's progress calls while the plug-in runs (done of total, as the plug-in says).
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void Progress(int32_t done, int32_t total) = 0;
};

struct PluginOutcome {
    int16_t result = 0;   // the host's result code; 0 = the document was engraved
    std::string message;  // the last message box the plug-in showed, if any
    // Memory the run no longer needs, as large as the document, for the caller to reuse:
    // fresh memory costs more to fault in than to fill.
    std::vector<uint8_t> spareMemory;
};

// Runs the plug-in on `image` with `settings`. `selection` is empty or one byte per pixel
// (0 unselected .. 255 selected). The image is replaced by the result only on success.
PluginOutcome RunPlugin(emulator::HostImage& image, const std::vector<uint8_t>& selection,
                        const FilterParameters& settings, ProgressSink* progress);

// "out of memory", "cancelled", ...: a few words for a host result code.
std::string DescribeResult(int16_t result);

}  // namespace cli
