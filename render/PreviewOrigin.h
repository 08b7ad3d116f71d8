// render/PreviewOrigin.h: where the main preview's part lies in the filtered area, and where
// the navigator draws its frame for it. Both directions round to the nearest pixel.
#pragma once

#include <algorithm>
#include <cstdint>

namespace render {

// The part's origin kept inside the image: at most imageExtent - viewExtent - 1 (so a part
// smaller than the image never reaches the last column or row), then at least 0.
inline int32_t ClampPreviewOrigin(int32_t origin, int32_t imageExtent, int32_t viewExtent) {
    if (origin >= imageExtent - viewExtent) origin = imageExtent - viewExtent - 1;
    return std::max(origin, 0);
}

// The navigator frame's position (navigator bitmap pixels) for a preview origin (image pixels):
// navigatorExtent x origin / imageExtent, the product in integers, the quotient in single precision.
inline int32_t FrameFromOrigin(int32_t origin, int32_t navigatorExtent, int32_t imageExtent) {
    if (imageExtent <= 0) return 0;
    const float q = static_cast<float>(int64_t{navigatorExtent} * origin) / static_cast<float>(imageExtent);
    return static_cast<int32_t>(static_cast<double>(q) + 0.5);
}

// The preview origin for a navigator frame position: imageExtent / navigatorExtent x frame.
inline int32_t OriginFromFrame(int32_t frame, int32_t navigatorExtent, int32_t imageExtent) {
    if (navigatorExtent <= 0) return 0;
    const float ratio = static_cast<float>(imageExtent) / static_cast<float>(navigatorExtent);
    return static_cast<int32_t>(static_cast<double>(ratio * static_cast<float>(frame)) + 0.5);
}

}  // namespace render
