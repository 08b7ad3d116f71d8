#include "WinTestSupport.h"

#include "ControlIds.h"
#include "ControlsTestIds.h"
#include "controls/Rotor.h"
#include "controls/SetValueDialog.h"
#include "controls/SpinEdit.h"

#include <cstring>
#include <string>

using namespace controls;
using namespace wintest;

namespace {

std::string ItemText(HWND dialog, int id) {
    char text[80] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Types into a box of the open dialog and moves the focus on, which commits the box.
void TypeAndLeave(HWND dialog, int id, const char* text) {
    SetFocus(GetDlgItem(dialog, id));
    SetDlgItemTextA(dialog, id, text);
    SetFocus(GetDlgItem(dialog, IDCANCEL));
}

void PostKeyToFocus(UINT key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// Ends whatever is still open so that a failed step cannot leave the test blocked.
void CloseIfStillOpen() {
    if (HWND d = FindSetValueDialog()) EndDialog(d, 99);
}

class SetValueDialogWindow : public ControlsDialog {
protected:
    void SetUp() override {
        ControlsDialog::SetUp();
        spin = FindControl<SpinEdit>(Item(IDC_TEST_SPIN));
        ASSERT_NE(spin, nullptr);
        std::strcpy(spin->name, "Space");
        spin->SetRange(5.0f, 100.0f);
        spin->SetValue(12.5f);
        Pump(dialog);
        recorder.commands.clear();
    }

    SpinEdit* spin = nullptr;
};

}  // namespace

TEST_F(SetValueDialogWindow, RightClickOnTheSpinEditShowsItsState) {
    std::string name, current1, current2, type, range, value, minimum, maximum;
    bool isSecondValueEnabled = true;
    RunDuringModalLoop({[&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            name = ItemText(d, IDC_SET_VALUE_NAME);
                            current1 = ItemText(d, IDC_SET_VALUE_CURRENT1);
                            current2 = ItemText(d, IDC_SET_VALUE_CURRENT2);
                            type = ItemText(d, IDC_SET_VALUE_TYPE);
                            range = ItemText(d, IDC_SET_VALUE_RANGE);
                            value = ItemText(d, IDC_SET_VALUE_NEW1);
                            minimum = ItemText(d, IDC_SET_VALUE_NEW_MIN);
                            maximum = ItemText(d, IDC_SET_VALUE_NEW_MAX);
                            isSecondValueEnabled = IsWindowEnabled(GetDlgItem(d, IDC_SET_VALUE_NEW2)) != FALSE;
                            ShowWindow(d, SW_SHOW);
                        },
                        [&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            SaveScreenshot(Capture(d), "set-value.png");
                            EndDialog(d, IDCANCEL);
                        },
                        CloseIfStillOpen});
    Mouse(spin->hwnd, WM_RBUTTONDOWN, 3, 3);
    EXPECT_EQ(name, "Space");
    EXPECT_EQ(current1, "12.50");
    EXPECT_EQ(current2, "Not used");
    EXPECT_EQ(type, "Float slider");
    EXPECT_EQ(range, "0.00 ... 100.00");
    EXPECT_EQ(value, "12.50");
    EXPECT_EQ(minimum, "5.00");
    EXPECT_EQ(maximum, "100.00");
    EXPECT_FALSE(isSecondValueEnabled);
}

TEST_F(SetValueDialogWindow, RightClickOnTheSliderOpensTheSameDialog) {
    bool opened = false;
    RunDuringModalLoop({[&] {
                            opened = FindSetValueDialog() != nullptr;
                            CloseIfStillOpen();
                        },
                        CloseIfStillOpen});
    Mouse(spin->sliderWindow, WM_RBUTTONDOWN, 10, 10);
    EXPECT_TRUE(opened);
}

TEST_F(SetValueDialogWindow, OkTakesTheNewValueAndRangeAndPostsOneNotification) {
    RunDuringModalLoop({[&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            TypeAndLeave(d, IDC_SET_VALUE_NEW_MIN, "10");
                            TypeAndLeave(d, IDC_SET_VALUE_NEW_MAX, "50");
                            TypeAndLeave(d, IDC_SET_VALUE_NEW1, "42");
                            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                        },
                        CloseIfStillOpen});
    EXPECT_EQ(RunSetValueDialog(*spin), IDOK);
    EXPECT_FLOAT_EQ(spin->value, 42.0f);
    EXPECT_FLOAT_EQ(spin->minValue, 10.0f);
    EXPECT_FLOAT_EQ(spin->maxValue, 50.0f);
    char text[32] = {};
    GetWindowTextA(spin->editWindow, text, sizeof text);
    EXPECT_STREQ(text, "42.00");
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN), 0u) << "the notification is posted, not sent";
    Pump(dialog);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_SPIN, 0), 1u);
}

