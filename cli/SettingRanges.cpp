#include "cli/SettingRanges.h"

#include "cli/SettingChange.h"
#include "params/SettingTable.h"
#include "params/SettingValues.h"

#include <cmath>
#include <cstdio>

namespace cli {

bool CheckSettingRanges(const FilterParameters& params, std::string& error) {
    for (const params::Setting& s : params::kSettings) {
        // Only what a preset file carries; flags pass whatever they hold.
        if (s.key == nullptr || s.presetLine == 0) continue;
        if (s.kind == params::FieldKind::kFlag32 || s.kind == params::FieldKind::kFlag8) continue;
        const double value = params::StoredValue(s, params);
        const bool inRange = std::isfinite(value) && (!s.limited || (value >= s.minStored && value <= s.maxStored));
        if (inRange) continue;
        char shown[32];
        std::snprintf(shown, sizeof shown, "%g", value);
        // A file holds numbers, so a choice's names are no use here.
        const std::string range = s.kind == params::FieldKind::kChoice
                                      ? "0 to " + std::to_string(static_cast<int>(s.maxStored))
                                      : DescribeRange(s, /*inOptionUnits=*/false);
        // Preset files spell each key backwards ("capS" for Spac); name both spellings.
        const std::string key = s.key;
        const std::string written(key.rbegin(), key.rend());
        error = key + " (" + s.label + ", line \"" + written + "\") " + shown + " is out of range; it takes " + range;
        return false;
    }
    return true;
}

}  // namespace cli
