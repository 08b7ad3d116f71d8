// Balloon tooltips for control windows.
#pragma once

#include <windows.h>

namespace controls {

constexpr int kTooltipMaxWidthPx = 100;

// Attaches a balloon tip with `text` (and an optional `title`, shown with the information
// icon) to `window`, covering its client rectangle as it is now. Does nothing when the
// window or the text is null or the tooltip cannot be created. The tooltip window is
// owned by `window` and goes with it. Returns the tooltip window, or null.
HWND AttachTooltip(HWND window, const char* text, const char* title = nullptr) noexcept;

}  // namespace controls
