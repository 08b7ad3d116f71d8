// ui/PresetFileTypes.h: declares the preset file types and their icon to the shell.
#pragma once

#include <string>

namespace ui {

// Under HKEY_CLASSES_ROOT: ".kzu" and ".kzv" name their classes, and each class's DefaultIcon is
// the module's first icon. Without the rights to write there, nothing happens; each type is
// tried on its own.
void RegisterPresetFileTypes(const std::string& modulePath);

}  // namespace ui
