// params/Setting.h: one row of the setting table: a field of the record with what the dialog,
// recorded actions, preset files and engrave each need to know about it.
#pragma once

#include "params/FilterParameters.h"

#include <cstddef>
#include <cstdint>

namespace params {

// How the record holds the value.
enum class FieldKind {
    kReal,    // float
    kChoice,  // 8-bit index into the row's names (pattern, colour schema)
    kFlag32,  // 32-bit boolean
    kFlag8,   // 8-bit boolean
};

// How recorded actions carry the value.
enum class ScriptType {
    kNone,       // not in actions
    kUnitFloat,  // a percent unit float (a double in the descriptor)
    kBoolean,
    kInteger,
};

// The dialog's control for the setting.
enum class ControlKind { kNone, kSpinEdit, kRotor, kList, kCheckBox };

struct Setting {
    // The record.
    const char* field;  // the field's name, for messages and tests
    FieldKind kind;
    float FilterParameters::*real;      // kReal
    int32_t FilterParameters::*flag32;  // kFlag32
    uint8_t FilterParameters::*byte;    // kChoice, kFlag8
    double defaultValue;                // in the record's units

    // The dialog.
    ControlKind control;
    int controlId;             // 0 when the dialog has no control of its own for it
    const char* label;         // the text beside the control (a check box's own text)
    const char* setValueName;  // the name the "Set value" window shows; the rotor's name
    const char* tooltip;
    bool limited;      // false: any finite value (the rotor turns without end)
    double minStored;  // the dialog's range, in the record's units
    double maxStored;
    double shownPerStored;       // shown value per record unit (0.18: the phase shows degrees)
    const char* const* choices;  // kChoice: the list's entries, index = value
    size_t choiceCount;
    const char* complementKey;  // a field the control sets to the opposite value ("Invr"), or null

    // Recorded actions.
    const char* key;  // four-character descriptor key, or null; presets use the same code
    ScriptType scriptType;
    bool listed;  // announced to the host as expected, so a missing one is reported

    // Preset files.
    int presetLine;             // 1-based line after the header; 0 when presets leave it out
    const char* presetComment;  // written after the value for people reading the file

    // engrave.
    const char* option;      // without "--"; null when only --set reaches the key
    int optionPlace;         // engrave's help lists options in this order
    const char* optionHelp;  // for options that take no value: what switching it on does

    // Row builders: each adds one reader's columns, so a row reads as one sentence.
    constexpr Setting SpinEdit(int id, const char* text, double min, double max, const char* name, const char* tip,
                               double shown = 1.0) const {
        Setting s = *this;
        s.control = ControlKind::kSpinEdit;
        s.controlId = id;
        s.label = text;
        s.limited = true;
        s.minStored = min;
        s.maxStored = max;
        s.setValueName = name;
        s.tooltip = tip;
        s.shownPerStored = shown;
        return s;
    }
    constexpr Setting Rotor(int id, const char* text, const char* name, const char* tip) const {
        Setting s = *this;
        s.control = ControlKind::kRotor;
        s.controlId = id;
        s.label = text;
        s.setValueName = name;
        s.tooltip = tip;
        s.limited = false;
        return s;
    }
    template <size_t N>
    constexpr Setting List(int id, const char* text, const char* const (&names)[N], const char* tip) const {
        Setting s = *this;
        s.control = ControlKind::kList;
        s.controlId = id;
        s.label = text;
        s.tooltip = tip;
        s.choices = names;
        s.choiceCount = N;
        s.maxStored = static_cast<double>(N - 1);
        return s;
    }
    constexpr Setting CheckBox(int id, const char* text, const char* tip) const {
        Setting s = *this;
        s.control = ControlKind::kCheckBox;
        s.controlId = id;
        s.label = text;
        s.tooltip = tip;
        return s;
    }
    // A field the dialog moves through another setting's control.
    constexpr Setting Through(const char* text) const {
        Setting s = *this;
        s.label = text;
        return s;
    }
    constexpr Setting Complement(const char* otherKey) const {
        Setting s = *this;
        s.complementKey = otherKey;
        return s;
    }
    constexpr Setting Script(const char* fourChars, ScriptType type, bool listedToHost) const {
        Setting s = *this;
        s.key = fourChars;
        s.scriptType = type;
        s.listed = listedToHost;
        return s;
    }
    constexpr Setting Preset(int line, const char* comment) const {
        Setting s = *this;
        s.presetLine = line;
        s.presetComment = comment;
        return s;
    }
    constexpr Setting Option(const char* name, int place, const char* help = nullptr) const {
        Setting s = *this;
        s.option = name;
        s.optionPlace = place;
        s.optionHelp = help;
        return s;
    }
};

// A four-character code with its first character in the most significant byte, as the host's
// scripting keys are held.
constexpr uint32_t FourCharCode(const char* text) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(text[0])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 8) |
           static_cast<uint32_t>(static_cast<uint8_t>(text[3]));
}

// The first column of every row: the field, its kind and its default.
constexpr Setting Real(const char* name, float FilterParameters::*field, double defaultValue) {
    Setting s{};
    s.field = name;
    s.kind = FieldKind::kReal;
    s.real = field;
    s.defaultValue = defaultValue;
    s.shownPerStored = 1.0;
    return s;
}
constexpr Setting Flag32(const char* name, int32_t FilterParameters::*field, int defaultValue) {
    Setting s{};
    s.field = name;
    s.kind = FieldKind::kFlag32;
    s.flag32 = field;
    s.defaultValue = defaultValue;
    s.limited = true;
    s.maxStored = 1.0;
    s.shownPerStored = 1.0;
    return s;
}
constexpr Setting Flag8(const char* name, uint8_t FilterParameters::*field, int defaultValue) {
    Setting s = Flag32(name, nullptr, defaultValue);
    s.kind = FieldKind::kFlag8;
    s.byte = field;
    return s;
}
constexpr Setting Choice(const char* name, uint8_t FilterParameters::*field, int defaultValue) {
    Setting s = Flag8(name, field, defaultValue);
    s.kind = FieldKind::kChoice;
    return s;
}

}  // namespace params
