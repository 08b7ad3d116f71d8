#include "cli/StrokeSource.h"

#include "cli/SampleScale.h"
#include "emulator/BasicSuite.h"

#include <cstring>
#include <type_traits>
#include <vector>

namespace cli {

namespace {

using imageio::ColorModel;

template <class Sample>
Sample FileSample(const imageio::Raster& raster, int64_t index) {
    if constexpr (sizeof(Sample) == 1) {
        return raster.bytes[static_cast<size_t>(index)];
    } else {
        uint16_t v;
        std::memcpy(&v, raster.bytes.data() + index * 2, sizeof v);
        return FileToHost16(v);
    }
}

template <class Sample>
void Convert(const imageio::Raster& raster, StrokeSource& source) {
    const int32_t planes = source.planes;
    source.converted.assign(static_cast<size_t>(source.rowSamples * raster.height) * sizeof(Sample), 0);
    auto* out = reinterpret_cast<Sample*>(source.converted.data());
    constexpr Sample kFull = sizeof(Sample) == 1 ? 255 : 32768;
    const bool cmyk = raster.model == ColorModel::kCmyk;
    const bool grey = raster.model == ColorModel::kGrey;
    const int32_t colours = raster.ColorChannels();
    using Color = std::conditional_t<sizeof(Sample) == 1, host::Color8, host::Color16>;
    std::vector<Color> row(cmyk ? static_cast<size_t>(raster.width) : 0);
    for (int32_t y = 0; y < raster.height; ++y) {
        Sample* line = out + int64_t{y} * source.rowSamples;
        for (int32_t x = 0; x < raster.width; ++x) {
            const int64_t first = (int64_t{y} * raster.width + x) * raster.channels;
            Sample* pixel = line + int64_t{x} * planes;
            if (cmyk) {
                for (int c = 0; c < 4; ++c) row[static_cast<size_t>(x)][c] = FileSample<Sample>(raster, first + c);
            } else {
                for (int c = 0; c < 3; ++c) pixel[c] = FileSample<Sample>(raster, first + (grey ? 0 : c));
            }
            if (planes == 4) pixel[3] = raster.HasAlpha() ? FileSample<Sample>(raster, first + colours) : kFull;
        }
        if (!cmyk) continue;
        // The host's own conversion, as the driver asks for it.
        if constexpr (sizeof(Sample) == 1) {
            emulator::ConvertColors8(host::kColorSpaceCMYK, host::kColorSpaceRGB, row.data(), raster.width);
        } else {
            emulator::ConvertColors16(host::kColorSpaceCMYK, host::kColorSpaceRGB, row.data(), raster.width);
        }
        for (int32_t x = 0; x < raster.width; ++x)
            for (int c = 0; c < 3; ++c)
                line[int64_t{x} * planes + c] = static_cast<Sample>(row[static_cast<size_t>(x)][c + 1]);
    }
    source.data = source.converted.data();
}

}  // namespace

bool MakeStrokeSource(const imageio::Raster& raster, StrokeSource& source, std::string& error) {
    if (raster.model == ColorModel::kLab) {
        error = "Lab pictures are not engraved; convert it to RGB, grey or CMYK first";
        return false;
    }
    source = StrokeSource{};
    source.width = raster.width;
    source.height = raster.height;
    source.depth = raster.depth;
    source.planes = raster.HasAlpha() ? 4 : 3;
    source.rowSamples = int64_t{raster.width} * source.planes;
    // 8-bit RGB and RGBA files already hold what the walk reads.
    if (raster.model == ColorModel::kRgb && raster.depth == 8 && raster.channels == source.planes) {
        source.data = raster.bytes.data();
        return true;
    }
    if (raster.depth == 16) {
        Convert<uint16_t>(raster, source);
    } else {
        Convert<uint8_t>(raster, source);
    }
    return true;
}

}  // namespace cli
