#include "emulator/SettingsAction.h"

#include "params/SettingTable.h"
#include "params/SettingValues.h"

namespace emulator {

std::vector<DescriptorItem> ActionFor(const FilterParameters& settings) {
    std::vector<DescriptorItem> action;
    for (const params::Setting& s : params::kSettings) {
        if (s.key == nullptr) continue;
        DescriptorItem item;
        item.key = params::FourCharCode(s.key);
        switch (s.scriptType) {
            case params::ScriptType::kUnitFloat:
                item.type = host::kTypeUnitFloat;
                item.unit = host::kUnitPercent;
                break;
            case params::ScriptType::kInteger:
                item.type = host::kTypeInteger;
                break;
            case params::ScriptType::kBoolean:
            case params::ScriptType::kNone:
                item.type = host::kTypeBoolean;
                break;
        }
        item.number = params::StoredValue(s, settings);
        action.push_back(item);
    }
    return action;
}

}  // namespace emulator
