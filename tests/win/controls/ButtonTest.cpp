#include "WinTestSupport.h"

#include "ControlIds.h"
#include "ControlsTestIds.h"
#include "DialogLayout.h"
#include "controls/ButtonSkinGeometry.h"
#include "controls/ControlButton.h"
#include "controls/SharedResources.h"
#include "controls/SkinnedButton.h"

using namespace controls;
using namespace wintest;

namespace {

uint32_t BitmapPixel(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

class ButtonWindows : public ControlsDialog {
protected:
    void SetUp() override {
        ControlsDialog::SetUp();
        about = FindControl<ControlButton>(Item(IDC_TEST_ABOUT));
        ASSERT_NE(about, nullptr);
        // As the main dialog does: size the button to its bitmaps and tell it its new size. Help,
        // which these tests do not use, would be in its way with a narrow font.
        Resize(about->hwnd, 195, 18);
        about->width = 195;
        about->height = 18;
        about->SetBitmaps(IDB_ABOUT_NORMAL, IDB_ABOUT_HOVER, IDB_ABOUT_PRESSED);
        ShowWindow(Item(IDC_TEST_HELP), SW_HIDE);
        // Update, 100 pixels wide, goes to the empty band between the About row and the bottom
        // row, where it has room whatever size the dialog's font gives the dialog.
        const RECT band = DialogUnitsToPixels(dialog, 80, 116, 0, 0);
        MoveWindow(Item(IDC_TEST_UPDATE), band.left, band.top, 100, 24, TRUE);
        Pump(dialog);
        recorder.commands.clear();
    }

    // A button painted afresh, as the screen shows it.
    Pixels Painted(HWND button) {
        RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return Capture(button);
    }

    ControlButton* about = nullptr;
};

}  // namespace

TEST_F(ButtonWindows, PressDraggedOffTheButtonAndReleasedStillClicks) {
    Mouse(about->hwnd, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_EQ(about->state, ControlButton::kPressed);
    EXPECT_EQ(GetFocus(), about->hwnd);
    Mouse(about->hwnd, WM_MOUSEMOVE, 400, 90, MK_LBUTTON);
    EXPECT_EQ(about->state, ControlButton::kPressed);
    Mouse(about->hwnd, WM_LBUTTONUP, 400, 90, 0);
    EXPECT_EQ(about->state, ControlButton::kIdle);
    EXPECT_EQ(recorder.commands.size(), 0u) << "the click is posted";
    Pump(dialog);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_ABOUT, 0), 1u);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonWindows, PointerOverTheButtonMakesItHotUntilItLeaves) {
    Mouse(about->hwnd, WM_MOUSEMOVE, 5, 5, 0);
    EXPECT_EQ(about->state, ControlButton::kHot);
    EXPECT_EQ(GetCapture(), about->hwnd);
    Mouse(about->hwnd, WM_MOUSEMOVE, 195, 18, 0);  // the far edges still count as over it
    EXPECT_EQ(about->state, ControlButton::kHot);
    Mouse(about->hwnd, WM_MOUSEMOVE, 196, 5, 0);
    EXPECT_EQ(about->state, ControlButton::kIdle);
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(about->hwnd, WM_MOUSEMOVE, 5, 5, 0);
    Mouse(about->hwnd, WM_MOUSEMOVE, -1, 5, 0);
    EXPECT_EQ(about->state, ControlButton::kIdle);
}

TEST_F(ButtonWindows, ReleaseWithoutAPressIsNoClick) {
    Mouse(about->hwnd, WM_MOUSEMOVE, 5, 5, 0);
    Mouse(about->hwnd, WM_LBUTTONUP, 5, 5, 0);
    Pump(dialog);
    EXPECT_EQ(recorder.commands.size(), 0u);
    EXPECT_EQ(about->state, ControlButton::kHot);
}

