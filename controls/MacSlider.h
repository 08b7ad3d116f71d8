// "Mac Slider CPP": the horizontal value bar under each spin edit. Tells its parent every
// move with WM_HSCROLL(0, 0) and the release with WM_HSCROLL then WM_COMMAND(id, 0).
#pragma once

#include "controls/ControlFramework.h"

namespace controls {

class MacSlider : public ControlObject {
public:
    static constexpr const char* kClassName = kMacSliderClass;
    const char* ClassName() const noexcept override { return kClassName; }
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept override;

    // Stores `v` (not clamped) and repaints at once.
    void SetValue(float v) noexcept;

    float value = 0.0f;
    float minValue = 0.0f;
    float maxValue = 100.0f;
    bool forwardRightClick = false;  // pass right clicks to the parent as WM_RBUTTONDOWN

private:
    void TakeValueFromPointer(LPARAM lParam) noexcept;
    void Paint() noexcept;
};

}  // namespace controls
