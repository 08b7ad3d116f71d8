#include "DialogDriver.h"

#include "WinTestSupport.h"

#include <commctrl.h>

namespace dialogtest {
namespace {

BOOL CALLBACK FindMain(HWND window, LPARAM found) {
    char title[32] = {};
    GetWindowTextA(window, title, sizeof title);
    if (lstrcmpA(title, "Merovane II") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND SpinChild(HWND dialog, int spinId, int childId) {
    return GetDlgItem(GetDlgItem(dialog, spinId), childId);
}

}  // namespace

HWND MainDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMain, reinterpret_cast<LPARAM>(&found));
    return found;
}

namespace {

std::vector<std::function<void()>> gPending;
HHOOK gActivationHook = nullptr;

// The modal loop runs before the dialog shows; steps start once it is active, so that focus
// and painting behave as they do for a user.
LRESULT CALLBACK OnActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && gActivationHook != nullptr) {
        char title[32] = {};
        GetWindowTextA(reinterpret_cast<HWND>(wParam), title, sizeof title);
        if (lstrcmpA(title, "Merovane II") == 0) {
            UnhookWindowsHookEx(gActivationHook);
            gActivationHook = nullptr;
            wintest::RunDuringModalLoop(std::move(gPending));
            gPending.clear();
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void Script(std::vector<std::function<void(HWND)>> steps) {
    std::vector<std::function<void()>> run;
    // The first tick can come while the dialog is still being shown.
    run.push_back([] {});
    for (auto& step : steps)
        run.push_back([step] {
            if (HWND dialog = MainDialog())
                step(dialog);
            else
                ADD_FAILURE() << "a step found no dialog open";
        });
    run.push_back([] {
        if (HWND dialog = MainDialog()) {
            ADD_FAILURE() << "the script left the dialog open";
            SetFocus(GetDlgItem(dialog, IDCANCEL));
            SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        }
    });
    gPending = std::move(run);
    if (gActivationHook == nullptr)
        gActivationHook = SetWindowsHookExA(WH_CBT, OnActivation, nullptr, GetCurrentThreadId());
}

void EndScript() {
    if (gActivationHook != nullptr) UnhookWindowsHookEx(gActivationHook);
    gActivationHook = nullptr;
    gPending.clear();
    wintest::ClearModalScript();
}

HWND Item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}
HWND SpinEditBox(HWND dialog, int id) {
    return SpinChild(dialog, id, 1);
}
HWND SpinUpDown(HWND dialog, int id) {
    return SpinChild(dialog, id, 2);
}
HWND SpinSlider(HWND dialog, int id) {
    return SpinChild(dialog, id, 3);
}

std::string Text(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void Key(HWND dialog, UINT virtualKey) {
    wintest::PressKey(dialog, virtualKey);
}

void TypeAndEnter(HWND dialog, int spinId, const std::string& text) {
    HWND edit = SpinEditBox(dialog, spinId);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 1);
    Key(dialog, VK_RETURN);
}

void ClickArrow(HWND dialog, int spinId, bool up) {
    HWND arrows = SpinUpDown(dialog, spinId);
    RECT r{};
    GetClientRect(arrows, &r);
    const int y = up ? r.bottom / 4 : r.bottom * 3 / 4;
    wintest::Click(arrows, r.right / 2, y);
}

void ClickSlider(HWND dialog, int spinId, double fraction) {
    HWND slider = SpinSlider(dialog, spinId);
    RECT r{};
    GetClientRect(slider, &r);
    wintest::Click(slider, static_cast<int>(r.right * fraction), r.bottom / 2);
}

void TurnRotorQuarter(HWND dialog) {
    HWND rotor = Item(dialog, 1061);
    RECT r{};
    GetClientRect(rotor, &r);
    const int cx = r.right / 2, cy = r.bottom / 2, radius = std::min(cx, cy) - 2;
    wintest::Mouse(rotor, WM_LBUTTONDOWN, cx, cy - radius, MK_LBUTTON);
    wintest::Mouse(rotor, WM_MOUSEMOVE, cx + radius / 2, cy - radius / 2, MK_LBUTTON);
    wintest::Mouse(rotor, WM_MOUSEMOVE, cx + radius, cy, MK_LBUTTON);
    wintest::Mouse(rotor, WM_LBUTTONUP, cx + radius, cy, 0);
}

void Pick(HWND dialog, int comboId, int index) {
    HWND box = Item(dialog, comboId);
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELENDOK), reinterpret_cast<LPARAM>(box));
}

void Press(HWND dialog, int buttonId) {
    SendMessageA(Item(dialog, buttonId), BM_CLICK, 0, 0);
}

void Drag(HWND window, int dx, int dy) {
    RECT r{};
    GetClientRect(window, &r);
    const int x = r.right / 2, y = r.bottom / 2;
    wintest::Mouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    wintest::Mouse(window, WM_MOUSEMOVE, x + dx / 2, y + dy / 2, MK_LBUTTON);
    wintest::Mouse(window, WM_MOUSEMOVE, x + dx, y + dy, MK_LBUTTON);
    wintest::Mouse(window, WM_LBUTTONUP, x + dx, y + dy, 0);
}

}  // namespace dialogtest
