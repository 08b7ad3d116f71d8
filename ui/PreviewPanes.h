// ui/PreviewPanes.h: the main dialog's two image panes: the portable views that hold their
// bitmaps' bytes, and the "Preview Contaner CPP" windows that show them.
#pragma once

#include "controls/PreviewContaner.h"
#include "host/PreviewViews.h"

#include <windows.h>

namespace ui {

struct PreviewPanes {
    PreviewView main, navigator;
    HWND mainWindow = nullptr, navigatorWindow = nullptr;

    controls::PreviewContainer* MainPane() const;
    controls::PreviewContainer* NavigatorPane() const;
};

// Takes both windows, their client sizes, and makes the navigator a navigator framing the main pane.
void AttachPanes(PreviewPanes& panes, HWND mainWindow, HWND navigatorWindow);

// Hands the view's bytes to its pane as a screen bitmap, with the placement the view worked out.
// A view without bytes leaves its pane without a picture.
void ShowViewBitmap(PreviewView& view, HWND window);

// Rebuilds and shows the main pane's bitmap from the last preview render.
void RefreshResultPane(PreviewPanes& panes, bool checker);
// Rebuilds and shows the navigator's bitmap from the fetched image.
void RefreshNavigatorPane(PreviewPanes& panes, bool checker);

// The navigator's bitmap placement for the fetched image, whether or not it is built yet.
render::ViewPlacement NavigatorPlacement(const PreviewPanes& panes);
// The navigator frame drawn where the preview origin (image pixels) lies.
void PlaceFrameAtOrigin(PreviewPanes& panes, int32_t previewX, int32_t previewY);
// The preview origin where the user left the navigator frame.
void OriginFromNavigatorFrame(const PreviewPanes& panes, int32_t& previewX, int32_t& previewY);

}  // namespace ui
