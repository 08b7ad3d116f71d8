#include "bench/WholeFilterRun.h"

#include "api/HostApi.h"
#include "bench/PeakMemory.h"
#include "bench/Timing.h"
#include "emulator/EmulatedHost.h"
#include "emulator/HostImage.h"
#include "host/PluginMain.h"
#include "params/FilterParameters.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <utility>
#include <vector>

namespace bench {
namespace {

emulator::HostImage ToHostImage(SyntheticImage&& picture) {
    emulator::HostImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.planes = picture.planes;
    image.depth = picture.depth;
    image.mode = picture.depth == 16 ? host::kModeRGB48 : host::kModeRGB;
    if (picture.depth == 8) {
        image.samples = std::move(picture.samples8);
    } else {
        image.samples.resize(picture.samples16.size() * 2);
        std::memcpy(image.samples.data(), picture.samples16.data(), image.samples.size());
        picture.samples16 = {};
    }
    return image;
}

void Apply(const render::EngravingOptions& o, FilterParameters& p) {
    p.colorSchema = o.colorSchema;
    p.pattern = o.pattern;
    p.invertIntensity = o.invertIntensity ? 1 : 0;
    p.solidInk = o.solidInk ? 1 : 0;
    p.invert = o.invert ? 1 : 0;
    p.notBreak = o.notBreak ? 1 : 0;
    p.useCircles = o.useCircles ? 1 : 0;
    p.fillAlpha = o.fillAlpha ? 1 : 0;
}

}  // namespace

RunTiming TimeWholeFilterRun(const std::function<SyntheticImage()>& makeImage, const render::EngravingOptions& options,
                             int runs) {
    std::vector<double> walls;
    std::vector<double> cpus;
    RunTiming timing;
    // One host for all runs, as an editor keeps its buffers from one filter run to the next: a fresh
    // host would also time the kernel handing it fresh pages for its copies of the document.
    emulator::EmulatedHost host(PluginMain);
    for (int i = 0; i < runs; ++i) {
        host.SetImage(ToHostImage(makeImage()));
        if (host.CallSelector(host::kSelectorParameters) != 0) {
            timing.ok = false;
            return timing;
        }
        Apply(options, *static_cast<FilterParameters*>(host.ParametersData()));
        ResetPeakResident();
        const std::clock_t cpuStart = std::clock();
        Stopwatch watch;
        timing.ok = timing.ok && host.RunFilter() == 0;
        walls.push_back(watch.Seconds());
        cpus.push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        timing.peakMiB = std::max(timing.peakMiB, static_cast<double>(PeakResidentBytes()) / (1024.0 * 1024.0));
    }
    timing.wallSeconds = Median(walls);
    timing.cpuSeconds = Median(cpus);
    return timing;
}

}  // namespace bench
