// Owner-drawn push buttons of the dialogs: hover tracking by subclassing, and the painter that
// draws them with the shared three-piece skin and a caption chosen by control id.
#pragma once

#include <windows.h>

namespace controls {

// Replaces the button's window procedure with one that tracks whether the pointer is over
// it; the previous procedure is kept per window and restored when the button is destroyed.
// Returns false when the button is null or already subclassed.
bool SubclassForHover(HWND button) noexcept;

// Whether the pointer is over a subclassed button (false for any other window).
bool IsButtonHot(HWND button) noexcept;

// Paints an owner-drawn button from its dialog's WM_DRAWITEM: skin by state (disabled,
// pressed, hot, default, normal), caption in grey when disabled, black otherwise.
void DrawSkinnedButton(const DRAWITEMSTRUCT& item) noexcept;

}  // namespace controls
