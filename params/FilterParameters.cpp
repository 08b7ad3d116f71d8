#include "params/FilterParameters.h"

#include "params/SettingTable.h"
#include "params/SettingValues.h"

void ResetParameters(FilterParameters& p) {
    for (const params::Setting& setting : params::kSettings) params::Store(setting, setting.defaultValue, p);
    // Not settings, but the dialog's place and bookkeeping start afresh with them.
    p.previewX = 0;
    p.previewY = 0;
    p.loadedFromPreset = 0;
}

FilterParameters DefaultParameters() {
    FilterParameters p{};
    ResetParameters(p);
    return p;
}
