// ui/SpinBindings.h: which field of the parameter record each numeric control of the main dialog
// edits, with its range, the factor between the field and the number shown, and its texts.
#pragma once

#include "params/FilterParameters.h"

namespace ui {

struct SpinBinding {
    int controlId;
    float FilterParameters::*field;
    float minimum, maximum;  // of the number shown
    float shownPerUnit;      // shown = field x shownPerUnit
    float unitsPerShown;     // field = shown x unitsPerShown (single precision, as stored files expect)
    const char* name;        // title of the control's "Set value" dialog
    const char* tooltip;
};

// The twelve spin edits in the order the dialog configures them.
const SpinBinding* SpinBindings();
constexpr int kSpinBindingCount = 12;

// The binding of `controlId`, or null.
const SpinBinding* FindSpinBinding(int controlId);

}  // namespace ui
