#include "tests/support/TestImages.h"

#include <algorithm>
#include <cmath>

namespace testing_support {

emulator::HostImage MakePicture(int32_t width, int32_t height, int32_t planes, int32_t depth, int16_t mode) {
    emulator::HostImage image = emulator::HostImage::Blank(width, height, planes, depth, mode);
    const uint32_t full = depth == 16 ? 32768u : 255u;
    const bool cmyk = mode == 4 || mode == 13;
    const float cx = static_cast<float>(width) * 0.35f, cy = static_cast<float>(height) * 0.4f;
    const float radius = static_cast<float>(std::min(width, height)) * 0.25f;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            float tone = (static_cast<float>(x) / static_cast<float>(std::max(width, 2) - 1) +
                          static_cast<float>(y) / static_cast<float>(std::max(height, 2) - 1)) *
                         0.5f;
            if (std::hypot(static_cast<float>(x) - cx, static_cast<float>(y) - cy) < radius) tone *= 0.2f;
            for (int32_t c = 0; c < planes; ++c) {
                float value = tone * (1.0f - 0.15f * static_cast<float>(c));
                if (c >= 3 || (cmyk && c >= 4)) value = 1.0f;  // opacity planes opaque
                if (cmyk && c < 4) value = c == 3 ? (1.0f - tone) * 0.5f : (1.0f - tone) * 0.6f;
                image.SetSample(x, y, c, static_cast<uint32_t>(value * static_cast<float>(full) + 0.5f));
            }
        }
    }
    return image;
}

}  // namespace testing_support
