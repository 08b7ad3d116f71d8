// "Control Button CPP": a bitmap button with a normal, a hover and a pressed picture. A click
// is posted to the parent as WM_COMMAND(id, 0) when the left button is released after a
// press on the button, wherever the pointer is by then.
#pragma once

#include "controls/ControlFramework.h"

namespace controls {

class ControlButton : public ControlObject {
public:
    static constexpr const char* kClassName = kControlButtonClass;
    static constexpr uint8_t kIdle = 0;
    static constexpr uint8_t kHot = 1;
    static constexpr uint8_t kPressed = 2;

    const char* ClassName() const noexcept override { return kClassName; }
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    ~ControlButton() override;

    // Loads the bitmaps with these resource ids from the button's own module; 0 leaves a slot
    // as it is. A replaced bitmap is deleted; an id that does not load empties its slot.
    void SetBitmaps(WORD normalId, WORD hoverId, WORD pressedId) noexcept;

    HBITMAP normalBitmap = nullptr;   // owned
    HBITMAP hoverBitmap = nullptr;    // owned
    HBITMAP pressedBitmap = nullptr;  // owned

private:
    void Paint() noexcept;
};

}  // namespace controls
