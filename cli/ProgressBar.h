// cli/ProgressBar.h: a one-line bar on a terminal, fed by the host's progress calls.
#pragma once

#include "cli/PluginRun.h"

#include <cstdio>
#include <string>

namespace cli {

class ProgressBar : public ProgressSink {
public:
    // Draws on `stream` only when `enabled` (a terminal, and not --quiet); `label` names the work.
    ProgressBar(std::FILE* stream, bool enabled, std::string label);
    ~ProgressBar() override;
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Progress(int32_t done, int32_t total) override;
    // Clears the line so that a following message starts at the left margin.
    void Finish();

private:
    std::FILE* stream;
    bool enabled;
    std::string label;
    int lastPercent = -1;
    bool drawn = false;
};

// True when standard error is a terminal, where redrawing one line makes sense.
bool StandardErrorIsTerminal();

}  // namespace cli
