// cli/PresetFiles.h: preset files (.kzv) for --preset and --save-preset.
#pragma once

#include "params/FilterParameters.h"

#include <string>

namespace cli {

// Overwrites the fields the preset carries, as the dialog's preset list loads them. False with
// a message when the file cannot be opened or is no preset.
bool LoadPreset(const std::string& path, FilterParameters& params, std::string& error);

// Writes the preset whole or not at all. False with a message on failure.
bool SavePreset(const std::string& path, const FilterParameters& params, std::string& error);

}  // namespace cli
