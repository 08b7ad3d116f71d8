// ui/MainDialogControls.h: moving values between the parameter record and the main dialog's
// controls, and the rules that enable controls by pattern and by the image's transparency.
#pragma once

#include "params/FilterParameters.h"

#include <windows.h>

namespace ui {

// Ranges, names, tooltips and fonts of the twelve spin edits and the rotor.
void ConfigureNumericControls(HWND dialog);
// Every spin edit and the rotor show the record's values (no notification).
void ShowNumericValues(HWND dialog, const FilterParameters& params);
// The spin edits and the rotor into the record. A field keeps its exact value while its control
// still shows it, so a value that does not survive the round trip through the shown number
// (the phase, stored in 0.18-degree units) is not changed by touching another control.
void ReadNumericControls(HWND dialog, FilterParameters& params);

// The lists' texts (when empty), fonts, tooltips and selections.
void ConfigureLists(HWND dialog, const FilterParameters& params);
void SelectListValues(HWND dialog, const FilterParameters& params);

// Check boxes from the record, and back; "Invert" drives two fields.
void ShowCheckBoxes(HWND dialog, const FilterParameters& params);
void ReadCheckBoxes(HWND dialog, FilterParameters& params);
void AttachCheckBoxTooltips(HWND dialog);

// Centre and wave controls by pattern.
void UpdatePatternControls(HWND dialog, int pattern);

// Whether the document carries an opacity plane (its low byte of planes counts; CMYK has four
// colour planes).
bool ImageHasAlpha(int planes, bool cmyk);
// "Fill alpha" and the checkerboard toggle by transparency, the toggle's picture (115 enabled,
// 116 disabled) redrawn at once.
void ApplyAlphaEnabling(HWND dialog, const FilterParameters& params, bool hasAlpha, HBITMAP enabledImage,
                        HBITMAP disabledImage);

}  // namespace ui