TEST_F(ButtonWindows, EachStateShowsItsOwnBitmap) {
    const Pixels idle = Painted(about->hwnd);
    SaveScreenshot(idle, "about-button.png");
    EXPECT_EQ(idle.At(1, 1), BitmapPixel(about->normalBitmap, 1, 1));
    EXPECT_EQ(idle.At(100, 9), BitmapPixel(about->normalBitmap, 100, 9));
    Mouse(about->hwnd, WM_MOUSEMOVE, 5, 5, 0);
    EXPECT_EQ(Capture(about->hwnd).At(1, 1), BitmapPixel(about->hoverBitmap, 1, 1));
    Mouse(about->hwnd, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_EQ(Capture(about->hwnd).At(1, 1), BitmapPixel(about->pressedBitmap, 1, 1));
    EXPECT_NE(BitmapPixel(about->pressedBitmap, 1, 1), BitmapPixel(about->normalBitmap, 1, 1));
    Mouse(about->hwnd, WM_LBUTTONUP, 5, 5, 0);
}

TEST_F(ButtonWindows, ReplacedBitmapsAreDeletedAndMissingOnesEmptyTheSlot) {
    HBITMAP oldNormal = about->normalBitmap;
    HBITMAP oldHover = about->hoverBitmap;
    about->SetBitmaps(IDB_HELP_NORMAL, 0, 0);
    EXPECT_EQ(GetObjectType(oldNormal), 0u);
    EXPECT_EQ(about->hoverBitmap, oldHover);
    about->SetBitmaps(0, 999, 0);
    EXPECT_EQ(about->hoverBitmap, nullptr);
    EXPECT_EQ(GetObjectType(oldHover), 0u);
}

TEST_F(ButtonWindows, HundredPixelButtonStretchesSixtyFourPixelsOfMiddleBetweenItsCaps) {
    HWND update = Item(IDC_TEST_UPDATE);
    const Pixels p = Painted(update);
    SaveScreenshot(p, "update-button.png");
    ASSERT_EQ(p.width, 100);
    const SkinPieceIds normal = SkinIdsFor(SkinState::kNormal);
    for (int y : {0, 1, 2, 21, 23}) {
        for (int x = 0; x < 18; ++x) {
            EXPECT_EQ(p.At(x, y), BitmapPixel(SkinBitmap(normal.left), x, y)) << x << "," << y;
            EXPECT_EQ(p.At(82 + x, y), BitmapPixel(SkinBitmap(normal.right), x, y)) << 82 + x << "," << y;
        }
        // The middle piece is the same in every column, so its stretch is too.
        for (int x = 18; x < 82; ++x) EXPECT_EQ(p.At(x, y), BitmapPixel(SkinBitmap(normal.middle), 9, y)) << x;
    }
}

TEST_F(ButtonWindows, RowsBelowTheSkinShowTheBackground) {
    HWND update = Item(IDC_TEST_UPDATE);
    Resize(update, 100, 30);
    const Pixels p = Painted(update);
    for (int x = 0; x < 100; x += 9) EXPECT_EQ(p.At(x, 28), Rgb(232, 232, 232)) << x;
}

TEST_F(ButtonWindows, DefaultButtonWearsTheDefaultSkinWhenIdle) {
    const Pixels ok = Painted(Item(IDOK));
    const Pixels cancel = Painted(Item(IDCANCEL));
    SaveScreenshot(ok, "ok-button.png");
    EXPECT_EQ(ok.At(0, 12), BitmapPixel(SkinBitmap(SkinIdsFor(SkinState::kDefault).left), 0, 12));
    EXPECT_EQ(cancel.At(0, 12), BitmapPixel(SkinBitmap(SkinIdsFor(SkinState::kNormal).left), 0, 12));
}

TEST_F(ButtonWindows, HoveredButtonPaintsHotAndAfterAClickNormalUntilThePointerMoves) {
    HWND update = Item(IDC_TEST_UPDATE);
    const uint32_t hot = BitmapPixel(SkinBitmap(SkinIdsFor(SkinState::kHot).middle), 9, 12);
    const uint32_t normal = BitmapPixel(SkinBitmap(SkinIdsFor(SkinState::kNormal).middle), 9, 12);
    ASSERT_NE(hot, normal);
    Mouse(update, WM_MOUSEMOVE, 50, 12, 0);
    EXPECT_TRUE(IsButtonHot(update));
    EXPECT_EQ(Capture(update).At(20, 2), BitmapPixel(SkinBitmap(SkinIdsFor(SkinState::kHot).middle), 9, 2));
    Click(update, 50, 12);
    Pump(dialog);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_UPDATE, BN_CLICKED), 1u);
    EXPECT_FALSE(IsButtonHot(update));
    EXPECT_EQ(Painted(update).At(20, 2), BitmapPixel(SkinBitmap(SkinIdsFor(SkinState::kNormal).middle), 9, 2));
    Mouse(update, WM_MOUSEMOVE, 51, 12, 0);
    EXPECT_TRUE(IsButtonHot(update));
    Mouse(update, WM_MOUSEMOVE, 150, 12, 0);
    EXPECT_FALSE(IsButtonHot(update));
    EXPECT_NE(GetCapture(), update);
}

TEST_F(ButtonWindows, DisabledButtonShowsTheNormalSkinWithGreyTextEvenWhenHovered) {
    HWND update = Item(IDC_TEST_UPDATE);
    Mouse(update, WM_MOUSEMOVE, 50, 12, 0);
    ASSERT_TRUE(IsButtonHot(update));
    EnableWindow(update, FALSE);
    const Pixels p = Painted(update);
    SaveScreenshot(p, "disabled-button.png");
    EXPECT_EQ(p.At(20, 2), BitmapPixel(SkinBitmap(SkinIdsFor(SkinState::kNormal).middle), 9, 2));
    int grey = 0, black = 0;
    for (int y = 4; y < 22; ++y) {
        for (int x = 18; x < 82; ++x) {
            grey += p.At(x, y) == Rgb(127, 127, 127);
            black += p.At(x, y) == Rgb(0, 0, 0);
        }
    }
    EXPECT_GT(grey, 10) << "caption drawn in grey";
    EXPECT_EQ(black, 0);
    EnableWindow(update, TRUE);
    const Pixels enabled = Painted(update);
    int enabledBlack = 0;
    for (int y = 4; y < 22; ++y) {
        for (int x = 18; x < 82; ++x) enabledBlack += enabled.At(x, y) == Rgb(0, 0, 0);
    }
    EXPECT_GT(enabledBlack, 10) << "caption drawn in black";
}

TEST_F(ButtonWindows, SubclassingTwiceIsRefusedAndTheButtonStillWorksAfterwards) {
    EXPECT_FALSE(SubclassForHover(Item(IDOK)));
    EXPECT_FALSE(SubclassForHover(nullptr));
    Click(Item(IDC_TEST_SAVE), 5, 5);
    Pump(dialog);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SAVE, BN_CLICKED), 1u);
}
