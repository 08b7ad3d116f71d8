#include "WinTestSupport.h"

#include "ControlsTestIds.h"
#include "controls/PreviewContaner.h"

using namespace controls;
using namespace wintest;

namespace {

// A picture whose every pixel differs from its neighbours, so shifts and inversions show.
HBITMAP MakePicture(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            p[y * width + x] = Rgb((x * 7) & 0xFF, (y * 11) & 0xFF, ((x + y) * 5 + 40) & 0xFF);
        }
    }
    return bitmap;
}

uint32_t PictureAt(int x, int y) {
    return Rgb((x * 7) & 0xFF, (y * 11) & 0xFF, ((x + y) * 5 + 40) & 0xFF);
}

uint32_t Inverted(uint32_t p) {
    return Rgb(255 - Red(p), 255 - Green(p), 255 - Blue(p));
}

class PreviewWindows : public ControlsDialog {
protected:
    void SetUp() override {
        ControlsDialog::SetUp();
        main = FindControl<PreviewContainer>(Item(IDC_TEST_MAIN_PREVIEW));
        navigator = FindControl<PreviewContainer>(Item(IDC_TEST_NAVIGATOR));
        ASSERT_NE(main, nullptr);
        ASSERT_NE(navigator, nullptr);
        navigator->viewMode = PreviewContainer::kNavigator;
        navigator->mainPreviewWindow = main->hwnd;
        // The main preview shows 60 x 40 image pixels; the navigator shows a 100 x 80 picture at
        // half size, so its frame is 30 x 20.
        main->imageWidth = 60;
        main->imageHeight = 40;
        navigator->imageWidth = 100;
        navigator->imageHeight = 80;
        navigator->scale = 2.0f;
        navigator->pictureX = 4;
        navigator->pictureY = 3;
        navigator->SetPicture(MakePicture(100, 80));
        navigator->RedrawNow();
        Pump(dialog);
        recorder.commands.clear();
    }

    PreviewContainer* main = nullptr;
    PreviewContainer* navigator = nullptr;
};

}  // namespace

TEST_F(PreviewWindows, NavigatorFrameDraggedPastTheLeftEdgeClampsToZero) {
    navigator->frameX = 20;
    navigator->frameY = 20;
    Mouse(navigator->hwnd, WM_LBUTTONDOWN, 40, 40, MK_LBUTTON);
    Mouse(navigator->hwnd, WM_MOUSEMOVE, -60, -30, MK_LBUTTON);
    Mouse(navigator->hwnd, WM_LBUTTONUP, -60, -30, 0);
    UpdateWindow(navigator->hwnd);
    EXPECT_EQ(navigator->frameX, 0);
    EXPECT_EQ(navigator->frameY, 0);
    EXPECT_EQ(navigator->frameWidth, 30);
    EXPECT_EQ(navigator->frameHeight, 20);
}

TEST_F(PreviewWindows, NavigatorFrameDraggedPastTheRightEdgeStopsOnePixelShort) {
    Mouse(navigator->hwnd, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Mouse(navigator->hwnd, WM_MOUSEMOVE, 400, 300, MK_LBUTTON);
    Mouse(navigator->hwnd, WM_LBUTTONUP, 400, 300, 0);
    UpdateWindow(navigator->hwnd);
    EXPECT_EQ(navigator->frameX, 100 - 30 - 1);
    EXPECT_EQ(navigator->frameY, 80 - 20 - 1);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_NAVIGATOR, 9), 1u);
}

TEST_F(PreviewWindows, FrameIsAnInversionOfItsEdgesAndRepaintingChangesNothing) {
    navigator->frameX = 10;
    navigator->frameY = 5;
    navigator->RedrawNow();
    const Pixels first = Capture(navigator->hwnd);
    SaveScreenshot(first, "navigator.png");
    const int px = 4 + 10;
    const int py = 3 + 5;
    // Inside the frame and off it: the picture; along an edge: inverted; corners: inverted twice.
    EXPECT_EQ(first.At(px + 5, py + 5), PictureAt(15, 10));
    EXPECT_EQ(first.At(px + 5, py), Inverted(PictureAt(15, 5)));
    EXPECT_EQ(first.At(px + 30, py + 7), Inverted(PictureAt(40, 12)));
    EXPECT_EQ(first.At(px, py + 20), PictureAt(10, 25));
    EXPECT_EQ(first.At(px + 30, py), PictureAt(40, 5));
    navigator->RedrawNow();
    navigator->RedrawNow();
    const Pixels again = Capture(navigator->hwnd);
    EXPECT_EQ(again.data, first.data);
}

