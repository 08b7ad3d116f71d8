// cli/SettingRanges.h: a whole record checked against the ranges the options are held to, for
// settings that arrive from a file rather than from the command line.
#pragma once

#include "params/FilterParameters.h"

#include <string>

namespace cli {

// False with a message naming the first key outside its range, and the range ("Spac (Space,
// line "capS") -1000 is out of range; it takes 5 to 100"). Flags pass whatever they hold (any
// non-zero number is on).
bool CheckSettingRanges(const FilterParameters& params, std::string& error);

}  // namespace cli
