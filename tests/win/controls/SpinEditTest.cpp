#include "WinTestSupport.h"

#include "ControlsTestIds.h"
#include "controls/MacSlider.h"
#include "controls/SharedResources.h"
#include "controls/SliderGeometry.h"
#include "controls/SpinEdit.h"

#include <commctrl.h>

#include <string>

using namespace controls;
using namespace wintest;

namespace {

class SpinEditWindow : public ControlsDialog {
protected:
    void SetUp() override {
        ControlsDialog::SetUp();
        spin = FindControl<SpinEdit>(Item(IDC_TEST_SPIN));
        ASSERT_NE(spin, nullptr);
        spin->SetRange(5.0f, 100.0f);
        spin->SetValue(12.5f);
        Pump(dialog);
        recorder.commands.clear();
    }

    std::string EditText() const {
        char text[64] = {};
        GetWindowTextA(spin->editWindow, text, sizeof text);
        return text;
    }

    // Types into the edit box and moves the focus on, as leaving the box does.
    void TypeAndLeave(const char* text) {
        SetFocus(spin->editWindow);
        SetWindowTextA(spin->editWindow, text);
        SetFocus(Item(IDC_TEST_PLAIN_BUTTON));
        Pump(dialog);
    }

    int SliderWidth() const {
        RECT client{};
        GetClientRect(spin->sliderWindow, &client);
        return client.right;
    }

    // Up-down arrow press and release, in its upper (increment) or lower half.
    void PressArrow(bool up, bool release = true) {
        RECT client{};
        GetClientRect(spin->upDownWindow, &client);
        const int y = up ? client.bottom / 4 : client.bottom * 3 / 4;
        Mouse(spin->upDownWindow, WM_LBUTTONDOWN, client.right / 2, y, MK_LBUTTON);
        if (release) Mouse(spin->upDownWindow, WM_LBUTTONUP, client.right / 2, y, 0);
        Pump(dialog);
    }

    SpinEdit* spin = nullptr;
};

}  // namespace

TEST_F(SpinEditWindow, ChildrenAreAnEditAnUpDownAndASliderCoveringTheControl) {
    RECT client{};
    GetClientRect(spin->hwnd, &client);
    RECT slider{};
    GetWindowRect(spin->sliderWindow, &slider);
    MapWindowPoints(nullptr, spin->hwnd, reinterpret_cast<POINT*>(&slider), 2);
    EXPECT_EQ(slider.top, client.bottom - 20);
    EXPECT_EQ(slider.right - slider.left, client.right);
    EXPECT_EQ(GetDlgCtrlID(spin->editWindow), 1);
    EXPECT_EQ(GetDlgCtrlID(spin->upDownWindow), 2);
    EXPECT_EQ(GetDlgCtrlID(spin->sliderWindow), 3);
    ASSERT_NE(spin->Slider(), nullptr);
    EXPECT_TRUE(spin->Slider()->forwardRightClick);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(spin->editWindow, WM_GETFONT, 0, 0)), FontEditSmall());
}

TEST_F(SpinEditWindow, SetValueShowsTheValueEverywhereWithoutClampingOrNotifying) {
    spin->SetValue(250.0f);
    Pump(dialog);
    EXPECT_EQ(EditText(), "250.00");
    EXPECT_FLOAT_EQ(spin->Slider()->value, 250.0f);
    spin->SetValue(50.75f);
    EXPECT_EQ(LOWORD(SendMessageA(spin->upDownWindow, UDM_GETPOS, 0, 0)), 50);
    EXPECT_TRUE(recorder.commands.empty());
    spin->integerMode = 1;
    spin->SetValue(-12.9f);
    EXPECT_EQ(EditText(), "-12");
}

