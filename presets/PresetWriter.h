// presets/PresetWriter.h: writes the parameter record as a text preset.
#pragma once

#include "params/FilterParameters.h"

#include <ostream>
#include <string>

// The whole text of a preset for `params`: the header line and twenty lines
// "<key> <value> \t\t\t\t;<comment> \n", bare line feeds, the same bytes under every locale.
std::string FormatPresetText(const FilterParameters& params);

// Writes FormatPresetText(params) to `out`, which the caller opened in binary mode and closes.
// Returns false when the stream did not take every byte (a full disk, a closed file).
bool PresetWriter(std::ostream& out, const FilterParameters& params);