TEST_F(SetValueDialogWindow, MinimumNotBelowTheMaximumBeepsAndIsRestored) {
    spin->SetRange(0.0f, 5.0f);
    std::string minimum, maximum;
    RunDuringModalLoop({[&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            TypeAndLeave(d, IDC_SET_VALUE_NEW_MIN, "10");
                            minimum = ItemText(d, IDC_SET_VALUE_NEW_MIN);
                            TypeAndLeave(d, IDC_SET_VALUE_NEW_MAX, "-3");
                            maximum = ItemText(d, IDC_SET_VALUE_NEW_MAX);
                            EndDialog(d, IDCANCEL);
                        },
                        CloseIfStillOpen});
    EXPECT_EQ(RunSetValueDialog(*spin), IDCANCEL);
    EXPECT_EQ(minimum, "0.00");
    EXPECT_EQ(maximum, "5.00");
}

TEST_F(SetValueDialogWindow, ValueBoxKeepsItsNumberInsideThePendingRange) {
    std::string high, noNumber, inside;
    RunDuringModalLoop({[&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            TypeAndLeave(d, IDC_SET_VALUE_NEW1, "500");
                            high = ItemText(d, IDC_SET_VALUE_NEW1);
                            TypeAndLeave(d, IDC_SET_VALUE_NEW1, "abc");
                            noNumber = ItemText(d, IDC_SET_VALUE_NEW1);
                            TypeAndLeave(d, IDC_SET_VALUE_NEW1, "33.3");
                            inside = ItemText(d, IDC_SET_VALUE_NEW1);
                            EndDialog(d, IDCANCEL);
                        },
                        CloseIfStillOpen});
    RunSetValueDialog(*spin);
    EXPECT_EQ(high, "100.00");
    EXPECT_EQ(noNumber, "5.00");
    EXPECT_EQ(inside, "33.3");
    EXPECT_FLOAT_EQ(spin->value, 12.5f) << "cancel changes nothing";
}

TEST_F(SetValueDialogWindow, EscapeInABoxRestoresItAndEscapeOnAButtonCloses) {
    std::string restored;
    bool stayedOpen = false;
    RunDuringModalLoop({[&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            SetFocus(GetDlgItem(d, IDC_SET_VALUE_NEW1));
                            SetDlgItemTextA(d, IDC_SET_VALUE_NEW1, "77");
                            PostKeyToFocus(VK_ESCAPE);
                        },
                        [&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            stayedOpen = true;
                            restored = ItemText(d, IDC_SET_VALUE_NEW1);
                            SetFocus(GetDlgItem(d, IDOK));
                            PostKeyToFocus(VK_ESCAPE);
                        },
                        CloseIfStillOpen});
    EXPECT_EQ(RunSetValueDialog(*spin), IDCANCEL);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(restored, "12.50");
    EXPECT_FLOAT_EQ(spin->value, 12.5f);
}

