// cli/SettingTable.h: every setting engrave can change: its option, the dialog's label, the
// four-character key actions and presets use, and the range the dialog allows.
#pragma once

#include "host/FilterParameters.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace cli {

enum class SettingKind {
    kReal,    // float field
    kChoice,  // 8-bit index with names (pattern, colour schema)
    kFlag32,  // 32-bit boolean field
    kFlag8,   // 8-bit boolean field
};

struct Setting {
    const char* key;     // four-character descriptor key, e.g. "Spac"
    const char* option;  // command-line option without "--"; nullptr when only --set reaches it
    const char* label;   // what the dialog shows beside the control
    const char* meaning;
    SettingKind kind;
    float FilterParameters::*real;
    int32_t FilterParameters::*flag32;
    uint8_t FilterParameters::*byte;  // kChoice and kFlag8
    bool limited;                     // false: any finite value (the rotation dial turns freely)
    double minStored;                 // the dialog's range, in the record's own units
    double maxStored;
    double shownPerStored;  // the option's unit per record unit (0.18 for the phase, shown in degrees)
};

constexpr size_t kSettingCount = 21;
extern const Setting kSettings[kSettingCount];

const Setting* FindSettingByKey(const std::string& key);
const Setting* FindSettingByOption(const std::string& option);

constexpr size_t kPatternCount = 13;
extern const char* const kPatternNames[kPatternCount];
constexpr size_t kSchemaCount = 3;
extern const char* const kSchemaNames[kSchemaCount];

// Index of a pattern or schema given by name (any case; '-' or '_' may stand for blanks) or
// by number; -1 when it names none.
int FindChoice(const Setting& setting, const std::string& text);

// The record's value as a double in record units (booleans 0 or 1, choices their index).
double StoredValue(const Setting& setting, const FilterParameters& params);
void Store(const Setting& setting, double storedValue, FilterParameters& params);

}  // namespace cli
