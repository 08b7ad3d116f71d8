#include "imageio/Orientation.h"

#include <cstring>
#include <utility>

namespace imageio {

bool SwapsSides(uint16_t orientation) {
    return orientation >= 5 && orientation <= 8;
}

void TurnUpright(Raster& raster, uint16_t orientation) {
    if (orientation < 2 || orientation > 8) return;
    const int64_t storedWidth = raster.width;
    const int64_t storedHeight = raster.height;
    const bool swaps = SwapsSides(orientation);
    const int64_t width = swaps ? storedHeight : storedWidth;
    const int64_t height = swaps ? storedWidth : storedHeight;
    const size_t pixelBytes = static_cast<size_t>(raster.channels) * raster.BytesPerSample();
    std::vector<uint8_t> upright(raster.bytes.size());
    for (int64_t y = 0; y < height; ++y)
        for (int64_t x = 0; x < width; ++x) {
            // The stored pixel that shows at (x, y) once the picture is upright.
            int64_t sx = x, sy = y;
            switch (orientation) {
                case 2:
                    sx = storedWidth - 1 - x;
                    break;
                case 3:
                    sx = storedWidth - 1 - x;
                    sy = storedHeight - 1 - y;
                    break;
                case 4:
                    sy = storedHeight - 1 - y;
                    break;
                case 5:
                    sx = y;
                    sy = x;
                    break;
                case 6:
                    sx = y;
                    sy = storedHeight - 1 - x;
                    break;
                case 7:
                    sx = storedWidth - 1 - y;
                    sy = storedHeight - 1 - x;
                    break;
                case 8:
                    sx = storedWidth - 1 - y;
                    sy = x;
                    break;
                default:
                    break;
            }
            std::memcpy(upright.data() + static_cast<size_t>(y * width + x) * pixelBytes,
                        raster.bytes.data() + static_cast<size_t>(sy * storedWidth + sx) * pixelBytes, pixelBytes);
        }
    raster.bytes = std::move(upright);
    raster.width = static_cast<int32_t>(width);
    raster.height = static_cast<int32_t>(height);
    if (swaps) std::swap(raster.details.xResolution, raster.details.yResolution);
}

}  // namespace imageio
