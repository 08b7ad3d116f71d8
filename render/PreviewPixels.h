// render/PreviewPixels.h: the bitmaps of the dialog's two image views, built from plain sample
// buffers. A view bitmap is 24 bits per pixel, bottom-up (image row 0 is the last row in memory),
// bytes blue, green, red; its width is always a multiple of 4, so rows need no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace render {

// Interleaved samples: uint8_t at depth 8, uint16_t 0..32768 at depth 16 (any other depth
// is treated as 8). Channels 0..2 are red, green, blue; channel 3, when present, is opacity.
struct PixelSource {
    const void* data = nullptr;
    int64_t rowBytes = 0;
    int32_t planes = 3;
    int32_t depth = 8;
    int32_t width = 0;   // pixels readable per row
    int32_t height = 0;  // rows readable
};

// Where a view's bitmap goes: its size and its top-left corner inside the view, centred.
struct ViewPlacement {
    int32_t imageWidth = 0;  // multiple of 4, 0 when nothing fits
    int32_t imageHeight = 0;
    int32_t pictureX = 0;
    int32_t pictureY = 0;
    float scale = 1.0f;  // navigator: bitmap pixels per image pixel, at most 1
};

constexpr uint8_t kCheckerGrey = 140;
constexpr int32_t kCheckerSquarePx = 25;

// A 16-bit sample of a row; rows need not start on an even address (a host may pad them oddly).
inline uint16_t Sample16(const void* row, int64_t index) {
    uint16_t value;
    std::memcpy(&value, static_cast<const uint8_t*>(row) + index * 2, sizeof value);
    return value;
}

// A 16-bit sample as 8 bits: full (32768) and anything above it show as 255.
inline uint8_t Reduce16(uint16_t value16) {
    return value16 >= 32768 ? 255 : static_cast<uint8_t>(value16 >> 7);
}

// What shows through a transparent pixel at bitmap pixel (k, i), shifted by the view's pan:
// 25-pixel squares of grey 140 and black with a grey top-left square, or black throughout.
inline uint8_t BackgroundAt(bool checker, int32_t k, int32_t i, int32_t panX, int32_t panY) {
    if (!checker) return 0;
    const int32_t column = (k + panX) / kCheckerSquarePx;
    const int32_t row = (i + panY) / kCheckerSquarePx;
    return ((column ^ row) & 1) == 0 ? kCheckerGrey : 0;
}

// One colour byte of a partly transparent pixel: colour c over background b by opacity a.
inline uint8_t Over(uint8_t c, uint8_t a, uint8_t b) {
    const float alpha = static_cast<float>(a) / 255.0f;
    float v = static_cast<float>(c) * static_cast<float>(a) / 255.0f + (1.0f - alpha) * static_cast<float>(b);
    if (v > 255.0f) v = 255.0f;
    return static_cast<uint8_t>(v);
}

// Writes the blue, green, red bytes of one pixel (8-bit channels already reduced) to `bgr`.
inline void ShowPixel(const uint8_t* rgba, int32_t planes, uint8_t background, uint8_t* bgr) {
    if (planes >= 4 && rgba[3] != 255) {
        const uint8_t a = rgba[3];
        if (a == 0) {
            bgr[0] = bgr[1] = bgr[2] = background;
            return;
        }
        bgr[0] = Over(rgba[2], a, background);
        bgr[1] = Over(rgba[1], a, background);
        bgr[2] = Over(rgba[0], a, background);
        return;
    }
    bgr[0] = rgba[2];
    bgr[1] = rgba[1];
    bgr[2] = rgba[0];
}

// Navigator: the whole image scaled down to fit a view of viewWidth x viewHeight (never
// enlarged), width rounded down to a multiple of 4, centred.
ViewPlacement PlaceNavigator(int32_t viewWidth, int32_t viewHeight, int32_t imageWidth, int32_t imageHeight);

// Main preview: one image pixel per bitmap pixel, at most the view's size; centred by the
// size of the rendered area (outWidth x outHeight).
ViewPlacement PlaceResult(int32_t viewWidth, int32_t viewHeight, int32_t outWidth, int32_t outHeight);

// Bytes of a placed bitmap; 0 when it is empty.
size_t BitmapBytes(const ViewPlacement& placement);

// Fills `bgr` (BitmapBytes(placement) bytes) with the whole `source` scaled by nearest
// neighbour. When `mask` is given (one byte per source pixel, maskRowBytes apart), pixels whose
// source is selected show inverted. Transparent pixels show the checkerboard or black.
void FillNavigatorPixels(const PixelSource& source, const uint8_t* mask, int64_t maskRowBytes,
                         const ViewPlacement& placement, bool checker, uint8_t* bgr);

// Fills `bgr` 1:1 from `source` (the rendered output), starting at its row panY and column 0;
// panX and panY only shift the checkerboard besides. Rows past the source's end stay as they are.
void FillResultPixels(const PixelSource& source, const ViewPlacement& placement, int32_t panX, int32_t panY,
                      bool checker, uint8_t* bgr);

// The pending pan of the main preview kept inside the rendered area: at most
// outExtent - imageExtent - 1, then at least 0.
int32_t LimitPan(int32_t pan, int32_t outExtent, int32_t imageExtent);

}  // namespace render
