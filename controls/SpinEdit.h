// "Spin Edit CPP": a numeric parameter control made of an edit box, an up-down control and
// a slider kept in step. Reports committed changes to its parent with WM_COMMAND(id, 0);
// a right click opens the "Set value" dialog.
#pragma once

#include "controls/ControlFramework.h"

namespace controls {

class MacSlider;

class SpinEdit : public ControlObject {
public:
    static constexpr const char* kClassName = kSpinEditClass;
    static constexpr int kEditId = 1;
    static constexpr int kUpDownId = 2;
    static constexpr int kSliderId = 3;
    static constexpr int kSliderHeightPx = 20;
    static constexpr int kUpDownWidthPx = 20;

    const char* ClassName() const noexcept override { return kClassName; }
    void OnCreate() noexcept override;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept override;

    // Bounds for the slider and (truncated to 16-bit integers) the up-down. The value is
    // not re-clamped.
    void SetRange(float minimum, float maximum) noexcept;
    // Shows `v` in all three children without clamping and without notifying the parent.
    void SetValue(float v) noexcept;
    // The same balloon tip on the edit box, the up-down and the slider.
    void SetTooltip(const char* text) noexcept;
    // The slider child's object, or null once it is gone.
    MacSlider* Slider() const noexcept;

    char name[64] = {};       // shown by "Set value"
    uint8_t integerMode = 0;  // non-zero: whole numbers, shown without decimals
    HWND editWindow = nullptr;
    HWND upDownWindow = nullptr;
    HWND sliderWindow = nullptr;
    float value = 0.0f;
    float minValue = 0.0f;
    float maxValue = 100.0f;
    float recommendedMax = 100.0f;
    float recommendedMin = 0.0f;
    uint8_t notifyEachStep = 1;  // 0: the arrows notify once, when released

private:
    void CommitTypedText(LPARAM editHandle) noexcept;
    void OnSliderScroll(WPARAM wParam) noexcept;
    void OnUpDownScroll(WPARAM wParam) noexcept;
};

}  // namespace controls
