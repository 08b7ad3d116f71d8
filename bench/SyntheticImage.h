// bench/SyntheticImage.h: deterministic photo-like test images (smooth shading, hard-edged shapes,
// grain), so that benchmarks need no image files.
#pragma once

#include <cstdint>
#include <vector>

namespace bench {

struct SyntheticImage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t planes = 3;
    int32_t depth = 8;
    std::vector<uint8_t> samples8;    // depth 8
    std::vector<uint16_t> samples16;  // depth 16, 0..32768

    const void* Data() const {
        return depth == 8 ? static_cast<const void*>(samples8.data()) : static_cast<const void*>(samples16.data());
    }
};

// Interleaved RGB (plus opaque extra planes) of the given size.
SyntheticImage MakePhotoLikeImage(int32_t width, int32_t height, int32_t planes, int32_t depth);

// Writes the image's first three channels as a binary PPM (8-bit). Returns false on failure.
bool WritePpm(const SyntheticImage& image, const char* path);

}  // namespace bench
