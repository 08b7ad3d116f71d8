// bench/EngraveBench.cpp: times the engraving on synthetic photo-like images: the straightforward
// oracle, the product renderer, and GEGL's newsprint as an outside reference. Prints ratios
// measured in this one run; asserts nothing.
#include "bench/FileToFile.h"
#include "bench/GeglNewsprint.h"
#include "bench/PeakMemory.h"
#include "bench/SyntheticImage.h"
#include "bench/Timing.h"
#include "bench/WholeFilterRun.h"
#include "render/RenderEngraving.h"
#include "tests/unit/render/oracle/OracleRender.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct BenchCase {
    const char* name;
    render::EngravingOptions options;
    int32_t depth;
};

std::vector<BenchCase> Cases() {
    std::vector<BenchCase> cases;
    render::EngravingOptions defaults;  // "Waves 1", black and white
    cases.push_back({"Waves 1 (default)", defaults, 8});
    render::EngravingOptions rings = defaults;
    rings.pattern = 6;
    cases.push_back({"Rings waves 3", rings, 8});
    render::EngravingOptions spiral = defaults;
    spiral.pattern = 8;
    cases.push_back({"Spiral", spiral, 8});
    render::EngravingOptions split = defaults;
    split.colorSchema = 1;
    cases.push_back({"Split color", split, 8});
    cases.push_back({"16-bit", defaults, 16});
    render::EngravingOptions circles = defaults;
    circles.useCircles = true;
    cases.push_back({"useCircles", circles, 8});
    return cases;
}

using Renderer = render::RenderStatus (*)(const render::EngravingOptions&, const render::RenderJob&);

render::RenderJob MakeJob(const bench::SyntheticImage& image, void* output) {
    render::RenderJob job;
    job.output = output;
    job.source = image.Data();
    job.width = image.width;
    job.height = image.height;
    job.rowSamples = int64_t{image.width} * image.planes;
    job.planes = image.planes;
    job.depth = image.depth;
    job.filterWidth = image.width;
    job.filterHeight = image.height;
    return job;
}

double TimeRender(Renderer renderer, const render::EngravingOptions& options, const render::RenderJob& job, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        bench::Stopwatch watch;
        if (renderer(options, job) != render::RenderStatus::kOk) {
            std::fprintf(stderr, "render failed\n");
            std::exit(1);
        }
        times.push_back(watch.Seconds());
    }
    return bench::Median(times);
}

struct Arguments {
    int runs = 3;
    int oracleRuns = 1;
    bool gegl = true;
    bool oracle = true;
    std::vector<int> megapixels = {3, 24};
    std::string only;  // a case name to run alone, for profiling
    bool renders = true;
    bool files = true;
    int fileRuns = 3;
};

Arguments Parse(int argc, char** argv) {
    Arguments a;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            a.runs = std::atoi(argv[++i]);
        } else if (arg == "--oracle-runs" && i + 1 < argc) {
            a.oracleRuns = std::atoi(argv[++i]);
        } else if (arg == "--no-gegl") {
            a.gegl = false;
        } else if (arg == "--no-oracle") {
            a.oracle = false;
        } else if (arg == "--quick") {
            a.megapixels = {3};
        } else if (arg == "--large") {
            a.megapixels = {24};
        } else if (arg == "--case" && i + 1 < argc) {
            a.only = argv[++i];
        } else if (arg == "--files-only") {
            a.renders = false;
        } else if (arg == "--no-files") {
            a.files = false;
        } else if (arg == "--file-runs" && i + 1 < argc) {
            a.fileRuns = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr,
                         "usage: %s [--runs N] [--oracle-runs N] [--no-gegl] [--no-oracle] [--quick | --large]\n"
                         "          [--case NAME] [--no-files | --files-only] [--file-runs N]\n",
                         argv[0]);
            std::exit(2);
        }
    }
    return a;
}

void Size(int megapixels, int32_t& width, int32_t& height) {
    // 3:2 like a camera sensor: 2000 x 1500 is 3 MP, 6000 x 4000 is 24 MP.
    width = megapixels == 24 ? 6000 : 2000;
    height = megapixels == 24 ? 4000 : 1500;
}

double PreviewMilliseconds(const bench::SyntheticImage& image, int runs) {
    // The dialog's preview: a 280 x 250 crop of the full image at default settings.
    const int32_t w = 280, h = 250, ox = image.width / 3, oy = image.height / 3;
    std::vector<uint8_t> source(static_cast<size_t>(w) * h * 3);
    std::vector<uint8_t> output(source.size());
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w * 3; ++x)
            source[static_cast<size_t>(y) * w * 3 + static_cast<size_t>(x)] =
                image.samples8[(static_cast<size_t>(y + oy) * static_cast<size_t>(image.width) +
                                static_cast<size_t>(ox)) *
                                   3 +
                               static_cast<size_t>(x)];
    render::RenderJob job;
    job.output = output.data();
    job.source = source.data();
    job.width = w;
    job.height = h;
    job.rowSamples = w * 3;
    job.originX = ox;
    job.originY = oy;
    job.filterWidth = image.width;
    job.filterHeight = image.height;
    job.preview = true;
    return TimeRender(render::RenderEngraving, render::EngravingOptions{}, job, runs) * 1000.0;
}

