#include "render/PreviewPixels.h"

#include <algorithm>
#include <vector>

namespace render {
namespace {

// The first `count` pixels of a source row as 8-bit channels, at most four per pixel (colour and opacity).
void ReduceRow(const PixelSource& source, int32_t row, int32_t channels, int32_t count, uint8_t* out) {
    const auto* base = static_cast<const uint8_t*>(source.data) + source.rowBytes * row;
    if (source.depth == 16) {
        for (int32_t x = 0; x < count; ++x)
            for (int32_t c = 0; c < channels; ++c)
                out[x * 4 + c] = Reduce16(Sample16(base, int64_t{x} * source.planes + c));
        return;
    }
    for (int32_t x = 0; x < count; ++x)
        for (int32_t c = 0; c < channels; ++c) out[x * 4 + c] = base[int64_t{x} * source.planes + c];
}

int32_t Channels(const PixelSource& source) {
    return std::min(source.planes, 4);
}

bool Usable(const PixelSource& source) {
    return source.data != nullptr && source.width > 0 && source.height > 0 && source.planes >= 1;
}

}  // namespace

ViewPlacement PlaceNavigator(int32_t viewWidth, int32_t viewHeight, int32_t imageWidth, int32_t imageHeight) {
    ViewPlacement p;
    if (viewWidth <= 0 || viewHeight <= 0 || imageWidth <= 0 || imageHeight <= 0) return p;
    float s = std::min(static_cast<float>(viewHeight) / static_cast<float>(imageHeight),
                       static_cast<float>(viewWidth) / static_cast<float>(imageWidth));
    s = std::min(s, 1.0f);
    p.scale = s;
    p.imageHeight = static_cast<int32_t>(static_cast<float>(imageHeight) * s);
    p.imageWidth = static_cast<int32_t>(static_cast<float>(imageWidth) * s) & ~3;
    p.pictureX = std::max(0, (viewWidth - p.imageWidth) >> 1);
    p.pictureY = std::max(0, (viewHeight - p.imageHeight) >> 1);
    return p;
}

ViewPlacement PlaceResult(int32_t viewWidth, int32_t viewHeight, int32_t outWidth, int32_t outHeight) {
    ViewPlacement p;
    p.imageHeight = std::max(0, std::min(viewHeight, outHeight));
    p.imageWidth = std::max(0, std::min(viewWidth, outWidth)) & ~3;
    p.pictureX = std::max(0, (viewWidth - outWidth) >> 1);
    p.pictureY = std::max(0, (viewHeight - outHeight) >> 1);
    return p;
}

size_t BitmapBytes(const ViewPlacement& placement) {
    if (placement.imageWidth <= 0 || placement.imageHeight <= 0) return 0;
    return static_cast<size_t>(placement.imageWidth) * static_cast<size_t>(placement.imageHeight) * 3;
}

int32_t LimitPan(int32_t pan, int32_t outExtent, int32_t imageExtent) {
    pan = std::min(pan, outExtent - imageExtent - 1);
    return std::max(pan, 0);
}

void FillNavigatorPixels(const PixelSource& source, const uint8_t* mask, int64_t maskRowBytes,
                         const ViewPlacement& placement, bool checker, uint8_t* bgr) {
    if (!Usable(source) || bgr == nullptr || BitmapBytes(placement) == 0) return;
    const int32_t channels = Channels(source);
    // The step is formed once in double and used in single precision, so the picked columns are
    // the same on every compiler.
    const auto step = static_cast<float>(1.0 / static_cast<double>(placement.scale));
    std::vector<int32_t> columns(static_cast<size_t>(placement.imageWidth));
    for (int32_t k = 0; k < placement.imageWidth; ++k)
        columns[k] = std::min(static_cast<int32_t>(static_cast<float>(k) * step), source.width - 1);

    const size_t rowBytes = static_cast<size_t>(placement.imageWidth) * 3;
    const int64_t sampleBytes = source.depth == 16 ? 2 : 1;
    uint8_t rgba[4] = {0, 0, 0, 255};
    for (int32_t i = 0; i < placement.imageHeight; ++i) {
        const int32_t y = std::min(static_cast<int32_t>(static_cast<float>(i) * step), source.height - 1);
        const auto* sourceRow = static_cast<const uint8_t*>(source.data) + source.rowBytes * y;
        uint8_t* out = bgr + rowBytes * static_cast<size_t>(placement.imageHeight - 1 - i);
        const uint8_t* maskRow = mask != nullptr ? mask + maskRowBytes * y : nullptr;
        for (int32_t k = 0; k < placement.imageWidth; ++k) {
            // Only the picked pixels are read: the navigator of a large document touches a
            // fraction of its rows and columns.
            const int32_t x = columns[k];
            const uint8_t* px = sourceRow + int64_t{x} * source.planes * sampleBytes;
            for (int32_t c = 0; c < channels; ++c)
                rgba[c] = sampleBytes == 2 ? Reduce16(Sample16(px, c)) : px[c];
            uint8_t* shown = out + k * 3;
            ShowPixel(rgba, channels, BackgroundAt(checker, k, i, 0, 0), shown);
            if (maskRow != nullptr && maskRow[x] != 0) {
                shown[0] = static_cast<uint8_t>(255 - shown[0]);
                shown[1] = static_cast<uint8_t>(255 - shown[1]);
                shown[2] = static_cast<uint8_t>(255 - shown[2]);
            }
        }
    }
}

void FillResultPixels(const PixelSource& source, const ViewPlacement& placement, int32_t panX, int32_t panY,
                      bool checker, uint8_t* bgr) {
    if (!Usable(source) || bgr == nullptr || BitmapBytes(placement) == 0) return;
    const int32_t channels = Channels(source);
    const int32_t width = std::min(placement.imageWidth, source.width);
    std::vector<uint8_t> row(static_cast<size_t>(source.width) * 4, 255);
    const size_t rowBytes = static_cast<size_t>(placement.imageWidth) * 3;
    for (int32_t i = 0; i < placement.imageHeight && panY + i < source.height; ++i) {
        ReduceRow(source, panY + i, channels, width, row.data());
        uint8_t* out = bgr + rowBytes * static_cast<size_t>(placement.imageHeight - 1 - i);
        for (int32_t k = 0; k < width; ++k)
            ShowPixel(&row[static_cast<size_t>(k) * 4], channels, BackgroundAt(checker, k, i, panX, panY), out + k * 3);
    }
}

}  // namespace render
