#include "tests/cli/EngraveTestImages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace cli_test {

imageio::Raster MakeRaster(imageio::ColorModel model, int32_t channels, int32_t depth, int32_t width, int32_t height) {
    imageio::Raster raster;
    raster.width = width;
    raster.height = height;
    raster.model = model;
    raster.channels = channels;
    raster.depth = depth;
    raster.bytes.resize(static_cast<size_t>(raster.RowBytes() * height));
    const double full = depth == 16 ? 65535.0 : 255.0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            double tone = (x + y) / static_cast<double>(width + height - 2);
            if (std::hypot(x - width * 0.4, y - height * 0.45) < height * 0.25) tone *= 0.2;
            for (int32_t c = 0; c < channels; ++c) {
                double value = tone * (1.0 - 0.1 * c);
                if (model == imageio::ColorModel::kCmyk) value = (1.0 - tone) * (c == 3 ? 0.4 : 0.5);
                if (c >= raster.ColorChannels()) value = 1.0;
                const auto sample = static_cast<uint32_t>(std::lround(value * full));
                const int64_t index = (int64_t{y} * width + x) * channels + c;
                if (depth == 16) {
                    const auto v = static_cast<uint16_t>(sample);
                    std::memcpy(raster.bytes.data() + index * 2, &v, 2);
                } else {
                    raster.bytes[static_cast<size_t>(index)] = static_cast<uint8_t>(sample);
                }
            }
        }
    return raster;
}

void WriteFile(const std::string& path, const imageio::Raster& raster, imageio::FileFormat format) {
    std::string error;
    ASSERT_TRUE(imageio::WriteImage(path, raster, format, error)) << path << ": " << error;
}

imageio::Raster ReadFile(const std::string& path, imageio::FileFormat* format) {
    imageio::Raster raster;
    imageio::FileFormat found;
    std::string error;
    EXPECT_TRUE(imageio::ReadImage(path, raster, found, error)) << path << ": " << error;
    if (format != nullptr) *format = found;
    return raster;
}

}  // namespace cli_test