struct DirectTiming {
    double fastWall = 0.0;
    double fastCpu = 0.0;
    double oracleWall = 0.0;
    double peakMiB = 0.0;
};

DirectTiming TimeDirect(const bench::SyntheticImage& image, const render::EngravingOptions& options, int runs,
                        int oracleRuns) {
    DirectTiming t;
    std::vector<uint8_t> output(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3 *
                                (image.depth == 16 ? 2 : 1));
    const render::RenderJob job = MakeJob(image, output.data());
    bench::ResetPeakResident();
    const std::clock_t cpuStart = std::clock();
    t.fastWall = TimeRender(render::RenderEngraving, options, job, runs);
    t.fastCpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC / runs;
    t.peakMiB = static_cast<double>(bench::PeakResidentBytes()) / (1024.0 * 1024.0);
    if (oracleRuns > 0) t.oracleWall = TimeRender(oracle::RenderEngravingOracle, options, job, oracleRuns);
    return t;
}

void RunRenders(const Arguments& args);

}  // namespace

int main(int argc, char** argv) {
    const Arguments args = Parse(argc, argv);
    if (args.renders) RunRenders(args);
    if (args.files) {
        bench::FileToFileSettings files;
        files.runs = std::max(1, args.fileRuns);
        files.gegl = args.gegl;
        bench::RunFileToFile(files);
    }
    return 0;
}

namespace {

void RunRenders(const Arguments& args) {
    std::printf(
        "Times in seconds, medians of %d (oracle: %d at 24 MP). 'run' is the whole filter run through\n"
        "the emulated host; 'render' the renderer alone; cpu counts all threads. 'orcl/rend' compares the\n"
        "renderers alone, 'orcl/run' the oracle's render with the whole run.\n\n",
        args.runs, args.oracleRuns);
    std::printf("%-18s %3s %8s %8s %8s %8s %8s %9s %8s %8s %9s %9s %8s %8s\n", "case", "MP", "oracle", "render",
                "rend cpu", "run", "run cpu", "orcl/rend", "orcl/run", "run/MP", "peak run", "peak rend", "gegl",
                "vs gegl");
    for (int mp : args.megapixels) {
        int32_t width = 0, height = 0;
        Size(mp, width, height);
        bench::GeglTiming gegl;
        if (args.gegl) gegl = bench::TimeGeglNewsprint(bench::MakePhotoLikeImage(width, height, 3, 8), 3);
        for (const BenchCase& c : Cases()) {
            if (!args.only.empty() && args.only != c.name) continue;
            const auto make = [&] { return bench::MakePhotoLikeImage(width, height, 3, c.depth); };
            const bench::RunTiming run = bench::TimeWholeFilterRun(make, c.options, args.runs);
            const double runPeakMiB = run.peakMiB;
            const int oracleRuns = !args.oracle ? 0 : (mp >= 24 ? args.oracleRuns : std::max(args.oracleRuns, 3));
            const DirectTiming direct = TimeDirect(make(), c.options, args.runs, oracleRuns);
            const bool comparable = gegl.available && c.depth == 8 && std::strcmp(c.name, "Waves 1 (default)") == 0;
            std::printf("%-18s %3d %8.3f %8.3f %8.3f %8.3f %8.3f %9.1f %8.1f %8.4f %9.0f %9.0f", c.name, mp,
                        direct.oracleWall, direct.fastWall, direct.fastCpu, run.wallSeconds, run.cpuSeconds,
                        direct.oracleWall > 0 ? direct.oracleWall / direct.fastWall : 0.0,
                        direct.oracleWall > 0 ? direct.oracleWall / run.wallSeconds : 0.0, run.wallSeconds / mp,
                        runPeakMiB, direct.peakMiB);
            if (comparable) {
                std::printf(" %8.3f %8.1f%s\n", gegl.NewsprintSeconds(), gegl.NewsprintSeconds() / run.wallSeconds,
                            run.ok ? "" : "  RUN FAILED");
            } else {
                std::printf(" %8s %8s%s\n", "-", "-", run.ok ? "" : "  RUN FAILED");
            }
            std::fflush(stdout);
        }
        if (gegl.available) {
            std::printf("  gegl newsprint %d MP: %.3f s for the command, %.3f s of it loading and saving\n", mp,
                        gegl.totalSeconds, gegl.loadSaveSeconds);
        }
        if (mp == 24 || args.megapixels.size() == 1) {
            std::printf("  preview 280 x 250 at default settings: %.2f ms (median of 31)\n",
                        PreviewMilliseconds(bench::MakePhotoLikeImage(width, height, 3, 8), 31));
        }
    }
}

}  // namespace
