#include "WinTestSupport.h"

#include "ControlsTestIds.h"
#include "DialogLayout.h"
#include "controls/Rotor.h"
#include "controls/RotorGeometry.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

using namespace controls;
using namespace wintest;

namespace {

class RotorWindow : public ControlsDialog {
protected:
    void SetUp() override {
        ControlsDialog::SetUp();
        rotor = FindControl<Rotor>(Item(IDC_TEST_ROTOR));
        ASSERT_NE(rotor, nullptr);
        rotor->CreateEdit(50);
        RECT client{};
        GetClientRect(rotor->hwnd, &client);
        w = client.right;
        h = client.bottom;
        Pump(dialog);
        recorder.commands.clear();
    }

    std::string EditText() const {
        char text[32] = {};
        GetWindowTextA(rotor->editWindow, text, sizeof text);
        return text;
    }

    // A point at `deg` clockwise from the top, `radius` pixels from the centre.
    POINT At(double deg, double radius = 30.0) const {
        const double rad = deg * 3.14159265358979 / 180.0;
        return {(w >> 1) + static_cast<int>(std::lround(radius * std::sin(rad))),
                (h >> 1) - static_cast<int>(std::lround(radius * std::cos(rad)))};
    }

    void DragThrough(double fromDeg, double toDeg, int steps) {
        for (int i = 0; i <= steps; ++i) {
            const POINT p = At(fromDeg + (toDeg - fromDeg) * i / steps);
            Mouse(rotor->hwnd, WM_MOUSEMOVE, p.x, p.y, MK_LBUTTON);
        }
    }

    void TypeAndLeave(const char* text) {
        SetFocus(rotor->editWindow);
        SetWindowTextA(rotor->editWindow, text);
        SetFocus(Item(IDC_TEST_PLAIN_BUTTON));
        Pump(dialog);
    }

    Rotor* rotor = nullptr;
    int w = 0;
    int h = 0;
};

}  // namespace

TEST_F(RotorWindow, ClicksAboveRightBelowAndLeftGiveTheFourCardinalAngles) {
    const std::pair<double, const char*> cases[] = {{0, "0.00"}, {90, "90.00"}, {180, "180.00"}, {270, "270.00"}};
    for (const auto& [deg, text] : cases) {
        const POINT p = At(deg);
        Click(rotor->hwnd, p.x, p.y);
        EXPECT_EQ(EditText(), text);
    }
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_ROTOR, 9), 4u);
    EXPECT_EQ(recorder.commands.size(), 4u);
}

TEST_F(RotorWindow, DraggingClockwisePastTheTopKeepsCountingAndBackReturns) {
    const POINT start = At(0);
    Mouse(rotor->hwnd, WM_LBUTTONDOWN, start.x, start.y, MK_LBUTTON);
    DragThrough(0, 350, 70);
    EXPECT_NEAR(rotor->angle, 350.0f, 3.0f);
    DragThrough(350, 380, 6);
    EXPECT_NEAR(rotor->angle, 380.0f, 3.0f);
    EXPECT_FLOAT_EQ(rotor->turns, 1.0f);
    EXPECT_EQ(recorder.commands.size(), 0u) << "no notification while dragging";
    EXPECT_EQ(GetFocus(), rotor->editWindow);
    EXPECT_EQ(std::atof(EditText().c_str()), std::round(rotor->angle * 100.0) / 100.0);
    DragThrough(380, 350, 6);
    EXPECT_NEAR(rotor->angle, 350.0f, 3.0f);
    EXPECT_FLOAT_EQ(rotor->turns, 0.0f);
    const POINT end = At(350);
    Mouse(rotor->hwnd, WM_LBUTTONUP, end.x, end.y, 0);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_ROTOR, 9), 1u);
}

TEST_F(RotorWindow, AJumpAcrossTheDialCountsNoTurn) {
    const POINT from = At(280);
    const POINT to = At(100);
    Mouse(rotor->hwnd, WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
    Mouse(rotor->hwnd, WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
    Mouse(rotor->hwnd, WM_LBUTTONUP, to.x, to.y, 0);
    EXPECT_FLOAT_EQ(rotor->turns, 0.0f);
    EXPECT_NEAR(rotor->angle, 100.0f, 2.0f);
}

TEST_F(RotorWindow, TypedAngleNotifiesOnceAndAHundredthLessChangeNotAtAll) {
    TypeAndLeave("45");
    EXPECT_FLOAT_EQ(rotor->angle, 45.0f);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_ROTOR, 0), 1u);
    TypeAndLeave("45.001");
    EXPECT_EQ(EditText(), "45.00");
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_ROTOR, 0), 1u);
    TypeAndLeave("not an angle");
    EXPECT_FLOAT_EQ(rotor->angle, 0.0f);
    EXPECT_EQ(recorder.CountFrom(IDC_TEST_ROTOR, 0), 2u);
}

