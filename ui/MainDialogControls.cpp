#include "ui/MainDialogControls.h"

#include "controls/Rotor.h"
#include "controls/SharedResources.h"
#include "controls/SpinEdit.h"
#include "controls/Tooltip.h"
#include "resources/MainDialogIds.h"
#include "ui/SpinBindings.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace ui {
namespace {

constexpr const char* kSchemaNames[] = {"Initial color", "Split color", "Black and white"};
constexpr const char* kPatternNames[] = {"Lines",         "Waves 1",       "Waves 2",       "Rings",
                                         "Rings waves 1", "Rings waves 2", "Rings waves 3", "Rings waves 4",
                                         "Spiral",        "Spiral waves 1", "Spiral waves 2", "Spiral waves 3",
                                         "Spiral waves 4"};

struct CheckBoxText {
    int id;
    const char* tooltip;
};
constexpr CheckBoxText kCheckBoxTips[] = {
    {IDC_AUTO_UPDATE, "Automatically update preview window when any parameter is changed"},
    {IDC_NOT_BREAK, "Lines will have no breaks"},
    {IDC_INVERT, "Invert finally pattern"},
    {IDC_FILL_ALPHA, "Set alpha channel as opaque or transparent"},
    {IDC_SOLID_INK, "Draw without antialiasing for screen printing i.e."},
    {IDC_CHECKER, "Show preview as checkboard or solid"},
    {IDC_USE_DOTS, "Use big elements for pattern"},
};

controls::SpinEdit* Spin(HWND dialog, int id) {
    return controls::FindControl<controls::SpinEdit>(GetDlgItem(dialog, id));
}
controls::Rotor* RotorOf(HWND dialog) {
    return controls::FindControl<controls::Rotor>(GetDlgItem(dialog, IDC_ROTOR));
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}
void Check(HWND dialog, int id, bool on) {
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

void FillList(HWND box, const char* const* names, int count) {
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(controls::FontEditSmall()), 0);
    if (SendMessageA(box, CB_GETCOUNT, 0, 0) > 0) return;
    for (int i = 0; i < count; ++i) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i]));
}

void Enable(HWND dialog, int id, bool on) {
    EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

}  // namespace

void ConfigureNumericControls(HWND dialog) {
    const SpinBinding* bindings = SpinBindings();
    for (int i = 0; i < kSpinBindingCount; ++i) {
        controls::SpinEdit* spin = Spin(dialog, bindings[i].controlId);
        if (spin == nullptr) continue;
        spin->integerMode = 0;
        spin->SetTooltip(bindings[i].tooltip);
        std::snprintf(spin->name, sizeof spin->name, "%s", bindings[i].name);
        SendMessageA(spin->editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(controls::FontEditSmall()), TRUE);
        spin->SetRange(bindings[i].minimum, bindings[i].maximum);
    }
    if (controls::Rotor* rotor = RotorOf(dialog)) {
        std::snprintf(rotor->name, sizeof rotor->name, "%s", "Angle");
        controls::AttachTooltip(rotor->hwnd, "Angle for pattern direction");
        rotor->displayMode = controls::Rotor::kAngleDial;
        rotor->inset = 5;
        rotor->CreateEdit(50);
        SendMessageA(rotor->editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(controls::FontEditSmall()), TRUE);
    }
}

void ShowNumericValues(HWND dialog, const FilterParameters& params) {
    const SpinBinding* bindings = SpinBindings();
    for (int i = 0; i < kSpinBindingCount; ++i)
        if (controls::SpinEdit* spin = Spin(dialog, bindings[i].controlId))
            spin->SetValue(params.*(bindings[i].field) * bindings[i].shownPerUnit);
    if (controls::Rotor* rotor = RotorOf(dialog)) rotor->SetAngle(params.rotation);
}

void ReadNumericControls(HWND dialog, FilterParameters& params) {
    const SpinBinding* bindings = SpinBindings();
    for (int i = 0; i < kSpinBindingCount; ++i) {
        const controls::SpinEdit* spin = Spin(dialog, bindings[i].controlId);
        if (spin == nullptr) continue;
        float& field = params.*(bindings[i].field);
        if (spin->value == field * bindings[i].shownPerUnit) continue;
        field = bindings[i].unitsPerShown == 1.0f ? spin->value : spin->value * bindings[i].unitsPerShown;
    }
    if (const controls::Rotor* rotor = RotorOf(dialog)) params.rotation = rotor->angle;
}

void ConfigureLists(HWND dialog, const FilterParameters& params) {
    HWND schema = GetDlgItem(dialog, IDC_COLOR_SCHEMA);
    controls::AttachTooltip(schema, "Color Schema");
    FillList(schema, kSchemaNames, 3);
    HWND pattern = GetDlgItem(dialog, IDC_PATTERN);
    controls::AttachTooltip(pattern, "Geometry elements for merovane pattern");
    FillList(pattern, kPatternNames, 13);
    SelectListValues(dialog, params);
}

void SelectListValues(HWND dialog, const FilterParameters& params) {
    SendDlgItemMessageA(dialog, IDC_COLOR_SCHEMA, CB_SETCURSEL, params.colorSchema, 0);
    SendDlgItemMessageA(dialog, IDC_PATTERN, CB_SETCURSEL, params.pattern, 0);
}

void ShowCheckBoxes(HWND dialog, const FilterParameters& params) {
    Check(dialog, IDC_AUTO_UPDATE, params.autoUpdate != 0);
    Check(dialog, IDC_NOT_BREAK, params.notBreak != 0);
    Check(dialog, IDC_INVERT, params.invertIntensity != 0);
    Check(dialog, IDC_FILL_ALPHA, params.fillAlpha != 0);
    Check(dialog, IDC_SOLID_INK, params.solidInk != 0);
    Check(dialog, IDC_CHECKER, params.checkerBackground != 0);
    Check(dialog, IDC_USE_DOTS, params.useCircles != 0);
}

void ReadCheckBoxes(HWND dialog, FilterParameters& params) {
    const bool invert = Checked(dialog, IDC_INVERT);
    params.invertIntensity = invert ? 1 : 0;
    params.invert = invert ? 0 : 1;
    params.fillAlpha = Checked(dialog, IDC_FILL_ALPHA) ? 1 : 0;
    params.solidInk = Checked(dialog, IDC_SOLID_INK) ? 1 : 0;
    params.checkerBackground = Checked(dialog, IDC_CHECKER) ? 1 : 0;
    params.notBreak = Checked(dialog, IDC_NOT_BREAK) ? 1 : 0;
    params.useCircles = Checked(dialog, IDC_USE_DOTS) ? 1 : 0;
    params.autoUpdate = Checked(dialog, IDC_AUTO_UPDATE) ? 1 : 0;
}

void AttachCheckBoxTooltips(HWND dialog) {
    for (const CheckBoxText& box : kCheckBoxTips) controls::AttachTooltip(GetDlgItem(dialog, box.id), box.tooltip);
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
