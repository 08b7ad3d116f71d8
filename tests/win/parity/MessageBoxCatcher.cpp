#include "tests/win/parity/MessageBoxCatcher.h"

#include <windows.h>

namespace {

// The hook procedure has no context argument; one catcher at a time records here.
std::vector<std::string>* gCaught = nullptr;

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK FindMessageText(HWND child, LPARAM context) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    auto* text = reinterpret_cast<std::string*>(context);
    // The icon is a static too, but without text; the message is the longest static text.
    if (lstrcmpiA(className, "Static") == 0) {
        const std::string candidate = WindowText(child);
        if (candidate.size() > text->size()) *text = candidate;
    }
    return TRUE;
}

// Clicks the button a user would use to get rid of the box: Cancel where there is one (it never
// confirms anything), else OK, else No.
void Dismiss(HWND box) {
    for (int id : {IDCANCEL, IDOK, IDNO}) {
        if (HWND button = GetDlgItem(box, id)) {
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            return;
        }
    }
    PostMessageA(box, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK OnWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
    // A dialog box is activated once it has built its controls and set their text.
    if (code == HCBT_ACTIVATE && gCaught != nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0 && WindowText(window) == "Merovane II") {
            // The filter's own dialog, opened for hosts without scripting: accept its settings
            // as they are, which is what the run without a dialog uses too.
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        } else if (lstrcmpA(className, "#32770") == 0) {
            std::string text;
            EnumChildWindows(window, FindMessageText, reinterpret_cast<LPARAM>(&text));
            gCaught->push_back(WindowText(window) + ": " + text);
            Dismiss(window);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher() {
    gCaught = &caught;
    hook = SetWindowsHookExA(WH_CBT, OnWindowEvent, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher() {
    if (hook != nullptr) UnhookWindowsHookEx(static_cast<HHOOK>(hook));
    gCaught = nullptr;
}

std::vector<std::string> MessageBoxCatcher::Drain() {
    std::vector<std::string> out;
    out.swap(caught);
    return out;
}
