#include "host/PreviewViews.h"

#include "host/ColorSpaceSuite.h"
#include "host/HostRects.h"
#include "host/Platform.h"
#include "host/PluginGlobals.h"

#include <algorithm>
#include <vector>

namespace {

using host::FilterRecord;

bool IsCmykMode(int16_t mode) {
    return mode == host::kModeCMYK || mode == host::kModeCMYK64;
}

// Hosts that leave depth at 0 mean 8 bits; the 16-bit modes say 16 whatever depth holds.
int32_t SampleDepth(const FilterRecord& record) {
    if (record.depth == 16 || record.imageMode == host::kModeRGB48 || record.imageMode == host::kModeCMYK64) return 16;
    return 8;
}

uint8_t Reduce(const FilterRecord& record, const uint8_t* row, int64_t sample) {
    if (SampleDepth(record) == 16) return render::Reduce16(render::Sample16(row, sample));
    return row[sample];
}

// The host converts CMYK to RGB for us; without its suite the copy stays zero (background only).
void FillRgbCopy(const FilterRecord& record, PreviewView& view) {
    const Rect32 filter = GetFilterRect(record);
    const Rect32 in = GetInRect(record);
    const int32_t width = std::min(filter.Width(), in.Width());
    const int32_t height = std::min(filter.Height(), in.Height());
    if (record.inData == nullptr || width <= 0 || height <= 0) return;
    const int32_t planes = record.planes;
    const int64_t bytesPerSample = SampleDepth(record) / 8;
    if (record.inRowBytes < int64_t{width} * planes * bytesPerSample) return;
    ColorSpaceSuite suite(gPlugin.basicSuite);
    if (!suite.Available()) return;
    std::vector<host::Color8> colors(static_cast<size_t>(width));
    for (int32_t y = 0; y < height; ++y) {
        const auto* row = static_cast<const uint8_t*>(record.inData) + int64_t{record.inRowBytes} * y;
        for (int32_t x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c) colors[x][c] = Reduce(record, row, int64_t{x} * planes + c);
        if (!suite.Convert8(host::kColorSpaceCMYK, host::kColorSpaceRGB, colors.data(), width)) continue;
        uint8_t* out = view.rgbCopy + int64_t{view.rgbCopyWidth} * 4 * y;
        for (int32_t x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) out[x * 4 + c] = colors[x][c + 1];
            out[x * 4 + 3] = planes >= 5 ? Reduce(record, row, int64_t{x} * planes + 4) : 255;
        }
    }
}

bool Reallocate(PreviewView& view, const render::ViewPlacement& placement) {
    view.FreeBitmap();
    view.imageWidth = placement.imageWidth;
    view.imageHeight = placement.imageHeight;
    const size_t bytes = render::BitmapBytes(placement);
    if (bytes == 0) return false;
    view.bitmapPixels = static_cast<uint8_t*>(platform::AllocatePages(bytes));
    return view.bitmapPixels != nullptr;
}

}  // namespace

PreviewView::~PreviewView() {
    FreeBitmap();
    FreeRgbCopy();
}

void PreviewView::FreeBitmap() {
    platform::FreePages(bitmapPixels);
    bitmapPixels = nullptr;
}

void PreviewView::FreeRgbCopy() {
    platform::FreePages(rgbCopy);
    rgbCopy = nullptr;
    hasRgbCopy = false;
    rgbCopyWidth = rgbCopyHeight = 0;
}

float ImageToViewRatio(int32_t widthA, int32_t heightA, int32_t widthB, int32_t heightB) {
    if (widthB <= 0 || heightB <= 0) return 0.0f;
    return std::max(static_cast<float>(widthA) / static_cast<float>(widthB),
                    static_cast<float>(heightA) / static_cast<float>(heightB));
}

