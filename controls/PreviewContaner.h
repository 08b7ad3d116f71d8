// "Preview Contaner CPP": a picture pane. As the navigator (viewMode 0) it shows the whole
// image with an inverted frame the user drags; as the main preview (viewMode 1) it shows a
// part of the image that the user pans with the left button, and reports right-button drags.
// It only shows the bitmap the preview renderer stored in it. Dialog templates name the window
// class with its old spelling, which stays; only the C++ type is spelt "Container".
#pragma once

#include "controls/ControlFramework.h"

namespace controls {

class PreviewContainer : public ControlObject {
public:
    static constexpr const char* kClassName = kPreviewContanerClass;
    static constexpr uint8_t kNavigator = 0;
    static constexpr uint8_t kMainPreview = 1;
    static constexpr size_t kBitmapInfoBytes = 1064;  // header + room for a 256-entry colour table

    const char* ClassName() const noexcept override { return kClassName; }
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    // Deletes `picture` and frees the page-allocated pixel blocks.
    ~PreviewContainer() override;

    // Replaces the picture and deletes the previous one; the container owns it from now on.
    void SetPicture(HBITMAP bitmap) noexcept;

    int32_t lastX = 0, lastY = 0;             // pointer position last seen during a drag
    int32_t dragX = 0, dragY = 0;             // main preview: offset while a left drag runs
    int32_t panX = 0, panY = 0;               // main preview: finished drags; the dialog zeroes them
    int32_t pictureX = 0, pictureY = 0;       // where the picture's top-left corner is drawn
    int32_t frameWidth = 0, frameHeight = 0;  // navigator: recomputed at each paint
    int32_t frameX = 0, frameY = 0;           // navigator: frame origin relative to the picture
    int32_t imageWidth = 0, imageHeight = 0;  // size of the image area shown
    float scale = 1.0f;                       // navigator: image pixels per navigator pixel
    int32_t rightDragX = 0, rightDragY = 0;   // main preview: right-drag movement so far
    HBITMAP picture = nullptr;                // owned
    uint8_t viewMode = kMainPreview;
    // Navigator: the main preview whose extent the frame shows. Looked up at each paint, so a
    // destroyed preview simply leaves the frame out.
    HWND mainPreviewWindow = nullptr;

    // Kept here for the preview renderer. Blocks come from VirtualAlloc and are released
    // with the container.
    void* bitmapPixels = nullptr;
    void* rgbCopy = nullptr;
    uint8_t hasRgbCopy = 0;
    alignas(8) uint8_t bitmapInfo[kBitmapInfoBytes] = {};

private:
    void Paint() noexcept;
    void PaintNavigator(HDC dc, int clientWidth, int clientHeight) noexcept;
    void PaintMainPreview(HDC dc, int clientWidth, int clientHeight) noexcept;
};

}  // namespace controls
