#include "controls/ControlButton.h"

#include "controls/ButtonSkinGeometry.h"
#include "controls/GdiHandles.h"
#include "controls/NumberConversions.h"

#include <initializer_list>

namespace controls {
namespace {

void LoadInto(HBITMAP& slot, HINSTANCE instance, WORD resourceId) noexcept {
    if (resourceId == 0) return;
    if (slot != nullptr) DeleteObject(slot);
    slot = LoadBitmapA(instance, MAKEINTRESOURCEA(resourceId));
}

}  // namespace

ControlButton::~ControlButton() {
    for (HBITMAP bitmap : {normalBitmap, hoverBitmap, pressedBitmap}) {
        if (bitmap != nullptr) DeleteObject(bitmap);
    }
}

void ControlButton::SetBitmaps(WORD normalId, WORD hoverId, WORD pressedId) noexcept {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    LoadInto(normalBitmap, instance, normalId);
    LoadInto(hoverBitmap, instance, hoverId);
    LoadInto(pressedBitmap, instance, pressedId);
}

void ControlButton::Paint() noexcept {
    PaintScope paint(hwnd);
    const HBITMAP bitmap = state == kPressed ? pressedBitmap : (state == kHot ? hoverBitmap : normalBitmap);
    if (bitmap == nullptr) return;
    MemoryDc source(paint.Dc());
    if (!source) return;
    SelectionScope selected(source.Get(), bitmap);
    BitBlt(paint.Dc(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
}

LRESULT ControlButton::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(window);
            state = kPressed;
            RedrawNow();
            return 0;
        case WM_MOUSEMOVE: {
            // A press keeps its pressed look however the pointer moves.
            if (wParam == MK_LBUTTON) return 0;
            if (state == kIdle) {
                SetCapture(window);  // to see the pointer leave
                state = kHot;
                RedrawNow();
            }
            const auto packed = static_cast<uint64_t>(lParam);
            if (IsOutsideButton(LowSigned16(packed), HighSigned16(packed), width, height)) {
                ReleaseCapture();
                state = kIdle;
                RedrawNow();
            }
            return 0;
        }
        case WM_LBUTTONUP:
            ReleaseCapture();
            if (state != kPressed) return 0;
            state = kIdle;
            PostToParent(kNotifyValueChanged, 0);
            RedrawNow();
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace controls
