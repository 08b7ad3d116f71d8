#include "presets/LastUsedSettings.h"

void LastUsedSettings::NoteParameterChange(FilterParameters& params) {
    if (params.loadedFromPreset != 0) {
        params.loadedFromPreset = 0;
        return;
    }
    snapshot = params;
}

void LastUsedSettings::Restore(FilterParameters& params) const {
    params = snapshot;
    params.loadedFromPreset = 0;
}

void LoadDefaultSettings(FilterParameters& params) {
    ResetParameters(params);
    MarkLoadedFromPreset(params);
}
