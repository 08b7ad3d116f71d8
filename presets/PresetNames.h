// presets/PresetNames.h: how a preset's name and its file name in the preset folder relate.
// A preset named N is the file "N.kzv"; only a real ".kzv" ending (dot included, any case)
// counts as the extension, so a name ending in the three letters alone keeps them.
#pragma once

#include <optional>
#include <string>

// The extension of preset files, dot included.
inline constexpr char kPresetExtension[] = ".kzv";

// The list entry for a file found in the preset folder: its name without the ".kzv" ending.
// Nothing for a file that does not really end in ".kzv" (a wildcard search also matches short
// 8.3 aliases of longer extensions) or whose name is the extension alone.
std::optional<std::string> PresetNameFromFileName(const std::string& fileName);

// The preset name for a name the user typed: a typed ".kzv" ending is dropped (unless nothing
// would be left), anything else is kept as typed.
std::string PresetNameFromTypedName(const std::string& typedName);

// The file name of a preset: the name and ".kzv".
std::string PresetFileName(const std::string& presetName);

// The full path of a preset in `folder` (no trailing separator), Windows separators.
std::string PresetFilePath(const std::string& folder, const std::string& presetName);

// Why a typed name cannot be a preset file in the folder, or empty when it can. Separators and
// the characters Windows refuses in file names would write elsewhere or fail; a name is also
// refused when empty or made only of dots and blanks.
std::string PresetNameProblem(const std::string& presetName);

// File names compared as Windows compares them in one folder: ASCII letters without case.
bool SamePresetFileName(const std::string& a, const std::string& b);