TEST_F(RotorWindow, EscapeInTheEditBoxRestoresTheAngle) {
    rotor->SetAngle(30.0f);
    SetFocus(rotor->editWindow);
    SetWindowTextA(rotor->editWindow, "99");
    PressKey(dialog, VK_ESCAPE);
    EXPECT_EQ(EditText(), "30.00");
    EXPECT_EQ(recorder.closedWith, 0);
}

TEST_F(RotorWindow, SetAngleLeavesTheTurnsForTheNextPress) {
    const POINT start = At(0);
    Mouse(rotor->hwnd, WM_LBUTTONDOWN, start.x, start.y, MK_LBUTTON);
    DragThrough(0, 370, 74);
    Mouse(rotor->hwnd, WM_LBUTTONUP, start.x, start.y, 0);
    ASSERT_FLOAT_EQ(rotor->turns, 1.0f);
    rotor->SetAngle(12.0f);
    EXPECT_EQ(EditText(), "12.00");
    EXPECT_FLOAT_EQ(rotor->turns, 1.0f);
    const POINT right = At(90);
    Click(rotor->hwnd, right.x, right.y);
    EXPECT_FLOAT_EQ(rotor->angle, 450.0f);
}

TEST_F(RotorWindow, MarkerIsDrawnWhereTheAngleSays) {
    rotor->SetAngle(45.0f);
    const Pixels p = Capture(rotor->hwnd);
    const PointPx marker = RotorMarker(45.0f, p.width, p.height);
    EXPECT_GT(marker.x, w / 2);
    EXPECT_LT(marker.y, h / 2);
    EXPECT_EQ(p.At(marker.x + 3, marker.y), Rgb(0, 0, 0));  // arm of the cross
    EXPECT_EQ(p.At(marker.x, marker.y - 3), Rgb(0, 0, 0));
    const PointPx opposite = RotorMarker(225.0f, p.width, p.height);
    EXPECT_NE(p.At(opposite.x + 3, opposite.y), Rgb(0, 0, 0));
}

TEST_F(RotorWindow, RingOnScreenIsExactlyThePlottedEllipse) {
    rotor->SetAngle(180.0f);
    const Pixels p = Capture(rotor->hwnd);
    SaveScreenshot(p, "rotor.png");
    std::map<std::pair<int, int>, int> expected;  // later plots overwrite earlier ones, as on screen
    PlotEllipseMirrored(p.width / 2, p.height / 2, RotorRadius(p.width, p.height), RotorRadius(p.width, p.height), 255,
                        true, [&](int x, int y, int v) {
                            expected[{x, y}] = v;
                        });
    const PointPx marker = RotorMarker(180.0f, p.width, p.height);
    // The edit box is a child window over the dial: in a small dial it may cover part of the ring.
    const RECT edit = RectInParent(rotor->editWindow);
    int compared = 0;
    for (const auto& [point, v] : expected) {
        const auto [x, y] = point;
        if (x < 0 || y < 0 || x >= p.width || y >= p.height) continue;
        if (std::abs(x - marker.x) <= 7 && std::abs(y - marker.y) <= 7) continue;
        if (PtInRect(&edit, POINT{x, y})) continue;
        const int grey = BlendChannel(232, 0, v);
        EXPECT_EQ(p.At(x, y), Rgb(grey, grey, grey)) << x << "," << y;
        ++compared;
    }
    EXPECT_GT(compared, 100);
}

TEST_F(RotorWindow, DisablingTheDialDisablesItsEditBox) {
    EnableWindow(rotor->hwnd, FALSE);
    EXPECT_FALSE(IsWindowEnabled(rotor->editWindow));
    EnableWindow(rotor->hwnd, TRUE);
    EXPECT_TRUE(IsWindowEnabled(rotor->editWindow));
}