TEST_F(SpinEditWindow, SetRangeReachesSliderAndUpDownButLeavesTheValue) {
    spin->SetRange(-300.0f, 300.0f);
    EXPECT_FLOAT_EQ(spin->Slider()->minValue, -300.0f);
    EXPECT_FLOAT_EQ(spin->Slider()->maxValue, 300.0f);
    int lower = 0, upper = 0;
    SendMessageA(spin->upDownWindow, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                 reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(lower, -300);
    EXPECT_EQ(upper, 300);
    spin->SetRange(20.0f, 30.0f);
    EXPECT_FLOAT_EQ(spin->value, 12.5f);
}

TEST_F(SpinEditWindow, TextThatIsNoNumberBecomesZeroClampedIntoTheRange) {
    TypeAndLeave("abc");
    EXPECT_FLOAT_EQ(spin->value, 5.0f);
    EXPECT_EQ(EditText(), "5.00");
    ASSERT_EQ(recorder.CountFrom(IDC_TEST_SPIN, 0), 1u);
    EXPECT_EQ(recorder.commands.back().lParam, reinterpret_cast<LPARAM>(spin->editWindow));
}

TEST_F(SpinEditWindow, TypedValueAboveTheRangeIsLoweredToTheMaximum) {
    TypeAndLeave("1e9");
    EXPECT_FLOAT_EQ(spin->value, 100.0f);
    EXPECT_EQ(EditText(), "100.00");
    TypeAndLeave("nan");
    EXPECT_FLOAT_EQ(spin->value, 5.0f);
}

TEST_F(SpinEditWindow, ChangeBelowAHundredthIsRewrittenButNotNotified) {
    TypeAndLeave("12.501");
    EXPECT_EQ(EditText(), "12.50");
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN), 0u);
    TypeAndLeave("12.51");
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN, 0), 1u);
}

TEST_F(SpinEditWindow, EscapeInTheEditBoxRestoresTheTextAndKeepsTheDialogOpen) {
    SetFocus(spin->editWindow);
    SetWindowTextA(spin->editWindow, "77");
    PressKey(dialog, VK_ESCAPE);
    EXPECT_EQ(EditText(), "12.50");
    EXPECT_EQ(recorder.closedWith, 0);
    EXPECT_FLOAT_EQ(spin->value, 12.5f);
}

TEST_F(SpinEditWindow, EnterInTheEditBoxCommitsWithoutPressingOk) {
    SetFocus(spin->editWindow);
    SetWindowTextA(spin->editWindow, "42");
    PressKey(dialog, VK_RETURN);
    EXPECT_EQ(recorder.closedWith, 0);
    EXPECT_NE(GetFocus(), spin->editWindow);
    EXPECT_FLOAT_EQ(spin->value, 42.0f);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN, 0), 1u);
}

TEST_F(SpinEditWindow, SliderDragUpdatesTheTextOnEveryMoveAndNotifiesOnceOnRelease) {
    HWND slider = spin->sliderWindow;
    const int w = SliderWidth();
    Mouse(slider, WM_LBUTTONDOWN, 5, 10, MK_LBUTTON);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN), 0u);
    std::string previous = EditText();
    for (int x = 10; x <= w - 5; x += 10) {
        Mouse(slider, WM_MOUSEMOVE, x, 10, MK_LBUTTON);
        const std::string now = EditText();
        EXPECT_NE(now, previous) << "x " << x;
        EXPECT_FLOAT_EQ(spin->value, SliderValueFromX(x, w, 5.0f, 100.0f));
        previous = now;
    }
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN), 0u);
    Mouse(slider, WM_LBUTTONUP, w - 5, 10, 0);
    Pump(dialog);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN, 0), 1u);
    EXPECT_FLOAT_EQ(spin->value, 100.0f);
    EXPECT_EQ(GetFocus(), spin->editWindow);
    DWORD start = 1, end = 0;
    SendMessageA(spin->editWindow, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(EditText().size()));
}

