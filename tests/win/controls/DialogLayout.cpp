#include "DialogLayout.h"

#include <cstdio>

namespace wintest {
namespace {

RECT ClientOnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Text(const RECT& r) {
    char text[96];
    std::snprintf(text, sizeof text, "%ld x %ld at (%ld, %ld)", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return text;
}

}  // namespace

RECT RectInParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT DialogUnitsToPixels(HWND dialog, int left, int top, int width, int height) {
    RECT r{left, top, left + width, top + height};
    MapDialogRect(dialog, &r);
    return r;
}

void Resize(HWND window, int width, int height) {
    const RECT r = RectInParent(window);
    MoveWindow(window, r.left, r.top, width, height, TRUE);
}

std::string Describe(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    std::string text = std::string("'") + name + "'";
    if (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) text += " #" + std::to_string(GetDlgCtrlID(window));
    RECT r{};
    GetWindowRect(window, &r);
    return text + " (" + Text(r) + " on screen)";
}

std::string WhatHides(HWND window) {
    const RECT area = ClientOnScreen(window);
    if (IsRectEmpty(&area)) return {};
    const std::string what = "the client area of " + Describe(window) + ", " + Text(area) + ",";
    if (!IsWindowVisible(window)) return what + " is not shown";
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!Contains(screen, area)) return what + " reaches past the screen's edge, " + Text(screen);
    // Each ancestor clips it to its client area, and each window above it or above an ancestor
    // among its siblings paints over it.
    for (HWND child = window; GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD;) {
        HWND parent = GetParent(child);
        if (parent == nullptr) break;
        const RECT parentArea = ClientOnScreen(parent);
        if (!Contains(parentArea, area)) return what + " reaches past the client area of " + Describe(parent);
        for (HWND above = GetWindow(child, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
            RECT cover{};
            GetWindowRect(above, &cover);
            RECT overlap{};
            if (IsWindowVisible(above) && IntersectRect(&overlap, &cover, &area))
                return what + " is partly under " + Describe(above);
        }
        child = parent;
    }
    return {};
}

}  // namespace wintest