TEST_F(SetValueDialogWindow, EnterInABoxCommitsItAndKeepsTheDialogOpen) {
    std::string committed;
    bool stayedOpen = false;
    RunDuringModalLoop({[&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            SetFocus(GetDlgItem(d, IDC_SET_VALUE_NEW1));
                            SetDlgItemTextA(d, IDC_SET_VALUE_NEW1, "500");
                            PostKeyToFocus(VK_RETURN);
                        },
                        [&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            stayedOpen = true;
                            committed = ItemText(d, IDC_SET_VALUE_NEW1);
                            EndDialog(d, IDCANCEL);
                        },
                        CloseIfStillOpen});
    RunSetValueDialog(*spin);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(committed, "100.00");
}

TEST_F(SetValueDialogWindow, CloseBoxCancelsEvenWithTheFocusInABox) {
    RunDuringModalLoop({[&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            SetFocus(GetDlgItem(d, IDC_SET_VALUE_NEW1));
                            PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
                        },
                        CloseIfStillOpen});
    EXPECT_EQ(RunSetValueDialog(*spin), IDCANCEL);
}

TEST_F(SetValueDialogWindow, IntegerModeShowsWholeNumbersAndCutsFractions) {
    spin->integerMode = 1;
    spin->SetValue(12.0f);
    std::string type, range, value;
    RunDuringModalLoop({[&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            type = ItemText(d, IDC_SET_VALUE_TYPE);
                            range = ItemText(d, IDC_SET_VALUE_RANGE);
                            TypeAndLeave(d, IDC_SET_VALUE_NEW1, "12.7");
                            value = ItemText(d, IDC_SET_VALUE_NEW1);
                            TypeAndLeave(d, IDC_SET_VALUE_NEW_MAX, "60.9");
                            SetFocus(GetDlgItem(d, IDOK));
                            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                        },
                        CloseIfStillOpen});
    EXPECT_EQ(RunSetValueDialog(*spin), IDOK);
    EXPECT_EQ(type, "Integer slider");
    EXPECT_EQ(range, "0 ... 100");
    EXPECT_EQ(value, "12");
    EXPECT_FLOAT_EQ(spin->value, 12.0f);
    EXPECT_FLOAT_EQ(spin->maxValue, 60.0f);
}

TEST_F(SetValueDialogWindow, RotorVersionEditsOnlyTheAngle) {
    Rotor* rotor = FindControl<Rotor>(Item(IDC_TEST_ROTOR));
    ASSERT_NE(rotor, nullptr);
    std::strcpy(rotor->name, "Angle");
    rotor->SetAngle(30.0f);
    std::string name, type, range, current;
    bool minEnabled = true, maxEnabled = true;
    RunDuringModalLoop({[&] {
                            HWND d = FindSetValueDialog();
                            ASSERT_NE(d, nullptr);
                            name = ItemText(d, IDC_SET_VALUE_NAME);
                            type = ItemText(d, IDC_SET_VALUE_TYPE);
                            range = ItemText(d, IDC_SET_VALUE_RANGE);
                            current = ItemText(d, IDC_SET_VALUE_CURRENT1);
                            minEnabled = IsWindowEnabled(GetDlgItem(d, IDC_SET_VALUE_NEW_MIN)) != FALSE;
                            maxEnabled = IsWindowEnabled(GetDlgItem(d, IDC_SET_VALUE_NEW_MAX)) != FALSE;
                            TypeAndLeave(d, IDC_SET_VALUE_NEW1, "725.5");
                            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                        },
                        CloseIfStillOpen});
    Mouse(rotor->hwnd, WM_RBUTTONDOWN, 3, 3);
    EXPECT_EQ(name, "Angle");
    EXPECT_EQ(type, "Float angle");
    EXPECT_EQ(range, "Not limit");
    EXPECT_EQ(current, "30.00");
    EXPECT_FALSE(minEnabled);
    EXPECT_FALSE(maxEnabled);
    EXPECT_FLOAT_EQ(rotor->angle, 725.5f);
    Pump(dialog);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_ROTOR, 0), 1u);
}
