#include "cli/SettingChange.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace cli {

namespace {

// The record holds single-precision numbers; larger values would become infinities.
constexpr double kLargestStored = 3.0e38;

std::string FormatNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// A whole, finite decimal number: no trailing text, and none of the other spellings strtod
// would accept ("nan", "inf", hexadecimal "0x10").
bool ParseNumber(const std::string& text, double& value) {
    if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string::npos) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

bool ParseFlag(const std::string& text, double& value) {
    if (text == "1" || text == "on" || text == "true" || text == "yes") {
        value = 1;
        return true;
    }
    if (text == "0" || text == "off" || text == "false" || text == "no") {
        value = 0;
        return true;
    }
    return false;
}

// Rounded to a millionth so that 1000 x 0.18 is exactly the 180 the dialog shows.
double Shown(const Setting& s, double stored, bool inOptionUnits) {
    return inOptionUnits ? std::round(stored * s.shownPerStored * 1e6) / 1e6 : stored;
}

// Shared by both spellings: `name` is how the user wrote the setting, for the message.
bool ParseValue(const Setting& s, const std::string& text, bool inOptionUnits, const std::string& name,
                SettingChange& change, std::string& error) {
    double value = 0;
    bool parsed = false;
    switch (s.kind) {
        case SettingKind::kFlag32:
        case SettingKind::kFlag8:
            parsed = ParseFlag(text, value);
            break;
        case SettingKind::kChoice: {
            const int index = FindChoice(s, text);
            parsed = index >= 0;
            value = index;
            if (!parsed && ParseNumber(text, value)) parsed = true;  // a number out of range, reported below
            break;
        }
        case SettingKind::kReal:
            parsed = ParseNumber(text, value);
            break;
    }
    const std::string takes = name + " (" + s.label + ") takes " + DescribeRange(s, inOptionUnits);
    if (!parsed) {
        error = name + " '" + text + "': not a valid value; " + takes;
        return false;
    }
    const bool inRange =
        !s.limited || (value >= Shown(s, s.minStored, inOptionUnits) && value <= Shown(s, s.maxStored, inOptionUnits));
    const bool whole = s.kind != SettingKind::kChoice || value == std::floor(value);
    if (std::fabs(value) > kLargestStored) {
        error = name + " " + text + ": too large to store; " + takes;
        return false;
    }
    if (!inRange || !whole) {
        error = name + " " + text + ": out of range; " + takes;
        return false;
    }
    change.setting = &s;
    // The dialog turns degrees back into phase units by one single-precision multiplication;
    // doing the same keeps a value typed here equal to the one typed there.
    change.storedValue = inOptionUnits && s.shownPerStored != 1.0
                             ? static_cast<float>(value) * static_cast<float>(1.0 / s.shownPerStored)
                             : static_cast<float>(value);
    return true;
}

}  // namespace

bool ParseOptionValue(const Setting& setting, const std::string& text, SettingChange& change, std::string& error) {
    return ParseValue(setting, text, /*inOptionUnits=*/true, std::string("--") + setting.option, change, error);
}

bool ParseKeyAssignment(const std::string& text, SettingChange& change, std::string& error) {
    const size_t equals = text.find('=');
    const std::string key = text.substr(0, equals);
    const Setting* setting = FindSettingByKey(key);
    if (equals == std::string::npos || setting == nullptr) {
        error = "--set '" + text + "': expected KEY=VALUE with one of the keys listed by --help";
        return false;
    }
    return ParseValue(*setting, text.substr(equals + 1), /*inOptionUnits=*/false, "--set " + key, change, error);
}

std::string DescribeRange(const Setting& s, bool inOptionUnits) {
    switch (s.kind) {
        case SettingKind::kFlag32:
        case SettingKind::kFlag8:
            return "0 or 1";
        case SettingKind::kChoice:
            return "0 to " + FormatNumber(s.maxStored) + " or a name from --list";
        case SettingKind::kReal:
            break;
    }
    if (!s.limited) return "any angle in degrees";
    std::string range = FormatNumber(Shown(s, s.minStored, inOptionUnits)) + " to " +
                        FormatNumber(Shown(s, s.maxStored, inOptionUnits));
    if (inOptionUnits && s.shownPerStored != 1.0) range += " degrees";
    return range;
}

void ApplyChanges(const std::vector<SettingChange>& changes, FilterParameters& params) {
    for (const SettingChange& change : changes) Store(*change.setting, change.storedValue, params);
}

}  // namespace cli
