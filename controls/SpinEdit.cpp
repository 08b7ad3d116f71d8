#include "controls/SpinEdit.h"

#include "controls/MacSlider.h"
#include "controls/NumberConversions.h"
#include "controls/SetValueDialog.h"
#include "controls/SharedResources.h"
#include "controls/Tooltip.h"
#include "controls/ValueRules.h"

#include <commctrl.h>

namespace controls {
namespace {

// The up-down works on 16-bit integer positions.
LPARAM UpDownRange(float minimum, float maximum) noexcept {
    return MAKELPARAM(static_cast<WORD>(UpDownPosition(maximum)), static_cast<WORD>(UpDownPosition(minimum)));
}

}  // namespace

void SpinEdit::OnCreate() noexcept {
    const int w = width;
    const int h = height;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    editWindow = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 0, 0,
                                 w - kUpDownWidthPx, h - kSliderHeightPx, hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), instance, nullptr);
    if (editWindow != nullptr) SendMessageA(editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(FontEditSmall()), 0);
    // No up-down style bits: it must neither rewrite its buddy's text nor take arrow keys.
    upDownWindow = CreateUpDownControl(WS_CHILD | WS_VISIBLE | WS_BORDER, w - kUpDownWidthPx + 1, 0, kUpDownWidthPx,
                                       h - kSliderHeightPx, hwnd, kUpDownId, instance, editWindow,
                                       UpDownPosition(maxValue), UpDownPosition(minValue), UpDownPosition(value));
    sliderWindow = CreateWindowExA(WS_EX_STATICEDGE, kMacSliderClass, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0,
                                   h - kSliderHeightPx, w, kSliderHeightPx, hwnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSliderId)), instance, nullptr);
    if (MacSlider* slider = Slider()) slider->forwardRightClick = true;
}

MacSlider* SpinEdit::Slider() const noexcept {
    return FindControl<MacSlider>(sliderWindow);
}

void SpinEdit::SetRange(float minimum, float maximum) noexcept {
    minValue = minimum;
    maxValue = maximum;
    if (MacSlider* slider = Slider()) {
        slider->minValue = minimum;
        slider->maxValue = maximum;
    }
    SendMessageA(upDownWindow, UDM_SETRANGE, 0, UpDownRange(minimum, maximum));
}

void SpinEdit::SetValue(float v) noexcept {
    value = v;
    SendMessageA(upDownWindow, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(UpDownPosition(v)), 0));
    const ValueText text = FormatValue(v, integerMode != 0);
    SendMessageA(editWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.text));
    if (MacSlider* slider = Slider()) slider->SetValue(v);
}

void SpinEdit::SetTooltip(const char* text) noexcept {
    AttachTooltip(editWindow, text);
    AttachTooltip(upDownWindow, text);
    AttachTooltip(sliderWindow, text);
}

void SpinEdit::CommitTypedText(LPARAM editHandle) noexcept {
    char text[32] = {};
    GetWindowTextA(editWindow, text, sizeof text);
    const float previous = value;
    SetValue(ClampToRange(ParseTypedValue(text), minValue, maxValue));
    // Anything finer than the two decimals shown is no change worth a re-render.
    if (DiffersAtHundredths(previous, value)) NotifyParent(kNotifyValueChanged, editHandle);
}

void SpinEdit::OnSliderScroll(WPARAM wParam) noexcept {
    if (MacSlider* slider = Slider()) {
        if (slider->value != value) {
            float v = slider->value;
            if (integerMode != 0) v = static_cast<float>(TruncToInt32(v));
            SetValue(v);
        }
    }
    if (LOWORD(wParam) == SB_ENDSCROLL) NotifyParent(kNotifyValueChanged, 0);
    FocusAndSelectAll(editWindow);
}

void SpinEdit::OnUpDownScroll(WPARAM wParam) noexcept {
    const float position = static_cast<float>(static_cast<int16_t>(HIWORD(wParam)));
    switch (LOWORD(wParam)) {
        case SB_THUMBPOSITION:
            SetValue(position);
            if (notifyEachStep != 0) NotifyParent(kNotifyValueChanged, 0);
            break;
        case SB_ENDSCROLL:
            if (notifyEachStep == 0) {
                SetValue(position);
                NotifyParent(kNotifyValueChanged, 0);
            }
            break;
        default:
            break;
    }
}

LRESULT SpinEdit::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kEditId) {
                const WORD code = HIWORD(wParam);
                if (code == kRestoreEditText) {
                    SetValue(value);
                } else if (code == EN_KILLFOCUS || code == EN_MAXTEXT) {
                    CommitTypedText(lParam);
                }
            } else if (LOWORD(wParam) == kSliderId) {
                NotifyParent(kNotifyValueChanged, lParam);
            }
            return 0;
        case WM_HSCROLL:
            OnSliderScroll(wParam);
            return 0;
        case WM_VSCROLL:
            OnUpDownScroll(wParam);
            return 0;
        case WM_SETFOCUS:
            FocusAndSelectAll(editWindow);
            return 0;
        case WM_ENABLE:
            EnableWindow(editWindow, static_cast<BOOL>(wParam));
            EnableWindow(upDownWindow, static_cast<BOOL>(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(BackgroundBrush());
        case WM_RBUTTONDOWN:
            RunSetValueDialog(*this);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace controls
