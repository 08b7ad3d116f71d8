// fuzz/RenderOracleFuzzer.cpp: any settings a record can hold (raw floats: NaN, infinities, huge values;
// any schema and pattern byte) on small random images must render without a fault, and the product
// renderer must give the oracle's bytes.
#include "render/RenderEngraving.h"
#include "tests/unit/render/oracle/OracleRender.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data(data), size(size) {}
    template <class T>
    T Take() {
        T value{};
        const size_t n = size < sizeof(T) ? size : sizeof(T);
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }

private:
    const uint8_t* data;
    size_t size;
};

// Large finite values make the oracle walk for minutes; they are covered by the unit tests.
float Bounded(float value) {
    if (value > 5000.0f) return 5000.0f;
    if (value < -5000.0f) return -5000.0f;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in(data, size);
    render::EngravingOptions o;
    o.colorSchema = in.Take<uint8_t>();
    o.pattern = in.Take<uint8_t>();
    const uint8_t flags = in.Take<uint8_t>();
    o.invertIntensity = (flags & 1) != 0;
    o.solidInk = (flags & 2) != 0;
    o.invert = (flags & 4) != 0;
    o.notBreak = (flags & 8) != 0;
    o.useCircles = (flags & 16) != 0;
    o.fillAlpha = (flags & 32) != 0;
    float* fields[] = {&o.rotation,  &o.space,      &o.offset,    &o.width,   &o.contrast, &o.randomness, &o.amplitude,
                       &o.frequency, &o.phaseShift, &o.threshold, &o.centerX, &o.centerY,  &o.noise};
    for (float* f : fields) *f = Bounded(in.Take<float>());
    if (o.space < 2.0f && o.space > -2.0f) o.space = 2.0f;  // keeps the oracle quick; tested elsewhere
    const int32_t width = 1 + in.Take<uint8_t>() % 24;
    const int32_t height = 1 + in.Take<uint8_t>() % 24;
    const int32_t planes = 3 + in.Take<uint8_t>() % 3;
    const int32_t depth = (in.Take<uint8_t>() & 1) ? 16 : 8;
    const bool withMask = (in.Take<uint8_t>() & 1) != 0;
    const size_t samples = static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(planes);
    std::vector<uint16_t> source(samples);
    for (uint16_t& s : source) s = depth == 8 ? in.Take<uint8_t>() : static_cast<uint16_t>(in.Take<uint16_t>() % 32769);
    std::vector<uint8_t> mask(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (uint8_t& m : mask) m = in.Take<uint8_t>();

    const size_t bytes = samples * (depth == 8 ? 1 : 2);
    std::vector<uint8_t> src8(bytes), expected(bytes, 0x5A), actual(bytes, 0x5A);
    for (size_t i = 0; i < samples; ++i) {
        if (depth == 8) {
            src8[i] = static_cast<uint8_t>(source[i]);
        } else {
            std::memcpy(&src8[i * 2], &source[i], 2);
        }
    }
    render::RenderJob job;
    job.source = src8.data();
    job.width = width;
    job.height = height;
    job.rowSamples = int64_t{width} * planes;
    job.planes = planes;
    job.depth = depth;
    job.cmykLayout = planes >= 4 && (flags & 64) != 0;
    job.filterWidth = width;
    job.filterHeight = height;
    job.preview = (flags & 128) != 0;
    if (withMask) {
        job.mask = mask.data();
        job.maskRowBytes = width;
    }
    job.output = expected.data();
    const render::RenderStatus a = oracle::RenderEngravingOracle(o, job);
    job.output = actual.data();
    const render::RenderStatus b = render::RenderEngraving(o, job);
    if (a != b || expected != actual) std::abort();
    return 0;
}
