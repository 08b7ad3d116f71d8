// host/PreviewViews.h: the dialog's two image views as the host sees them: fetching the image
// for previews, and building each view's bitmap from the host's buffers. Portable: the dialog
// turns the finished bytes into a screen bitmap.
#pragma once

#include "render/PreviewPixels.h"

#include <cstdint>

struct PreviewView {
    static constexpr uint8_t kNavigator = 0;
    static constexpr uint8_t kMainPreview = 1;

    PreviewView() = default;
    ~PreviewView();
    PreviewView(const PreviewView&) = delete;
    PreviewView& operator=(const PreviewView&) = delete;

    int32_t width = 0, height = 0;            // client size of the view's window, pixels
    int32_t imageWidth = 0, imageHeight = 0;  // the bitmap's size (multiple of 4 wide)
    int32_t pictureX = 0, pictureY = 0;       // the bitmap's top-left corner inside the view
    int32_t panX = 0, panY = 0;               // main preview: pending drag, image pixels
    uint8_t viewMode = kMainPreview;
    int32_t frameWidth = 0, frameHeight = 0;  // size of the fetched input area
    float scale = 1.0f;                       // navigator: filtered area to preview pane ratio
    int32_t frameX = 0, frameY = 0;           // navigator: the previewed part's frame, bitmap pixels
    bool checkerBackground = false;           // transparency over a checkerboard instead of black

    // imageWidth x imageHeight x 3 bytes from the page allocator; null when there is no bitmap.
    uint8_t* bitmapPixels = nullptr;
    // Navigator of a CMYK document: the filtered area as 8-bit RGB + opacity, 4 bytes a pixel.
    uint8_t* rgbCopy = nullptr;
    bool hasRgbCopy = false;
    int32_t rgbCopyWidth = 0, rgbCopyHeight = 0;

    void FreeBitmap();
    void FreeRgbCopy();
};

// max(width a / width b, height a / height b) in single precision; 0 when b is empty.
float ImageToViewRatio(int32_t widthA, int32_t heightA, int32_t widthB, int32_t heightB);

// Asks the host for the whole filtered area for previews and stores its answer as the current
// call's result, unless an earlier error is already there. The navigator of a CMYK document
// also gets its RGB copy (left empty when the colour-space suite is missing).
void PreparePreviewView(PreviewView& view);

// Rebuilds the navigator's bitmap from the RGB copy or the host's input (selection inverted).
// False when there is no source (the old bitmap stays) or no memory (the view has none).
bool BuildNavigatorBitmap(PreviewView& view);

// Rebuilds the main preview's bitmap from the host's output buffer, where the last preview render
// left the part. False as for the navigator.
bool BuildResultBitmap(PreviewView& view);
