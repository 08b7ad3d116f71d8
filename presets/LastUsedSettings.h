// presets/LastUsedSettings.h: what the preset list's "Default" and "Last Used Settings" entries
// do to the parameter record. "Last Used Settings" gives back the settings as they were when
// the dialog opened or after the user's own most recent edit, never those of a preset just
// loaded: loading marks the record (loadedFromPreset), and the next change only clears the mark.
#pragma once

#include "params/FilterParameters.h"

class LastUsedSettings {
public:
    // At dialog start: the record as the host handed it over.
    void Take(const FilterParameters& params) { snapshot = params; }

    // Every parameter change the dialog processes, and its Update button.
    void NoteParameterChange(FilterParameters& params);

    // "Last Used Settings": the whole snapshot over the record, which is then the user's own.
    void Restore(FilterParameters& params) const;

    const FilterParameters& Snapshot() const { return snapshot; }

private:
    FilterParameters snapshot{};
};

// "Default": the defaults into the record, marked as loaded so that the refresh that follows
// does not count as the user's edit.
void LoadDefaultSettings(FilterParameters& params);

// After a preset file was read into the record.
inline void MarkLoadedFromPreset(FilterParameters& params) {
    params.loadedFromPreset = 1;
}
