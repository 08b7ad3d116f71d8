// Built while the preset library is not part of the tree: the options answer clearly instead
// of pretending to work.
#include "cli/PresetFiles.h"

namespace cli {

bool LoadPreset(const std::string&, FilterParameters&, std::string& error) {
    error = "this build of engrave reads no presets";
    return false;
}

bool SavePreset(const std::string&, const FilterParameters&, std::string& error) {
    error = "this build of engrave writes no presets";
    return false;
}

}  // namespace cli
