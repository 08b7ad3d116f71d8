// emulator/SettingsAction.h: a recorded action holding a whole set of settings, as the dialog
// records them; replaying it is how batch work reaches the plug-in in the image editor.
#pragma once

#include "emulator/DescriptorProcs.h"
#include "params/FilterParameters.h"

#include <vector>

namespace emulator {

// Every key an action records, with the type the plug-in's descriptor reader asks for.
std::vector<DescriptorItem> ActionFor(const FilterParameters& settings);

}  // namespace emulator
