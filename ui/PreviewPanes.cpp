#include "ui/PreviewPanes.h"

#include "render/PreviewOrigin.h"

#include <cstring>

namespace ui {
namespace {

void ClientSize(HWND window, int32_t& width, int32_t& height) {
    RECT client{};
    GetClientRect(window, &client);
    width = client.right;
    height = client.bottom;
}

}  // namespace

controls::PreviewContainer* PreviewPanes::MainPane() const {
    return controls::FindControl<controls::PreviewContainer>(mainWindow);
}

controls::PreviewContainer* PreviewPanes::NavigatorPane() const {
    return controls::FindControl<controls::PreviewContainer>(navigatorWindow);
}

void AttachPanes(PreviewPanes& panes, HWND mainWindow, HWND navigatorWindow) {
    panes.mainWindow = mainWindow;
    panes.navigatorWindow = navigatorWindow;
    ClientSize(mainWindow, panes.main.width, panes.main.height);
    ClientSize(navigatorWindow, panes.navigator.width, panes.navigator.height);
    panes.main.viewMode = PreviewView::kMainPreview;
    panes.navigator.viewMode = PreviewView::kNavigator;
    if (controls::PreviewContainer* navigator = panes.NavigatorPane()) {
        navigator->viewMode = controls::PreviewContainer::kNavigator;
        navigator->mainPreviewWindow = mainWindow;
    }
}

void ShowViewBitmap(PreviewView& view, HWND window) {
    controls::PreviewContainer* pane = controls::FindControl<controls::PreviewContainer>(window);
    if (pane == nullptr) return;
    pane->imageWidth = view.imageWidth;
    pane->imageHeight = view.imageHeight;
    pane->pictureX = view.pictureX;
    pane->pictureY = view.pictureY;
    if (view.viewMode == PreviewView::kNavigator) pane->scale = view.scale;
    if (view.bitmapPixels == nullptr || view.imageWidth <= 0 || view.imageHeight <= 0) {
        pane->SetPicture(nullptr);
        return;
    }
    // A 40-byte header in a zeroed block with room for a colour table, as screen drivers expect
    // of a device-independent bitmap they copy.
    std::memset(pane->bitmapInfo, 0, sizeof pane->bitmapInfo);
    auto* info = reinterpret_cast<BITMAPINFO*>(pane->bitmapInfo);
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = view.imageWidth;
    info->bmiHeader.biHeight = view.imageHeight;  // positive: bottom-up rows
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 24;
    info->bmiHeader.biCompression = BI_RGB;
    HDC dc = GetDC(window);
    HBITMAP picture = nullptr;
    if (dc != nullptr) {
        picture = CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, view.bitmapPixels, info, DIB_RGB_COLORS);
        ReleaseDC(window, dc);
    }
    pane->SetPicture(picture);
}

void RefreshResultPane(PreviewPanes& panes, bool checker) {
    controls::PreviewContainer* pane = panes.MainPane();
    if (pane != nullptr) {
        panes.main.panX = pane->panX;
        panes.main.panY = pane->panY;
    }
    panes.main.checkerBackground = checker;
    if (!BuildResultBitmap(panes.main) && panes.main.bitmapPixels != nullptr) return;  // no output: keep the old one
    ShowViewBitmap(panes.main, panes.mainWindow);
    if (pane != nullptr) {
        pane->panX = panes.main.panX;
        pane->panY = panes.main.panY;
    }
}

void RefreshNavigatorPane(PreviewPanes& panes, bool checker) {
    panes.navigator.checkerBackground = checker;
    if (!BuildNavigatorBitmap(panes.navigator) && panes.navigator.bitmapPixels != nullptr) return;
    ShowViewBitmap(panes.navigator, panes.navigatorWindow);
}

// The navigator's bitmap size follows from its window and the filtered area alone, so the
// frame lands right even before the first bitmap is built.
render::ViewPlacement NavigatorPlacement(const PreviewPanes& panes) {
    return render::PlaceNavigator(panes.navigator.width, panes.navigator.height, panes.main.frameWidth,
                                  panes.main.frameHeight);
}

void PlaceFrameAtOrigin(PreviewPanes& panes, int32_t previewX, int32_t previewY) {
    controls::PreviewContainer* navigator = panes.NavigatorPane();
    if (navigator == nullptr) return;
    const render::ViewPlacement placement = NavigatorPlacement(panes);
    navigator->frameX = render::FrameFromOrigin(previewX, placement.imageWidth, panes.main.frameWidth);
    navigator->frameY = render::FrameFromOrigin(previewY, placement.imageHeight, panes.main.frameHeight);
}

void OriginFromNavigatorFrame(const PreviewPanes& panes, int32_t& previewX, int32_t& previewY) {
    const controls::PreviewContainer* navigator = panes.NavigatorPane();
    if (navigator == nullptr) return;
    const render::ViewPlacement placement = NavigatorPlacement(panes);
    previewX = render::OriginFromFrame(navigator->frameX, placement.imageWidth, panes.main.frameWidth);
    previewY = render::OriginFromFrame(navigator->frameY, placement.imageHeight, panes.main.frameHeight);
}

}  // namespace ui
