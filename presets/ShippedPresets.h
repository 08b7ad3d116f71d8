// presets/ShippedPresets.h: the presets installed with the plug-in, as settings over the defaults.
#pragma once

#include "params/FilterParameters.h"

#include <string>
#include <vector>

struct ShippedPreset {
    std::string name;  // the file name without ".kzv", as the dialog's list shows it
    FilterParameters settings;
};

// Every shipped preset, in the order the help shows them. Names are valid Windows file names.
const std::vector<ShippedPreset>& ShippedPresets();

// Writes each shipped preset as `folder`/<name>.kzv with PresetWriter, byte for byte what the
// dialog's Save writes. False with a message naming the file when one cannot be written.
bool WriteShippedPresets(const std::string& folder, std::string& error);