TEST_F(PreviewWindows, NavigatorWithoutAPictureShowsACross) {
    navigator->SetPicture(nullptr);
    navigator->mainPreviewWindow = nullptr;  // no frame either
    navigator->RedrawNow();
    const Pixels p = Capture(navigator->hwnd);
    // The diagonal from the top-left corner crosses row 10 near 10 * width / height: which pixel
    // exactly depends on the line's rasterisation, and the size on the dialog's font.
    const int x = 10 * p.width / p.height;
    int black = 0;
    for (int dx = -1; dx <= 1; ++dx) black += p.At(x + dx, 10) == Rgb(0, 0, 0);
    EXPECT_GE(black, 1) << "the diagonal near (" << x << ", 10) in a " << p.width << " x " << p.height << " navigator";
    EXPECT_EQ(p.At(p.width / 2, 5), Rgb(232, 232, 232));
}

TEST_F(PreviewWindows, LeftDragOfThirtyPixelsShowsThePictureShiftedAndLeavesPanAtMinusThirty) {
    main->SetPicture(MakePicture(120, 100));
    main->pictureX = 0;
    main->pictureY = 0;
    Mouse(main->hwnd, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Mouse(main->hwnd, WM_MOUSEMOVE, 35, 20, MK_LBUTTON);
    Mouse(main->hwnd, WM_MOUSEMOVE, 50, 20, MK_LBUTTON);
    EXPECT_EQ(main->dragX, 30);
    const Pixels during = Capture(main->hwnd);
    SaveScreenshot(during, "main-preview-drag.png");
    EXPECT_EQ(during.At(30 + 5, 12), PictureAt(5, 12));
    EXPECT_EQ(during.At(10, 12), Rgb(232, 232, 232));
    EXPECT_EQ(recorder.commands.size(), 0u);
    Mouse(main->hwnd, WM_LBUTTONUP, 50, 20, 0);
    EXPECT_EQ(main->panX, -30);
    EXPECT_EQ(main->panY, 0);
    EXPECT_EQ(main->dragX, 0);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_MAIN_PREVIEW, 9), 1u);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PreviewWindows, AClickWithoutMovementReportsOnceAndMovesNothing) {
    navigator->frameX = 12;
    Click(navigator->hwnd, 30, 30);
    Click(main->hwnd, 30, 30);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_NAVIGATOR, 9), 1u);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_MAIN_PREVIEW, 9), 1u);
    EXPECT_EQ(recorder.commands.size(), 2u);
    EXPECT_EQ(navigator->frameX, 12);
    EXPECT_EQ(main->panX, 0);
    EXPECT_EQ(main->panY, 0);
}

TEST_F(PreviewWindows, RightDragInTheMainPreviewReportsEveryMoveFromTheClientEdge) {
    Mouse(main->hwnd, WM_RBUTTONDOWN, 10, 10, MK_RBUTTON);
    Mouse(main->hwnd, WM_MOUSEMOVE, 15, 12, MK_RBUTTON);
    EXPECT_EQ(main->rightDragX, 5);
    EXPECT_EQ(main->rightDragY, 2);
    Mouse(main->hwnd, WM_MOUSEMOVE, -5, 20, MK_RBUTTON);
    EXPECT_EQ(main->rightDragX, -10);  // the pointer left of the pane counts as x = 0
    EXPECT_EQ(main->rightDragY, 10);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_MAIN_PREVIEW, 0), 2u);
    Mouse(main->hwnd, WM_RBUTTONUP, -5, 20, 0);
    EXPECT_EQ(main->rightDragX, 0);
    EXPECT_EQ(main->rightDragY, 0);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_MAIN_PREVIEW, 9), 1u);
    EXPECT_EQ(main->panX, 0);
}

TEST_F(PreviewWindows, NavigatorIgnoresRightDragMoves) {
    Mouse(navigator->hwnd, WM_RBUTTONDOWN, 10, 10, MK_RBUTTON);
    Mouse(navigator->hwnd, WM_MOUSEMOVE, 30, 30, MK_RBUTTON);
    Mouse(navigator->hwnd, WM_RBUTTONUP, 30, 30, 0);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_NAVIGATOR, 0), 0u);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_NAVIGATOR, 9), 1u);
}

TEST_F(PreviewWindows, PictureIsOwnedReplacedAndDeletedWithThePane) {
    HBITMAP first = MakePicture(8, 8);
    HBITMAP second = MakePicture(8, 8);
    main->SetPicture(first);
    main->SetPicture(second);
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));
    DestroyWindow(Item(IDC_TEST_MAIN_PREVIEW));
    EXPECT_EQ(GetObjectType(second), 0u);
    // The navigator, left without its main preview, still paints (without a frame).
    navigator->RedrawNow();
    EXPECT_EQ(Capture(navigator->hwnd).At(4 + 1, 3 + 1), PictureAt(1, 1));
}
