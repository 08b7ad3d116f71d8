#include "cli/SettingChange.h"

#include "params/SettingValues.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace cli {

namespace {

using params::FieldKind;

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

double Shown(const Setting& s, double stored, bool inOptionUnits) {
    return inOptionUnits ? params::Shown(s, stored) : stored;
}

std::string Normalised(const std::string& text) {
    std::string out;
    for (char c : text)
        out += (c == '-' || c == '_') ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Shared by both spellings: `name` is how the user wrote the setting, for the message.
bool ParseValue(const Setting& s, const std::string& text, bool inOptionUnits, const std::string& name,
                SettingChange& change, std::string& error) {
    double value = 0;
    bool parsed = false;
    switch (s.kind) {
        case FieldKind::kFlag32:
        case FieldKind::kFlag8:
            parsed = ParseFlag(text, value);
            break;
        case FieldKind::kChoice: {
            const int index = FindChoice(s, text);
            parsed = index >= 0;
            value = index;
            if (!parsed && ParseNumber(text, value)) parsed = true;  // a number out of range, reported below
            break;
        }
        case FieldKind::kReal:
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
    const bool whole = s.kind != FieldKind::kChoice || value == std::floor(value);
    if (std::fabs(value) > kLargestStored) {
        error = name + " " + text + ": too large to store; " + takes;
        return false;
    }
    if (!inRange || !whole) {
        error = name + " " + text + ": out of range; " + takes;
        return false;
    }
    change.setting = &s;
    change.storedValue = inOptionUnits ? params::StoredFromShown(s, value) : static_cast<float>(value);
    return true;
}

}  // namespace

bool ParseOptionValue(const Setting& setting, const std::string& text, SettingChange& change, std::string& error) {
    return ParseValue(setting, text, /*inOptionUnits=*/true, std::string("--") + setting.option, change, error);
}

bool ParseKeyAssignment(const std::string& text, SettingChange& change, std::string& error) {
    const size_t equals = text.find('=');
    const std::string key = text.substr(0, equals);
    const Setting* setting = params::FindByKey(key.c_str());
    if (equals == std::string::npos || setting == nullptr) {
        error = "--set '" + text + "': expected KEY=VALUE with one of the keys listed by --help";
        return false;
    }
    return ParseValue(*setting, text.substr(equals + 1), /*inOptionUnits=*/false, "--set " + key, change, error);
}

std::string DescribeRange(const Setting& s, bool inOptionUnits) {
    switch (s.kind) {
        case FieldKind::kFlag32:
        case FieldKind::kFlag8:
            return "0 or 1";
        case FieldKind::kChoice:
            return "0 to " + FormatNumber(s.maxStored) + " or a name from --list";
        case FieldKind::kReal:
            break;
    }
    if (!s.limited) return "any angle in degrees";
    std::string range = FormatNumber(Shown(s, s.minStored, inOptionUnits)) + " to " +
                        FormatNumber(Shown(s, s.maxStored, inOptionUnits));
    if (inOptionUnits && s.shownPerStored != 1.0) range += " degrees";
    return range;
}

int FindChoice(const Setting& setting, const std::string& text) {
    const std::string wanted = Normalised(text);
    for (size_t i = 0; i < setting.choiceCount; ++i)
        if (wanted == Normalised(setting.choices[i])) return static_cast<int>(i);
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return -1;
    const long index = text.size() > 3 ? -1 : std::strtol(text.c_str(), nullptr, 10);
    return index >= 0 && index < static_cast<long>(setting.choiceCount) ? static_cast<int>(index) : -1;
}

void ApplyChanges(const std::vector<SettingChange>& changes, FilterParameters& params) {
    for (const SettingChange& change : changes) params::Store(*change.setting, change.storedValue, params);
}

}  // namespace cli
