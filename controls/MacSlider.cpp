#include "controls/MacSlider.h"

#include "controls/GdiHandles.h"
#include "controls/NumberConversions.h"
#include "controls/SharedResources.h"
#include "controls/SliderGeometry.h"

namespace controls {

void MacSlider::SetValue(float v) noexcept {
    value = v;
    RedrawNow();
}

void MacSlider::TakeValueFromPointer(LPARAM lParam) noexcept {
    RECT client{};
    GetClientRect(hwnd, &client);
    value = SliderValueFromX(LowSigned16(static_cast<uint64_t>(lParam)), client.right, minValue, maxValue);
}

void MacSlider::Paint() noexcept {
    PaintScope paint(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    BufferedCanvas canvas(paint.Dc(), client.right, client.bottom);
    if (!canvas.IsReady()) return;
    HDC dc = canvas.Dc();
    FillRect(dc, &client, BackgroundBrush());
    SelectionScope brush(dc, GetStockObject(GRAY_BRUSH));
    const SliderShape s = ComputeSliderShape(value, client.right, client.bottom, minValue, maxValue);
    Rectangle(dc, s.trackLeft, s.trackTop, s.trackRight, s.trackBottom);
    const POINT thumb[4] = {{s.thumbX, s.thumbApexY},
                            {s.thumbX - kThumbHalfWidthPx, s.thumbBaseY},
                            {s.thumbX + kThumbHalfWidthPx, s.thumbBaseY},
                            {s.thumbX, s.thumbApexY}};
    Polygon(dc, thumb, 4);
    canvas.CopyTo(paint.Dc());
}

LRESULT MacSlider::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(window);
            TakeValueFromPointer(lParam);
            RedrawNow();
            return 0;
        case WM_MOUSEMOVE:
            // Only a plain left drag; with a modifier key held the bar stays put.
            if (wParam != MK_LBUTTON) return 0;
            TakeValueFromPointer(lParam);
            SendMessageA(GetParent(window), WM_HSCROLL, 0, 0);
            RedrawNow();
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            TakeValueFromPointer(lParam);
            RedrawNow();
            SendMessageA(GetParent(window), WM_HSCROLL, 0, 0);
            NotifyParent(kNotifyValueChanged, 0);
            return 0;
        case WM_RBUTTONDOWN:
            if (forwardRightClick) SendMessageA(GetParent(window), WM_RBUTTONDOWN, 0, 0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace controls
