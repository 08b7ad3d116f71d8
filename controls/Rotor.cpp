#include "controls/Rotor.h"

#include "controls/GdiHandles.h"
#include "controls/NumberConversions.h"
#include "controls/RotorGeometry.h"
#include "controls/SetValueDialog.h"
#include "controls/SharedResources.h"
#include "controls/ValueRules.h"

namespace controls {
namespace {

constexpr int kMarkerArmPx = 5;
constexpr int kMarkerCircleRadiusPx = 5;
constexpr int kRingIntensity = 255;

// Antialiased circle from the background colour to the ring colour.
void DrawRing(HDC dc, int cx, int cy, int radius) noexcept {
    const BYTE r = GetRValue(Rotor::kRingColor);
    const BYTE g = GetGValue(Rotor::kRingColor);
    const BYTE b = GetBValue(Rotor::kRingColor);
    PlotEllipseMirrored(cx, cy, radius, radius, kRingIntensity, /*twoPixelMode=*/true, [&](int x, int y, int v) {
        SetPixelV(dc, x, y,
                  RGB(BlendChannel(kBackgroundRed, r, v), BlendChannel(kBackgroundGreen, g, v),
                      BlendChannel(kBackgroundBlue, b, v)));
    });
}

}  // namespace

void Rotor::CreateEdit(int widthPx) noexcept {
    if (editWindow != nullptr) DestroyWindow(editWindow);
    RECT client{};
    GetClientRect(hwnd, &client);
    editWindow = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER,
                                 (client.right - widthPx) / 2, (client.bottom - kEditHeightPx) / 2, widthPx,
                                 kEditHeightPx, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE)), nullptr);
    if (editWindow != nullptr) SendMessageA(editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(FontEditSmall()), 0);
}

void Rotor::SetAngle(float angleDeg) noexcept {
    angle = angleDeg;
    RedrawNow();
    RefreshText();
}

void Rotor::RefreshText() noexcept {
    if (editWindow == nullptr) return;
    SetWindowTextA(editWindow, FormatValue(angle, /*integerMode=*/false).text);
}

float Rotor::DirectionAt(LPARAM lParam) const noexcept {
    RECT client{};
    GetClientRect(hwnd, &client);
    const auto packed = static_cast<uint64_t>(lParam);
    return RotorDirectionDeg(LowSigned16(packed), HighSigned16(packed), client.right, client.bottom);
}

void Rotor::CommitTypedText() noexcept {
    char text[16] = {};
    GetWindowTextA(editWindow, text, sizeof text);
    const float previous = angle;
    SetAngle(ParseTypedValue(text));
    if (DiffersAtHundredths(previous, angle)) NotifyParent(kNotifyValueChanged, 0);
}

void Rotor::Paint() noexcept {
    PaintScope paint(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    const int w = client.right;
    const int h = client.bottom;
    BufferedCanvas canvas(paint.Dc(), w, h);
    if (!canvas.IsReady()) return;
    HDC dc = canvas.Dc();
    FillRect(dc, &client, BackgroundBrush());
    const int radius = RotorRadius(w, h);
    DrawRing(dc, w / 2, h / 2, radius);
    const PointPx marker = RotorMarker(angle, w, h);
    {
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, kRingColor));
        SelectionScope selected(dc, pen.Get());
        MoveToEx(dc, marker.x - kMarkerArmPx, marker.y, nullptr);
        LineTo(dc, marker.x + kMarkerArmPx, marker.y);
        MoveToEx(dc, marker.x, marker.y - kMarkerArmPx, nullptr);
        LineTo(dc, marker.x, marker.y + kMarkerArmPx);
    }
    DrawRing(dc, marker.x, marker.y, kMarkerCircleRadiusPx);
    canvas.CopyTo(paint.Dc());
}

LRESULT Rotor::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(window);
            rawAngle = DirectionAt(lParam);
            angle = AngleFromTurns(turns, rawAngle);
            RefreshText();
            RedrawNow();
            return 0;
        case WM_MOUSEMOVE:
            if ((wParam & MK_LBUTTON) == 0) return 0;
            previousRawAngle = rawAngle;
            rawAngle = DirectionAt(lParam);
            turns = CountTurns(turns, previousRawAngle, rawAngle);
            angle = AngleFromTurns(turns, rawAngle);
            RedrawNow();
            if (editWindow != nullptr) {
                RefreshText();
                FocusAndSelectAll(editWindow);
            }
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            NotifyParent(kNotifyButtonReleased, 0);
            RedrawNow();
            return 0;
        case WM_RBUTTONDOWN:
            RunSetValueDialog(*this);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kEditId) {
                const WORD code = HIWORD(wParam);
                if (code == kRestoreEditText) {
                    SetAngle(angle);
                } else if (code == EN_KILLFOCUS || code == EN_MAXTEXT) {
                    CommitTypedText();
                }
            }
            return 0;
        case WM_SETFOCUS:
            FocusAndSelectAll(editWindow);
            return 0;
        case WM_ENABLE:
            if (editWindow != nullptr) EnableWindow(editWindow, static_cast<BOOL>(wParam));
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace controls
