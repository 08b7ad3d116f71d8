// Where the dialog tests put and look for things. A dialog is laid out in dialog units, which
// come from its font's metrics, and those differ with the fonts a machine has: tests place and
// probe controls through their real rectangles and the dialog's own units, never at fixed pixel
// positions, and read pixels only from a window that is painted whole on screen.
#pragma once

#include <windows.h>

#include <string>

namespace wintest {

// `window`'s outer rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

// A rectangle in `dialog`'s units (its template's), in the dialog's client pixels.
RECT DialogUnitsToPixels(HWND dialog, int left, int top, int width, int height);

// Gives `window` this size in pixels (a bitmap's, say) and leaves its top-left corner where it is.
void Resize(HWND window, int width, int height);

// Empty when every pixel of `window`'s client area is its own on screen; otherwise what keeps
// which part from showing: the window hidden, an ancestor's edge, the screen's edge, or a
// sibling window over it.
std::string WhatHides(HWND window);

// A short name for messages: the class, the control id when there is one, and the rectangle.
std::string Describe(HWND window);

}  // namespace wintest