void PreparePreviewView(PreviewView& view) {
    FilterRecord* record = CurrentRecord();
    if (record == nullptr) return;
    view.imageWidth = view.width;
    view.imageHeight = view.height;
    int16_t* pane = gPlugin.dataBlock != nullptr ? gPlugin.dataBlock->previewRect : nullptr;
    if (pane != nullptr) {  // top, left, bottom, right: keep the size, start at (0, 0)
        pane[2] = static_cast<int16_t>(pane[2] - pane[0]);
        pane[3] = static_cast<int16_t>(pane[3] - pane[1]);
        pane[0] = pane[1] = 0;
    }
    const Rect32 filter = GetFilterRect(*record);
    SetInRect(*record, filter);
    if (view.viewMode == PreviewView::kNavigator && pane != nullptr)
        view.scale = ImageToViewRatio(filter.Width(), filter.Height(), pane[3], pane[2]);

    const Rect32 in = GetInRect(*record);
    view.frameWidth = in.Width();
    view.frameHeight = in.Height();
    SetMaskRect(*record, in);
    SetOutRect(*record, in);
    record->inLoPlane = record->outLoPlane = 0;
    record->inHiPlane = record->outHiPlane = static_cast<int16_t>(record->planes - 1);
    record->inputRate = record->maskRate = host::kFixedOne;
    record->inputPadding = record->outputPadding = record->maskPadding = 255;
    const int16_t answer = record->advanceState != nullptr ? record->advanceState() : host::kFilterBadParameters;
    // The navigator's refusal must survive the main pane's request: the dialog decides from it
    // whether it can show previews at all.
    if (Result() == host::kNoErr) SetResult(answer);

    if (view.viewMode != PreviewView::kNavigator) return;
    view.FreeRgbCopy();
    if (!IsCmykMode(record->imageMode) || filter.Width() <= 0 || filter.Height() <= 0) return;
    const size_t bytes = static_cast<size_t>(filter.Width()) * static_cast<size_t>(filter.Height()) * 4;
    view.rgbCopy = static_cast<uint8_t*>(platform::AllocatePages(bytes));
    if (view.rgbCopy == nullptr) return;
    view.hasRgbCopy = true;
    view.rgbCopyWidth = filter.Width();
    view.rgbCopyHeight = filter.Height();
    if (answer == host::kNoErr) FillRgbCopy(*record, view);
}

bool BuildNavigatorBitmap(PreviewView& view) {
    const FilterRecord* record = CurrentRecord();
    if (record == nullptr) return false;
    render::PixelSource source;
    const Rect32 filter = GetFilterRect(*record);
    if (view.hasRgbCopy) {
        source.data = view.rgbCopy;
        source.rowBytes = int64_t{view.rgbCopyWidth} * 4;
        source.planes = 4;
        source.depth = 8;
        source.width = view.rgbCopyWidth;
        source.height = view.rgbCopyHeight;
    } else {
        const Rect32 in = GetInRect(*record);
        source.data = record->inData;
        source.rowBytes = record->inRowBytes;
        source.planes = record->planes;
        source.depth = SampleDepth(*record);
        source.width = std::min(filter.Width(), in.Width());
        source.height = std::min(filter.Height(), in.Height());
        const int64_t needed = int64_t{source.width} * source.planes * (source.depth / 8);
        if (source.rowBytes < needed) source.data = nullptr;  // a host that lies about its rows
    }
    if (source.data == nullptr || source.width <= 0 || source.height <= 0) return false;

    const render::ViewPlacement placement =
        render::PlaceNavigator(view.width, view.height, filter.Width(), filter.Height());
    view.pictureX = placement.pictureX;
    view.pictureY = placement.pictureY;
    if (!Reallocate(view, placement)) return false;

    const uint8_t* mask = nullptr;
    int64_t maskRowBytes = 0;
    if (record->maskData != nullptr) {
        const Rect32 maskRect = GetMaskRect(*record);
        if (record->maskRowBytes >= source.width && maskRect.Height() >= source.height) {
            mask = static_cast<const uint8_t*>(record->maskData);
            maskRowBytes = record->maskRowBytes;
        }
    }
    render::FillNavigatorPixels(source, mask, maskRowBytes, placement, view.checkerBackground, view.bitmapPixels);
    return true;
}

bool BuildResultBitmap(PreviewView& view) {
    const FilterRecord* record = CurrentRecord();
    if (record == nullptr || record->outData == nullptr) return false;
    const Rect32 out = GetOutRect(*record);
    render::PixelSource source;
    source.data = record->outData;
    source.rowBytes = record->outRowBytes;
    source.planes = record->planes;
    source.depth = SampleDepth(*record);
    source.width = out.Width();
    source.height = out.Height();
    if (source.width <= 0 || source.height <= 0) return false;
    if (source.rowBytes < int64_t{source.width} * source.planes * (source.depth / 8)) return false;

    const render::ViewPlacement placement = render::PlaceResult(view.width, view.height, out.Width(), out.Height());
    view.pictureX = placement.pictureX;
    view.pictureY = placement.pictureY;
    if (!Reallocate(view, placement)) return false;
    view.panY = render::LimitPan(view.panY, out.Height(), view.imageHeight);
    view.panX = render::LimitPan(view.panX, out.Width(), view.imageWidth);
    render::FillResultPixels(source, placement, view.panX, view.panY, view.checkerBackground, view.bitmapPixels);
    return true;
}
