// "Rotor CPP": the angle dial. Degrees run clockwise from twelve o'clock; dragging around
// the dial accumulates whole turns. Reports a released button with WM_COMMAND(id, 9) and a
// typed change with WM_COMMAND(id, 0).
#pragma once

#include "controls/ControlFramework.h"

namespace controls {

class Rotor : public ControlObject {
public:
    static constexpr const char* kClassName = kRotorClass;
    static constexpr int kEditId = 1;
    static constexpr int kEditHeightPx = 22;
    static constexpr uint8_t kAngleDial = 3;
    static constexpr COLORREF kRingColor = RGB(0, 0, 0);

    const char* ClassName() const noexcept override { return kClassName; }
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept override;

    // Creates the centred edit box, `widthPx` wide and 22 high, with the small edit font.
    // A second call replaces the first box.
    void CreateEdit(int widthPx) noexcept;
    // Stores the angle (turns and direction stay as the mouse left them), repaints at once and
    // refreshes the text. No notification.
    void SetAngle(float angleDeg) noexcept;
    // Writes the angle into the edit box with two decimals, if there is one.
    void RefreshText() noexcept;

    float angle = 0.0f;             // degrees: turns x 360 + rawAngle after a mouse action
    float turns = 0.0f;             // whole turns accumulated by dragging
    float rawAngle = 0.0f;          // direction of the last pointer position, [0, 360)
    float previousRawAngle = 0.0f;  // rawAngle before the last drag step
    char name[64] = {};             // shown by "Set value"
    HWND editWindow = nullptr;
    uint8_t displayMode = kAngleDial;  // the angle dial is the only kind drawn
    int32_t inset = 0;                 // margin for picture-backed dials; unused by the angle dial

private:
    float DirectionAt(LPARAM lParam) const noexcept;
    void CommitTypedText() noexcept;
    void Paint() noexcept;
};

}  // namespace controls
