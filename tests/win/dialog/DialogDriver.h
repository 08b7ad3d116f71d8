// tests/win/dialog/DialogDriver.h: drives the plug-in's main dialog from inside its modal loop
// with the window messages a user's actions produce.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace dialogtest {

// The open main dialog of this thread, or null.
HWND MainDialog();

// Once the dialog is shown and active, runs each step after it has handled everything the
// previous one caused; then, if the script did not close it, presses Cancel so that a failing
// test never hangs.
void Script(std::vector<std::function<void(HWND dialog)>> steps);
// Drops what a failed test did not run.
void EndScript();

HWND Item(HWND dialog, int id);
// A spin edit's children: the edit box, the up-down arrows, the slider.
HWND SpinEditBox(HWND dialog, int id);
HWND SpinUpDown(HWND dialog, int id);
HWND SpinSlider(HWND dialog, int id);
std::string Text(HWND window);

// Types `text` into a spin edit's box (focus, select all, characters) and presses Enter.
void TypeAndEnter(HWND dialog, int spinId, const std::string& text);
// Presses a key in the focused window, through the dialog manager.
void Key(HWND dialog, UINT virtualKey);
// Clicks the upper (up) or lower half of a spin edit's arrows.
void ClickArrow(HWND dialog, int spinId, bool up);
// Clicks a spin edit's slider at `fraction` of its width.
void ClickSlider(HWND dialog, int spinId, double fraction);
// Drags the rotor's pointer from twelve o'clock to three o'clock.
void TurnRotorQuarter(HWND dialog);
// Picks entry `index` of a drop-down list as a user does (selection, then the notification).
void Pick(HWND dialog, int comboId, int index);
// A click on a button (check box, OK, Cancel, Update).
void Press(HWND dialog, int buttonId);
// A left-button drag inside a window by (dx, dy) client pixels, starting at its centre.
void Drag(HWND window, int dx, int dy);

}  // namespace dialogtest
