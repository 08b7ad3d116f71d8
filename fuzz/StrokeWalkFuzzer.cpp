// Walks the strokes of a tiny arbitrary picture with a parameter record of arbitrary bytes (as
// presets and recorded actions may hold) and writes them as SVG: the walk must end in bounded
// time without touching memory it does not own, and the document must hold no number that is not
// finite. Takes the same inputs as the whole-run target.
#include "fuzz/FuzzInput.h"
#include "cli/SvgWriter.h"
#include "params/FilterParameters.h"
#include "host/ParameterOptions.h"
#include "render/StrokeWalk.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using fuzz::Check;
using fuzz::Reader;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(FilterParameters)) return 0;
    FilterParameters record;
    std::memcpy(&record, data, sizeof record);
    Reader rest{data + sizeof record, size - sizeof record};

    const uint8_t shape = rest.Byte();
    const int32_t width = 1 + rest.Byte() % 24, height = 1 + rest.Byte() % 24;
    const bool sixteen = (shape & 1) != 0, selection = (shape & 4) != 0;
    const int32_t planes = 3 + (shape >> 3) % 2;
    std::vector<uint16_t> wide;
    std::vector<uint8_t> narrow;
    for (int32_t i = 0; i < width * height * planes; ++i) {
        const uint32_t v = rest.Byte();
        if (sixteen) {
            wide.push_back(static_cast<uint16_t>((v * 32768u) / 255u));
        } else {
            narrow.push_back(static_cast<uint8_t>(v));
        }
    }
    std::vector<uint8_t> mask;
    if (selection)
        for (int32_t i = 0; i < width * height; ++i) mask.push_back(rest.Byte());

    render::RenderJob job;
    job.source = sixteen ? static_cast<const void*>(wide.data()) : static_cast<const void*>(narrow.data());
    job.width = width;
    job.height = height;
    job.rowSamples = int64_t{width} * planes;
    job.planes = planes;
    job.depth = sixteen ? 16 : 8;
    job.filterWidth = width;
    job.filterHeight = height;
    if (selection) {
        job.mask = mask.data();
        job.maskRowBytes = width;
    }
    const render::EngravingOptions options = OptionsFromParameters(record);

    char* text = nullptr;
    size_t length = 0;
    std::FILE* memory = open_memstream(&text, &length);
    Check(memory != nullptr);
    cli::SvgLook look;
    look.splitColor = options.colorSchema == 1;
    look.dots = options.useCircles;
    look.solidInk = options.solidInk;
    look.jittered = options.noise != 0.0f;
    {
        cli::SvgWriter writer(memory, cli::SvgPage{width, height, 72.0}, look);
        const render::RenderStatus status = render::WalkStrokes(options, job, writer);
        Check(status == render::RenderStatus::kOk || status == render::RenderStatus::kOutOfMemory);
        std::string error;
        Check(writer.Finish(error));
    }
    std::fclose(memory);
    const std::string svg(text, length);
    std::free(text);
    Check(svg.find("nan") == std::string::npos && svg.find("inf") == std::string::npos);
    Check(svg.size() >= 7 && svg.compare(svg.size() - 7, 7, "</svg>\n") == 0);
    return 0;
}
