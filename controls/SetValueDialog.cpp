#include "controls/SetValueDialog.h"

#include "controls/ControlFramework.h"
#include "controls/NumberConversions.h"
#include "controls/Rotor.h"
#include "controls/SharedResources.h"
#include "controls/SpinEdit.h"
#include "controls/ValueRules.h"
#include "resources/ControlIds.h"

#include <cstdio>

namespace controls {
namespace {

constexpr int kMaxTypedChars = 63;

// What the dialog edits, kept for as long as it is open (in the dialog's DWLP_USER).
struct Session {
    SpinEdit* spin = nullptr;
    Rotor* rotor = nullptr;
    bool integerMode = false;
    float pendingValue = 0.0f;
    float pendingMin = 0.0f;
    float pendingMax = 0.0f;
};

Session* SessionOf(HWND dialog) noexcept {
    return reinterpret_cast<Session*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

float ReadNumber(HWND dialog, int itemId) noexcept {
    char text[kMaxTypedChars + 1] = {};
    GetDlgItemTextA(dialog, itemId, text, sizeof text);
    return ParseTypedValue(text);
}

void WriteNumber(HWND dialog, int itemId, float v, bool integerMode) noexcept {
    SetDlgItemTextA(dialog, itemId, FormatValue(v, integerMode).text);
}

float WholeIfInteger(float v, bool integerMode) noexcept {
    return integerMode ? static_cast<float>(TruncToInt32(v)) : v;
}

void InitForSpinEdit(HWND dialog, Session& s) noexcept {
    const SpinEdit& spin = *s.spin;
    s.integerMode = spin.integerMode != 0;
    s.pendingValue = spin.value;
    s.pendingMin = spin.minValue;
    s.pendingMax = spin.maxValue;
    char name[sizeof spin.name + 1] = {};
    for (size_t i = 0; i < sizeof spin.name && spin.name[i] != '\0'; ++i) name[i] = spin.name[i];
    SetDlgItemTextA(dialog, IDC_SET_VALUE_NAME, name);
    SetDlgItemTextA(dialog, IDC_SET_VALUE_TYPE, s.integerMode ? "Integer slider" : "Float slider");
    WriteNumber(dialog, IDC_SET_VALUE_CURRENT1, spin.value, s.integerMode);
    WriteNumber(dialog, IDC_SET_VALUE_NEW1, spin.value, s.integerMode);
    SetDlgItemTextA(dialog, IDC_SET_VALUE_CURRENT2, "Not used");
    EnableWindow(GetDlgItem(dialog, IDC_SET_VALUE_NEW2), FALSE);
    char range[160] = {};
    if (s.integerMode) {
        std::snprintf(range, sizeof range, "%d ... %d", static_cast<int>(TruncToInt32(spin.recommendedMin)),
                      static_cast<int>(TruncToInt32(spin.recommendedMax)));
    } else {
        std::snprintf(range, sizeof range, "%0.2f ... %0.2f", static_cast<double>(spin.recommendedMin),
                      static_cast<double>(spin.recommendedMax));
    }
    SetDlgItemTextA(dialog, IDC_SET_VALUE_RANGE, range);
    WriteNumber(dialog, IDC_SET_VALUE_NEW_MIN, spin.minValue, s.integerMode);
    WriteNumber(dialog, IDC_SET_VALUE_NEW_MAX, spin.maxValue, s.integerMode);
}

void InitForRotor(HWND dialog, Session& s) noexcept {
    const Rotor& rotor = *s.rotor;
    s.pendingValue = rotor.angle;
    char name[sizeof rotor.name + 1] = {};
    for (size_t i = 0; i < sizeof rotor.name && rotor.name[i] != '\0'; ++i) name[i] = rotor.name[i];
    SetDlgItemTextA(dialog, IDC_SET_VALUE_NAME, name);
    SetDlgItemTextA(dialog, IDC_SET_VALUE_TYPE, "Float angle");
    WriteNumber(dialog, IDC_SET_VALUE_CURRENT1, rotor.angle, false);
    WriteNumber(dialog, IDC_SET_VALUE_NEW1, rotor.angle, false);
    SetDlgItemTextA(dialog, IDC_SET_VALUE_CURRENT2, "Not used");
    EnableWindow(GetDlgItem(dialog, IDC_SET_VALUE_NEW2), FALSE);
    SetDlgItemTextA(dialog, IDC_SET_VALUE_RANGE, "Not limit");
    EnableWindow(GetDlgItem(dialog, IDC_SET_VALUE_NEW_MIN), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_SET_VALUE_NEW_MAX), FALSE);
}

// The value box keeps its number inside the pending range; 0 and cut-off fractions are
// written back so the box always shows what will be used.
void CommitValueBox(HWND dialog, Session& s) noexcept {
    const float typed = ReadNumber(dialog, IDC_SET_VALUE_NEW1);
    if (s.rotor != nullptr) {
        s.pendingValue = typed;
        return;
    }
    float v = typed;
    bool rewrite = false;
    if (v < s.pendingMin) {
        v = s.pendingMin;
        rewrite = true;
    } else if (v > s.pendingMax) {
        v = s.pendingMax;
        rewrite = true;
    }
    const float whole = WholeIfInteger(v, s.integerMode);
    if (whole != v || v == 0.0f) rewrite = true;
    v = whole;
    if (rewrite) WriteNumber(dialog, IDC_SET_VALUE_NEW1, v, s.integerMode);
    s.pendingValue = v;
}

// A bound that would leave an empty or reversed range is refused with a beep.
void CommitBoundBox(HWND dialog, Session& s, bool isMinimum) noexcept {
    const int item = isMinimum ? IDC_SET_VALUE_NEW_MIN : IDC_SET_VALUE_NEW_MAX;
    float& bound = isMinimum ? s.pendingMin : s.pendingMax;
    const float typed = ReadNumber(dialog, item);
    const bool isAcceptable = isMinimum ? typed < s.pendingMax : typed > s.pendingMin;
    if (!isAcceptable) {
        MessageBeep(0xFFFFFFFF);
        WriteNumber(dialog, item, bound, s.integerMode);
        return;
    }
    const float whole = WholeIfInteger(typed, s.integerMode);
    if (whole != typed || typed == 0.0f) WriteNumber(dialog, item, whole, s.integerMode);
    bound = whole;
}

void RestoreBox(HWND dialog, const Session& s, int item) noexcept {
    switch (item) {
        case IDC_SET_VALUE_NEW1:
            WriteNumber(dialog, item, s.pendingValue, s.integerMode);
            break;
        case IDC_SET_VALUE_NEW_MIN:
            WriteNumber(dialog, item, s.pendingMin, s.integerMode);
            break;
        case IDC_SET_VALUE_NEW_MAX:
            WriteNumber(dialog, item, s.pendingMax, s.integerMode);
            break;
        default:
            break;
    }
}

void Accept(HWND dialog, Session& s) noexcept {
    if (s.spin != nullptr) {
        SpinEdit& spin = *s.spin;
        spin.SetValue(ReadNumber(dialog, IDC_SET_VALUE_NEW1));
        const float minimum = WholeIfInteger(ReadNumber(dialog, IDC_SET_VALUE_NEW_MIN), s.integerMode);
        const float maximum = WholeIfInteger(ReadNumber(dialog, IDC_SET_VALUE_NEW_MAX), s.integerMode);
        spin.SetRange(minimum, maximum);
        spin.SetValue(spin.value);
        spin.RedrawNow();
        spin.PostToParent(kNotifyValueChanged, 0);
    } else if (s.rotor != nullptr) {
        s.rotor->SetAngle(ReadNumber(dialog, IDC_SET_VALUE_NEW1));
        s.rotor->RedrawNow();
        s.rotor->PostToParent(kNotifyValueChanged, 0);
    }
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK SetValueProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        auto* s = reinterpret_cast<Session*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        if (s->spin != nullptr) InitForSpinEdit(dialog, *s);
        if (s->rotor != nullptr) InitForRotor(dialog, *s);
        return TRUE;
    }
    Session* s = SessionOf(dialog);
    if (s == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND: {
            const int item = LOWORD(wParam);
            const WORD code = HIWORD(wParam);
            if (item == IDOK) {
                if (!RouteEditBoxKey(dialog, IDOK)) Accept(dialog, *s);
                return TRUE;
            }
            if (item == IDCANCEL) {
                if (!RouteEditBoxKey(dialog, IDCANCEL)) EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            if (code == kRestoreEditText) {
                RestoreBox(dialog, *s, item);
                return TRUE;
            }
            if (code == EN_KILLFOCUS) {
                if (item == IDC_SET_VALUE_NEW1) CommitValueBox(dialog, *s);
                if (s->spin != nullptr && item == IDC_SET_VALUE_NEW_MIN) CommitBoundBox(dialog, *s, /*isMinimum=*/true);
                if (s->spin != nullptr && item == IDC_SET_VALUE_NEW_MAX)
                    CommitBoundBox(dialog, *s, /*isMinimum=*/false);
                return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE:
            // The close box means Cancel even while the focus sits in a box; routing it like
            // Escape would keep the dialog open against the user's explicit wish.
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR Run(HWND owner, Session& session) noexcept {
    return DialogBoxParamA(ControlsInstance(), MAKEINTRESOURCEA(IDD_SET_VALUE), owner, SetValueProc,
                           reinterpret_cast<LPARAM>(&session));
}

}  // namespace

INT_PTR RunSetValueDialog(SpinEdit& target) noexcept {
    Session session;
    session.spin = &target;
    return Run(target.hwnd, session);
}

INT_PTR RunSetValueDialog(Rotor& target) noexcept {
    Session session;
    session.rotor = &target;
    return Run(target.hwnd, session);
}

}  // namespace controls
