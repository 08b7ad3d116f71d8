// bench/WholeFilterRun.h: one filter run as the editor makes it (selectors, driver, render,
// composition) through the emulated host, timed.
#pragma once

#include "bench/SyntheticImage.h"
#include "render/RenderEngraving.h"

#include <functional>

namespace bench {

struct RunTiming {
    double wallSeconds = 0.0;
    double cpuSeconds = 0.0;  // all threads of the process
    double peakMiB = 0.0;     // the process's largest resident size during a run, the host's memory included
    bool ok = true;
};

// Median of `runs` whole runs through one host. `makeImage` is called before each run (untimed)
// because a run replaces the document; the settings go into the record the parameters selector
// created.
RunTiming TimeWholeFilterRun(const std::function<SyntheticImage()>& makeImage, const render::EngravingOptions& options,
                             int runs);

}  // namespace bench
