#include "WinTestSupport.h"

#include "ControlIds.h"
#include "ControlsTestIds.h"
#include "DialogLayout.h"
#include "controls/ControlButton.h"
#include "controls/PreviewContaner.h"
#include "controls/Rotor.h"
#include "controls/SpinEdit.h"

#include <cstring>

using namespace controls;
using namespace wintest;

namespace {

// A copy of the part (x, y, width, height) of `source` scaled to (toWidth, toHeight), as the
// renderer hands pictures to the panes.
HBITMAP Resampled(HBITMAP source, int x, int y, int width, int height, int toWidth, int toHeight) {
    HDC screen = GetDC(nullptr);
    HBITMAP half = CreateCompatibleBitmap(screen, toWidth, toHeight);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, half);
    SetStretchBltMode(to, HALFTONE);
    StretchBlt(to, 0, 0, toWidth, toHeight, from, x, y, width, height, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return half;
}

}  // namespace

using Showcase = ControlsDialog;

TEST_F(Showcase, EveryControlPaintsOnTheSharedBackground) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    SpinEdit* space = FindControl<SpinEdit>(Item(IDC_TEST_SPIN));
    SpinEdit* width = FindControl<SpinEdit>(Item(IDC_TEST_SPIN2));
    Rotor* rotor = FindControl<Rotor>(Item(IDC_TEST_ROTOR));
    PreviewContainer* main = FindControl<PreviewContainer>(Item(IDC_TEST_MAIN_PREVIEW));
    PreviewContainer* navigator = FindControl<PreviewContainer>(Item(IDC_TEST_NAVIGATOR));
    ControlButton* about = FindControl<ControlButton>(Item(IDC_TEST_ABOUT));
    ControlButton* help = FindControl<ControlButton>(Item(IDC_TEST_HELP));
    ASSERT_TRUE(space && width && rotor && main && navigator && about && help);

    space->SetRange(5.0f, 100.0f);
    space->SetValue(20.0f);
    width->SetRange(15.0f, 200.0f);
    width->SetValue(100.0f);
    rotor->CreateEdit(50);
    rotor->SetAngle(30.0f);

    HBITMAP picture = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_ABOUT_PICTURE));
    ASSERT_NE(picture, nullptr);
    navigator->SetPicture(Resampled(picture, 0, 0, 160, 273, 80, 136));
    main->SetPicture(Resampled(picture, 20, 60, 110, 100, 110, 100));
    DeleteObject(picture);
    main->pictureX = 11;
    main->pictureY = 11;
    main->imageWidth = 110;
    main->imageHeight = 100;
    navigator->viewMode = PreviewContainer::kNavigator;
    navigator->mainPreviewWindow = main->hwnd;
    navigator->scale = 2.0f;
    navigator->imageWidth = 80;
    navigator->imageHeight = 136;
    navigator->pictureX = 25;
    navigator->frameX = 10;
    navigator->frameY = 30;

    // As the main dialog does: each bitmap button at its bitmaps' size, About where the template
    // puts it and Help after it at the template's spacing, so they never overlap whatever the font.
    Resize(about->hwnd, 195, 18);
    about->width = 195;
    about->height = 18;
    about->SetBitmaps(IDB_ABOUT_NORMAL, IDB_ABOUT_HOVER, IDB_ABOUT_PRESSED);
    const RECT aboutRect = RectInParent(about->hwnd);
    const int gap = DialogUnitsToPixels(dialog, 0, 0, 8, 0).right;
    MoveWindow(help->hwnd, aboutRect.right + gap, aboutRect.top, 40, 19, FALSE);
    help->width = 40;
    help->height = 19;
    help->SetBitmaps(IDB_HELP_NORMAL, IDB_HELP_HOVER, IDB_HELP_PRESSED);
    ShowWindow(Item(IDC_TEST_PLAIN_EDIT), SW_HIDE);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(dialog);

    const Pixels p = Capture(dialog);
    SaveScreenshot(p, "controls.png");
    const uint32_t background = Rgb(232, 232, 232);
    // The dialog's own background: the margin right of the navigator, half-way down.
    const RECT navigatorRect = RectInParent(navigator->hwnd);
    const POINT margin{(navigatorRect.right + p.width) / 2, p.height / 2};
    ASSERT_EQ(ChildWindowFromPointEx(dialog, margin, CWP_SKIPINVISIBLE), dialog) << "no control covers the point";
    EXPECT_EQ(p.At(margin.x, margin.y), background);
    for (HWND control : {space->sliderWindow, rotor->hwnd, navigator->hwnd}) {
        const Pixels c = Capture(control);
        EXPECT_EQ(c.At(1, 1), background);
    }
    const Pixels shown = Capture(help->hwnd);
    EXPECT_NE(shown.At(5, 9), background) << "the Help bitmap is painted";
}