TEST_F(SpinEditWindow, SliderMoveWithAModifierKeyChangesNothing) {
    Mouse(spin->sliderWindow, WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
    const float pressed = spin->Slider()->value;
    Mouse(spin->sliderWindow, WM_MOUSEMOVE, 40, 10, MK_LBUTTON | MK_SHIFT);
    EXPECT_FLOAT_EQ(spin->Slider()->value, pressed);
    Mouse(spin->sliderWindow, WM_LBUTTONUP, 20, 10, 0);
}

TEST_F(SpinEditWindow, IntegerModeTakesWholeNumbersFromTheSlider) {
    spin->integerMode = 1;
    Mouse(spin->sliderWindow, WM_LBUTTONDOWN, 9, 10, MK_LBUTTON);
    Mouse(spin->sliderWindow, WM_MOUSEMOVE, 9, 10, MK_LBUTTON);
    EXPECT_FLOAT_EQ(spin->value, static_cast<float>(static_cast<int>(spin->value)));
    EXPECT_EQ(EditText().find('.'), std::string::npos);
    Mouse(spin->sliderWindow, WM_LBUTTONUP, 9, 10, 0);
}

TEST_F(SpinEditWindow, UpArrowStepsFromTwelveFiftyToThirteen) {
    PressArrow(/*up=*/true);
    EXPECT_FLOAT_EQ(spin->value, 13.0f);
    EXPECT_EQ(EditText(), "13.00");
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN, 0), 1u);
    PressArrow(/*up=*/false);
    EXPECT_EQ(EditText(), "12.00");
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN, 0), 2u);
}

TEST_F(SpinEditWindow, WithoutNotifyEachStepTheArrowNotifiesOnlyWhenReleased) {
    spin->notifyEachStep = 0;
    PressArrow(/*up=*/true, /*release=*/false);
    EXPECT_EQ(EditText(), "13.00");
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN), 0u);
    RECT client{};
    GetClientRect(spin->upDownWindow, &client);
    Mouse(spin->upDownWindow, WM_LBUTTONUP, client.right / 2, client.bottom / 4, 0);
    Pump(dialog);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN, 0), 1u);
    EXPECT_FLOAT_EQ(spin->value, 13.0f);
}

TEST_F(SpinEditWindow, DisablingDisablesTheEditAndTheArrowsButNotTheSlider) {
    EnableWindow(spin->hwnd, FALSE);
    EXPECT_FALSE(IsWindowEnabled(spin->editWindow));
    EXPECT_FALSE(IsWindowEnabled(spin->upDownWindow));
    EXPECT_TRUE(IsWindowEnabled(spin->sliderWindow));
    EnableWindow(spin->hwnd, TRUE);
    EXPECT_TRUE(IsWindowEnabled(spin->editWindow));
}

TEST_F(SpinEditWindow, FocusOnTheControlGoesToItsEditBoxWithTheTextSelected) {
    SetFocus(spin->hwnd);
    EXPECT_EQ(GetFocus(), spin->editWindow);
}

TEST_F(SpinEditWindow, TooltipIsAttachedToEachOfTheThreeChildren) {
    spin->SetTooltip("Distance between elements");
    int tips = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM count) -> BOOL {
            char name[32] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == TOOLTIPS_CLASSA && SendMessageA(window, TTM_GETTOOLCOUNT, 0, 0) == 1) {
                ++*reinterpret_cast<int*>(count);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tips));
    EXPECT_EQ(tips, 3);
}

TEST_F(SpinEditWindow, SliderDrawsTrackAndThumbWhereTheValueIs) {
    spin->SetRange(0.0f, 100.0f);
    spin->SetValue(50.0f);
    const Pixels p = Capture(spin->sliderWindow);
    SaveScreenshot(p, "slider.png");
    const SliderShape s = ComputeSliderShape(50.0f, p.width, p.height, 0.0f, 100.0f);
    // The thumb's body just below its apex is grey; a column well away from it is background there.
    EXPECT_NE(p.At(s.thumbX, s.thumbBaseY - 1), Rgb(232, 232, 232));
    EXPECT_EQ(p.At(s.thumbX + 10, s.thumbBaseY - 1), Rgb(232, 232, 232));
    // Inside the track: the grey brush.
    EXPECT_EQ(p.At(s.trackLeft + 3, (s.trackTop + s.trackBottom) / 2), Rgb(128, 128, 128));
    EXPECT_EQ(p.At(2, 2), Rgb(232, 232, 232));
    SaveScreenshot(Capture(spin->hwnd), "spin-edit.png");
}
