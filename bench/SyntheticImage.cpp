#include "bench/SyntheticImage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bench {
namespace {

uint32_t Hash(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

}  // namespace

SyntheticImage MakePhotoLikeImage(int32_t width, int32_t height, int32_t planes, int32_t depth) {
    SyntheticImage image;
    image.width = width;
    image.height = height;
    image.planes = planes;
    image.depth = depth;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(planes);
    if (depth == 8) {
        image.samples8.resize(count);
    } else {
        image.samples16.resize(count);
    }
    // Separable shading keeps generation cheap: a sky-like vertical ramp times slow horizontal waves.
    std::vector<float> column(static_cast<size_t>(width));
    std::vector<float> row(static_cast<size_t>(height));
    for (int32_t x = 0; x < width; ++x) {
        const float u = static_cast<float>(x) / static_cast<float>(width);
        column[static_cast<size_t>(x)] = 0.55f + 0.25f * std::sin(u * 9.0f) + 0.1f * std::cos(u * 31.0f);
    }
    for (int32_t y = 0; y < height; ++y) {
        const float v = static_cast<float>(y) / static_cast<float>(height);
        row[static_cast<size_t>(y)] = 0.35f + 0.6f * v * v;
    }
    const float cx = static_cast<float>(width) * 0.4f;
    const float cy = static_cast<float>(height) * 0.55f;
    const float radius2 = std::pow(static_cast<float>(std::min(width, height)) * 0.3f, 2.0f);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            float luma = column[static_cast<size_t>(x)] * row[static_cast<size_t>(y)];
            const float dx = static_cast<float>(x) - cx;
            const float dy = static_cast<float>(y) - cy;
            if (dx * dx + dy * dy < radius2) luma = 0.85f - 0.5f * luma;  // a hard-edged "face"
            if ((x / 97 + y / 61) % 7 == 0) luma *= 0.4f;                 // dark "windows"
            const uint32_t h = Hash(static_cast<uint32_t>(y) * 131071u + static_cast<uint32_t>(x));
            const float grain = static_cast<float>(h & 31u) / 255.0f - 0.06f;
            const float tint[3] = {1.05f, 0.95f, 0.85f};
            const size_t base = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) *
                                static_cast<size_t>(planes);
            for (int32_t c = 0; c < planes; ++c) {
                float value = c < 3 ? std::clamp(luma * tint[c] + grain, 0.0f, 1.0f) : 1.0f;
                if (depth == 8) {
                    image.samples8[base + static_cast<size_t>(c)] = static_cast<uint8_t>(value * 255.0f + 0.5f);
                } else {
                    image.samples16[base + static_cast<size_t>(c)] = static_cast<uint16_t>(value * 32768.0f + 0.5f);
                }
            }
        }
    }
    return image;
}

bool WritePpm(const SyntheticImage& image, const char* path) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", image.width, image.height);
    std::vector<uint8_t> line(static_cast<size_t>(image.width) * 3);
    bool ok = true;
    for (int32_t y = 0; y < image.height && ok; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            const size_t base = (static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) *
                                static_cast<size_t>(image.planes);
            for (size_t c = 0; c < 3; ++c) {
                line[static_cast<size_t>(x) * 3 + c] =
                    image.depth == 8 ? image.samples8[base + c]
                                     : static_cast<uint8_t>(std::min<uint32_t>(image.samples16[base + c] / 128u, 255u));
            }
        }
        ok = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    }
    return std::fclose(file) == 0 && ok;
}

}  // namespace bench
