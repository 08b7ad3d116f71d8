// Small synthetic images and jobs for the render tests.
#pragma once

#include "render/RenderEngraving.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace render::testing {

template <class Sample>
struct TestImage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t planes = 3;
    int64_t rowSamples = 0;
    std::vector<Sample> source;
    std::vector<Sample> output;
    std::vector<uint8_t> mask;

    // Rows get `padding` spare samples so that writes past a row show up.
    TestImage(int32_t w, int32_t h, int32_t p, int32_t padding = 0)
        : width(w),
          height(h),
          planes(p),
          rowSamples(int64_t{w} * p + padding),
          source(static_cast<std::size_t>(rowSamples * h), 0),
          output(static_cast<std::size_t>(rowSamples * h), 0) {}

    Sample* SourcePixel(int x, int y) { return source.data() + y * rowSamples + x * planes; }
    const Sample* OutputPixel(int x, int y) const { return output.data() + y * rowSamples + x * planes; }

    void Fill(uint32_t value) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < planes; ++c) SourcePixel(x, y)[c] = static_cast<Sample>(value);
    }

    RenderJob Job() {
        RenderJob job;
        job.output = output.data();
        job.source = source.data();
        job.width = width;
        job.height = height;
        job.rowSamples = rowSamples;
        job.planes = planes;
        job.depth = sizeof(Sample) == 1 ? 8 : 16;
        job.filterWidth = width;
        job.filterHeight = height;
        if (!mask.empty()) {
            job.mask = mask.data();
            job.maskRowBytes = width;
        }
        return job;
    }
};

template <class Sample>
constexpr uint32_t Full() {
    return sizeof(Sample) == 1 ? 255u : 32768u;
}

}  // namespace render::testing
