// ui/PresetGroup.h: the preset group's start with an explicit module path, for the dialogs'
// tests, which run from a test program rather than from the plug-in's own file.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// StartPresetGroup with `modulePath` standing for the plug-in module's path.
void StartPresetGroupFor(HWND dialog, const std::string& modulePath);

// The preset folder of the running group (no trailing separator; empty when unknown).
const std::string& PresetGroupFolder();

}  // namespace ui
