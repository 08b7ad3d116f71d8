// params/SettingValues.h: reading and writing a setting's field through its table row, and the
// conversions between the record's units and the units the dialog and engrave show.
#pragma once

#include "params/Setting.h"

namespace params {

// The record's value in record units: booleans 0 or 1, choices their index.
double StoredValue(const Setting& setting, const FilterParameters& params);

// Stores a value given in record units: booleans become 0 or 1, choices their index (the low
// byte), reals single precision.
void Store(const Setting& setting, double storedValue, FilterParameters& params);

// A record value in shown units (degrees for the phase), rounded to a millionth so that
// 1000 x 0.18 is exactly the 180 the dialog shows.
double Shown(const Setting& setting, double storedValue);

// A shown value back in record units, by the one single-precision multiplication the dialog
// makes, so a value typed anywhere is stored the same.
float StoredFromShown(const Setting& setting, double shownValue);

}  // namespace params
