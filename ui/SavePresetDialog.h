// ui/SavePresetDialog.h: "Save Parameters Preset", which asks for a preset's name.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// Shows the dialog owned by `owner` with `name` in its field. True when the user pressed Save
// (or Enter) with a name; `name` then holds the whole typed text, however long.
bool AskPresetName(HWND owner, std::string& name);

}  // namespace ui
