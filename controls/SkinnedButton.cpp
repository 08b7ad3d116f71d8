#include "controls/SkinnedButton.h"

#include "controls/ButtonSkinGeometry.h"
#include "controls/GdiHandles.h"
#include "controls/NumberConversions.h"
#include "controls/SharedResources.h"

namespace controls {
namespace {

// Window properties instead of tables keyed by id: two open dialogs may both have a
// button 1, and each must get its own previous procedure back.
constexpr char kPreviousProcProperty[] = "MerovaneHoverProc";
constexpr char kHotProperty[] = "MerovaneHoverHot";
constexpr COLORREF kDisabledTextColor = RGB(127, 127, 127);
constexpr COLORREF kTextColor = RGB(0, 0, 0);
constexpr int kCaptionTopPx = 4;

void SetHot(HWND button, bool isHot) noexcept {
    SetPropA(button, kHotProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(isHot ? 1 : 0)));
}

LRESULT CALLBACK HoverProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropA(button, kPreviousProcProperty));
    if (previous == nullptr) return DefWindowProcA(button, message, wParam, lParam);
    switch (message) {
        case WM_MOUSEMOVE: {
            RECT client{};
            GetClientRect(button, &client);
            const auto packed = static_cast<uint64_t>(lParam);
            const int x = LowSigned16(packed);
            const int y = HighSigned16(packed);
            if (x >= client.right || x < client.left || y >= client.bottom || y < client.top) {
                if (GetCapture() == button) ReleaseCapture();
                SetHot(button, false);
                RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            } else if (!IsButtonHot(button)) {
                SetCapture(button);  // to see the pointer leave
                SetHot(button, true);
                RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            }
            break;
        }
        case WM_LBUTTONUP:
            SetHot(button, false);
            RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            RemovePropA(button, kPreviousProcProperty);
            RemovePropA(button, kHotProperty);
            break;
        default:
            break;
    }
    return CallWindowProcA(previous, button, message, wParam, lParam);
}

void CopyPiece(HDC target, HDC source, HBITMAP piece, int x, int width) noexcept {
    if (piece == nullptr || width <= 0) return;
    SelectionScope selected(source, piece);
    if (width == kSkinPiecePx) {
        BitBlt(target, x, 0, width, kSkinHeightPx, source, 0, 0, SRCCOPY);
    } else {
        StretchBlt(target, x, 0, width, kSkinHeightPx, source, 0, 0, kSkinPiecePx, kSkinHeightPx, SRCCOPY);
    }
}

}  // namespace

bool SubclassForHover(HWND button) noexcept {
    if (button == nullptr || GetPropA(button, kPreviousProcProperty) != nullptr) return false;
    const LONG_PTR previous = GetWindowLongPtrA(button, GWLP_WNDPROC);
    if (previous == 0) return false;
    SetPropA(button, kPreviousProcProperty, reinterpret_cast<HANDLE>(previous));
    SetHot(button, false);
    SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HoverProc));
    return true;
}

bool IsButtonHot(HWND button) noexcept {
    return button != nullptr && GetPropA(button, kHotProperty) != nullptr;
}

void DrawSkinnedButton(const DRAWITEMSTRUCT& item) noexcept {
    const int id = static_cast<int>(item.CtlID);
    const int cx = item.rcItem.right - item.rcItem.left;
    const int cy = item.rcItem.bottom - item.rcItem.top;
    const SkinState skin = ChooseSkin((item.itemState & ODS_DISABLED) != 0, (item.itemState & ODS_SELECTED) != 0,
                                      IsButtonHot(item.hwndItem), IsDefaultSkinnedButton(id));
    const SkinPieceIds pieces = SkinIdsFor(skin);
    const SkinLayout layout = ComputeSkinLayout(cx);

    BufferedCanvas canvas(item.hDC, cx, cy);
    if (!canvas.IsReady()) return;
    HDC dc = canvas.Dc();
    // Rows below the 24-pixel skin would otherwise show whatever the fresh bitmap holds.
    const RECT all{0, 0, cx, cy};
    FillRect(dc, &all, BackgroundBrush());
    {
        MemoryDc source(dc);
        if (source) {
            CopyPiece(dc, source.Get(), SkinBitmap(pieces.left), layout.leftCapX, kSkinPiecePx);
            CopyPiece(dc, source.Get(), SkinBitmap(pieces.right), layout.rightCapX, kSkinPiecePx);
            CopyPiece(dc, source.Get(), SkinBitmap(pieces.middle), layout.middleX, layout.middleWidth);
        }
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (item.itemState & ODS_DISABLED) != 0 ? kDisabledTextColor : kTextColor);
    SelectionScope font(dc, FontButton());
    RECT text{0, kCaptionTopPx, cx, cy};
    DrawTextA(dc, SkinnedButtonCaption(id), -1, &text, DT_CENTER);
    canvas.CopyTo(item.hDC, item.rcItem.left, item.rcItem.top);
}

}  // namespace controls
