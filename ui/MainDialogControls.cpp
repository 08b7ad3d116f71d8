#include "ui/MainDialogControls.h"

#include "controls/Rotor.h"
#include "controls/SharedResources.h"
#include "controls/SpinEdit.h"
#include "controls/Tooltip.h"
#include "params/SettingTable.h"
#include "params/SettingValues.h"
#include "resources/MainDialogIds.h"

#include <cstdio>
#include <initializer_list>

namespace ui {
namespace {

using params::ControlKind;
using params::Setting;

controls::SpinEdit* Spin(HWND dialog, int id) {
    return controls::FindControl<controls::SpinEdit>(GetDlgItem(dialog, id));
}
controls::Rotor* RotorOf(HWND dialog, int id) {
    return controls::FindControl<controls::Rotor>(GetDlgItem(dialog, id));
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void FillList(HWND box, const Setting& row) {
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(controls::FontEditSmall()), 0);
    if (SendMessageA(box, CB_GETCOUNT, 0, 0) > 0) return;
    for (size_t i = 0; i < row.choiceCount; ++i)
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.choices[i]));
}

void Enable(HWND dialog, int id, bool on) {
    EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

float ShownValue(const Setting& row, const FilterParameters& params) {
    return static_cast<float>(params::Shown(row, params::StoredValue(row, params)));
}

}  // namespace

void ConfigureNumericControls(HWND dialog) {
    for (const Setting& row : params::kSettings) {
        if (row.control == ControlKind::kSpinEdit) {
            controls::SpinEdit* spin = Spin(dialog, row.controlId);
            if (spin == nullptr) continue;
            spin->integerMode = 0;
            spin->SetTooltip(row.tooltip);
            std::snprintf(spin->name, sizeof spin->name, "%s", row.setValueName);
            SendMessageA(spin->editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(controls::FontEditSmall()), TRUE);
            spin->SetRange(static_cast<float>(params::Shown(row, row.minStored)),
                           static_cast<float>(params::Shown(row, row.maxStored)));
        } else if (row.control == ControlKind::kRotor) {
            controls::Rotor* rotor = RotorOf(dialog, row.controlId);
            if (rotor == nullptr) continue;
            std::snprintf(rotor->name, sizeof rotor->name, "%s", row.setValueName);
            controls::AttachTooltip(rotor->hwnd, row.tooltip);
            rotor->displayMode = controls::Rotor::kAngleDial;
            rotor->inset = 5;
            rotor->CreateEdit(50);
            SendMessageA(rotor->editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(controls::FontEditSmall()), TRUE);
        }
    }
}

void ShowNumericValues(HWND dialog, const FilterParameters& params) {
    for (const Setting& row : params::kSettings) {
        if (row.control == ControlKind::kSpinEdit) {
            if (controls::SpinEdit* spin = Spin(dialog, row.controlId)) spin->SetValue(ShownValue(row, params));
        } else if (row.control == ControlKind::kRotor) {
            if (controls::Rotor* rotor = RotorOf(dialog, row.controlId)) rotor->SetAngle(ShownValue(row, params));
        }
    }
}

void ReadNumericControls(HWND dialog, FilterParameters& params) {
    for (const Setting& row : params::kSettings) {
        float shown = 0.0f;
        if (row.control == ControlKind::kSpinEdit) {
            const controls::SpinEdit* spin = Spin(dialog, row.controlId);
            if (spin == nullptr) continue;
            shown = spin->value;
        } else if (row.control == ControlKind::kRotor) {
            const controls::Rotor* rotor = RotorOf(dialog, row.controlId);
            if (rotor == nullptr) continue;
            shown = rotor->angle;
        } else {
            continue;
        }
        if (shown == ShownValue(row, params)) continue;
        params::Store(row, params::StoredFromShown(row, shown), params);
    }
}

void ConfigureLists(HWND dialog, const FilterParameters& params) {
    for (const Setting& row : params::kSettings) {
        if (row.control != ControlKind::kList) continue;
        HWND box = GetDlgItem(dialog, row.controlId);
        controls::AttachTooltip(box, row.tooltip);
        FillList(box, row);
    }
    SelectListValues(dialog, params);
}

void SelectListValues(HWND dialog, const FilterParameters& params) {
    for (const Setting& row : params::kSettings)
        if (row.control == ControlKind::kList)
            SendDlgItemMessageA(dialog, row.controlId, CB_SETCURSEL,
                                static_cast<WPARAM>(params::StoredValue(row, params)), 0);
}

void ShowCheckBoxes(HWND dialog, const FilterParameters& params) {
    for (const Setting& row : params::kSettings)
        if (row.control == ControlKind::kCheckBox)
            CheckDlgButton(dialog, row.controlId, params::StoredValue(row, params) != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void ReadCheckBoxes(HWND dialog, FilterParameters& params) {
    for (const Setting& row : params::kSettings) {
        if (row.control != ControlKind::kCheckBox) continue;
        const bool on = Checked(dialog, row.controlId);
        params::Store(row, on ? 1.0 : 0.0, params);
        // "Invert" also sets the field that means the opposite.
        if (row.complementKey == nullptr) continue;
        if (const Setting* other = params::FindByKey(row.complementKey)) params::Store(*other, on ? 0.0 : 1.0, params);
    }
}

void AttachCheckBoxTooltips(HWND dialog) {
    for (const Setting& row : params::kSettings)
        if (row.control == ControlKind::kCheckBox)
            controls::AttachTooltip(GetDlgItem(dialog, row.controlId), row.tooltip);
}

void UpdatePatternControls(HWND dialog, int pattern) {
    const bool centred = pattern >= 3;
    const bool waves = pattern != 0 && pattern != 3 && pattern != 8;
    for (int id : {IDC_CENTER_X, IDC_CENTER_Y, IDC_CENTER_X_LABEL, IDC_CENTER_Y_LABEL}) Enable(dialog, id, centred);
    for (int id : {IDC_AMPLITUDE, IDC_PHASE, IDC_FREQUENCY, IDC_AMPLITUDE_LABEL, IDC_PHASE_LABEL, IDC_FREQUENCY_LABEL})
        Enable(dialog, id, waves);
}

bool ImageHasAlpha(int planes, bool cmyk) {
    const int count = planes & 0xFF;
    return cmyk ? count > 4 : count > 3;
}

void ApplyAlphaEnabling(HWND dialog, const FilterParameters& params, bool hasAlpha, HBITMAP enabledImage,
                        HBITMAP disabledImage) {
    Enable(dialog, IDC_FILL_ALPHA, hasAlpha);
    const bool toggleOn = hasAlpha && params.fillAlpha == 0;
    HWND toggle = GetDlgItem(dialog, IDC_CHECKER);
    EnableWindow(toggle, toggleOn ? TRUE : FALSE);
    SendMessageA(toggle, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(toggleOn ? enabledImage : disabledImage));
    RedrawWindow(toggle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

}  // namespace ui
