// The modal "Set value" dialog (template 15092): an exact value for a spin edit, with a new
// range, or an exact angle for the rotor.
#pragma once

#include <windows.h>

namespace controls {

class SpinEdit;
class Rotor;

// Opens the dialog over the control and blocks until it closes. On OK the control takes the
// new value (and range), repaints, and its parent gets WM_COMMAND(id, 0) posted.
// Returns 1 for OK, 2 for Cancel, -1 when the dialog could not be created.
INT_PTR RunSetValueDialog(SpinEdit& target) noexcept;
INT_PTR RunSetValueDialog(Rotor& target) noexcept;

}  // namespace controls
