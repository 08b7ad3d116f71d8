#include "controls/PreviewContaner.h"

#include "controls/GdiHandles.h"
#include "controls/NavigatorGeometry.h"
#include "controls/NumberConversions.h"
#include "controls/SharedResources.h"

namespace controls {
namespace {

void DrawDiagonals(HDC dc, int x, int y, int width, int height) noexcept {
    MoveToEx(dc, x, y, nullptr);
    LineTo(dc, x + width, y + height);
    MoveToEx(dc, x, y + height, nullptr);
    LineTo(dc, x + width, y);
}

void DrawPicture(HDC dc, HBITMAP picture, int x, int y, int width, int height) noexcept {
    MemoryDc source(dc);
    if (!source) return;
    SelectionScope selected(source.Get(), picture);
    BitBlt(dc, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace

PreviewContainer::~PreviewContainer() {
    if (picture != nullptr) DeleteObject(picture);
    if (bitmapPixels != nullptr) VirtualFree(bitmapPixels, 0, MEM_RELEASE);
    if (rgbCopy != nullptr) VirtualFree(rgbCopy, 0, MEM_RELEASE);
}

void PreviewContainer::SetPicture(HBITMAP bitmap) noexcept {
    if (picture != nullptr && picture != bitmap) DeleteObject(picture);
    picture = bitmap;
}

void PreviewContainer::PaintNavigator(HDC dc, int clientWidth, int clientHeight) noexcept {
    const PreviewContainer* mainPreview = FindControl<PreviewContainer>(mainPreviewWindow);
    if (mainPreview != nullptr) {
        frameWidth = NavigatorFrameExtent(mainPreview->imageWidth, scale);
        frameHeight = NavigatorFrameExtent(mainPreview->imageHeight, scale);
    }
    frameX = ClampFrameOrigin(frameX, frameWidth, imageWidth);
    frameY = ClampFrameOrigin(frameY, frameHeight, imageHeight);
    if (picture != nullptr) {
        DrawPicture(dc, picture, pictureX, pictureY, clientWidth, clientHeight);
    } else {
        DrawDiagonals(dc, 0, 0, clientWidth, clientHeight);
    }
    if (mainPreview == nullptr) return;
    // Inverted on the freshly drawn picture, so repainting never accumulates; pixels off the
    // client area are skipped rather than read back as garbage.
    ForEachFrameEdgePixel(pictureX + frameX, pictureY + frameY, frameWidth, frameHeight, [&](int x, int y) {
        if (x < 0 || y < 0 || x >= clientWidth || y >= clientHeight) return;
        const COLORREF c = GetPixel(dc, x, y);
        SetPixelV(dc, x, y, RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c)));
    });
}

void PreviewContainer::PaintMainPreview(HDC dc, int clientWidth, int clientHeight) noexcept {
    const int offsetX = dragX;
    const int offsetY = dragY;
    if (picture != nullptr) {
        DrawPicture(dc, picture, pictureX + offsetX, pictureY + offsetY, clientWidth, clientHeight);
    } else {
        DrawDiagonals(dc, offsetX, offsetY, clientWidth, clientHeight);
    }
}

// Both views paint through an off-screen canvas: the frame inversion reads pixels back, which
// is exact on a memory bitmap, and a drag never flickers.
void PreviewContainer::Paint() noexcept {
    PaintScope paint(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    BufferedCanvas canvas(paint.Dc(), client.right, client.bottom);
    if (!canvas.IsReady()) return;
    FillRect(canvas.Dc(), &client, BackgroundBrush());
    if (viewMode == kNavigator) {
        PaintNavigator(canvas.Dc(), client.right, client.bottom);
    } else {
        PaintMainPreview(canvas.Dc(), client.right, client.bottom);
    }
    canvas.CopyTo(paint.Dc());
}

LRESULT PreviewContainer::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const auto packed = static_cast<uint64_t>(lParam);
    const int x = LowSigned16(packed);
    const int y = HighSigned16(packed);
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers the whole client area
        case WM_LBUTTONDOWN:
            SetCapture(window);
            dragX = 0;
            dragY = 0;
            lastX = x;
            lastY = y;
            return 0;
        case WM_MOUSEMOVE:
            if ((wParam & MK_LBUTTON) != 0) {
                const int dx = x - lastX;
                const int dy = y - lastY;
                lastX = x;
                lastY = y;
                if (viewMode == kNavigator) {
                    frameX += dx;
                    frameY += dy;
                } else {
                    dragX += dx;
                    dragY += dy;
                }
                RedrawNow();
            }
            if ((wParam & MK_RBUTTON) != 0 && viewMode == kMainPreview) {
                const int rx = NonNegative(x);
                const int ry = NonNegative(y);
                rightDragX += rx - lastX;
                rightDragY += ry - lastY;
                lastX = rx;
                lastY = ry;
                NotifyParent(kNotifyValueChanged, 0);
            }
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            if (viewMode == kMainPreview) {
                panX -= dragX;
                panY -= dragY;
            }
            dragX = 0;
            dragY = 0;
            NotifyParent(kNotifyButtonReleased, 0);
            return 0;
        case WM_RBUTTONDOWN:
            rightDragX = 0;
            rightDragY = 0;
            lastX = NonNegative(x);
            lastY = NonNegative(y);
            SetCapture(window);
            return 0;
        case WM_RBUTTONUP:
            ReleaseCapture();
            rightDragX = 0;
            rightDragY = 0;
            NotifyParent(kNotifyButtonReleased, 0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace controls
