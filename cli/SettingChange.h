// cli/SettingChange.h: a setting given on the command line, checked against the dialog's range.
#pragma once

#include "params/SettingTable.h"

#include <string>
#include <vector>

namespace cli {

using params::Setting;

struct SettingChange {
    const Setting* setting = nullptr;
    float storedValue = 0.0f;  // in the record's units, already checked
};

// The value of --<option>: a number in the option's unit (degrees for the phase), a pattern or
// schema name or index, or for a flag "1"/"0" and their spellings. False with a message that
// names the accepted range when the text is no number or the number lies outside the range.
bool ParseOptionValue(const Setting& setting, const std::string& text, SettingChange& change, std::string& error);

// "KEY=VALUE" of --set, the value in the record's units (as actions and presets carry it).
bool ParseKeyAssignment(const std::string& text, SettingChange& change, std::string& error);

// "5 to 100", "-180 to 180 degrees", "0 or 1", "0 to 12 or a name", "any angle in degrees".
std::string DescribeRange(const Setting& setting, bool inOptionUnits);

// Index of a pattern or schema given by one of the row's names (any case; '-' or '_' may stand
// for blanks) or by number; -1 when it names none.
int FindChoice(const Setting& setting, const std::string& text);

void ApplyChanges(const std::vector<SettingChange>& changes, FilterParameters& params);

}  // namespace cli
