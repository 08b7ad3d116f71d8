// Drawing resources every control shares for one dialog run: three fonts, the background
// colour and brush, and the twelve-piece push-button skin. Owned by whoever launches a
// dialog, never by a control.
#pragma once

#include "controls/ButtonSkinGeometry.h"

#include <windows.h>

namespace controls {

constexpr COLORREF kBackgroundColor = RGB(232, 232, 232);
constexpr BYTE kBackgroundRed = 232, kBackgroundGreen = 232, kBackgroundBlue = 232;

// Creates the fonts, the background brush and loads the skin bitmaps from `instance`.
// Counted: a nested launcher (the about box opened from the main dialog) shares the
// resources of the outer one instead of replacing them under its controls' feet.
// Returns false when a font or the brush could not be made (missing skin bitmaps are not
// fatal: SkinBitmap then answers null and buttons draw without their skin).
bool AcquireSharedResources(HINSTANCE instance) noexcept;
// Drops one reference; the last one deletes everything Acquire made.
void ReleaseSharedResources() noexcept;

// Valid between Acquire and the matching Release; null otherwise.
HFONT FontEditSmall() noexcept;  // Arial 12 bold: edit boxes and combo boxes
HFONT FontButton() noexcept;     // Arial 14 bold: captions of skinned push buttons
HFONT FontLight() noexcept;      // Arial 15 thin: about box texts
HBRUSH BackgroundBrush() noexcept;
// Skin piece by resource id 123..134; null for other ids or when it failed to load.
HBITMAP SkinBitmap(int resourceId) noexcept;
// The module whose resources the controls load (dialog template, bitmaps).
HINSTANCE ControlsInstance() noexcept;

}  // namespace controls
