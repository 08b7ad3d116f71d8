// params/SettingTable.h: every setting of the record, declared once. Scripting, presets, engrave
// and the dialog read their keys, lines, options, labels, ranges and texts from here.
//
// Adding a setting: a field in FilterParameters, a row here, and its use in the renderer. The
// row's place is its place in recorded actions; give it the next preset line and option place.
#pragma once

#include "params/Setting.h"

#include <cstddef>

namespace params {

inline constexpr const char* kPatternNames[] = {
    "Lines",         "Waves 1", "Waves 2",        "Rings",          "Rings waves 1",  "Rings waves 2", "Rings waves 3",
    "Rings waves 4", "Spiral",  "Spiral waves 1", "Spiral waves 2", "Spiral waves 3", "Spiral waves 4"};
inline constexpr const char* kSchemaNames[] = {"Initial color", "Split color", "Black and white"};

constexpr size_t kPatternCount = sizeof kPatternNames / sizeof kPatternNames[0];
constexpr size_t kSchemaCount = sizeof kSchemaNames / sizeof kSchemaNames[0];

using FP = FilterParameters;
constexpr ScriptType kUnitFloat = ScriptType::kUnitFloat;
constexpr ScriptType kBoolean = ScriptType::kBoolean;
constexpr ScriptType kInteger = ScriptType::kInteger;
// Whether the host is told to expect the key: 'Ofst', 'Lvls' and 'Frqn' never were, so actions
// recorded without them still replay silently.
constexpr bool kListed = true;
constexpr bool kUnlisted = false;

// The order of the rows is the order recorded actions have always held the keys in; the
// dialog's own display options, which nothing else carries, come last. Preset comments keep the
// spelling earlier versions wrote, so files stay byte-identical. Two fields are named the other
// way round from the dialog's labels: `contrast` is the control labelled "Threshold" and
// `threshold` the one labelled "Contrast"; options and labels follow the dialog.
inline constexpr Setting kSettings[] = {
    Real("rotation", &FP::rotation, 30)
        .Rotor(1061, "Rotation", "Angle", "Angle for pattern direction")
        .Script("Angl", kUnitFloat, kListed)
        .Preset(1, ";Rotation")
        .Option("rotation", 1),
    Real("offset", &FP::offset, 0)
        .SpinEdit(1113, "Offset", 0, 1000, "Offset", "Shift of geometry elements")
        .Script("Ofst", kUnitFloat, kUnlisted)
        .Preset(2, ";Offset")
        .Option("offset", 2),
    Real("space", &FP::space, 20)
        .SpinEdit(1112, "Space", 5, 100, "Space", "Distance between elements")
        .Script("Spac", kUnitFloat, kListed)
        .Preset(3, ";Space")
        .Option("space", 3),
    Real("width", &FP::width, 100)
        .SpinEdit(1033, "Width", 15, 200, "Width", "Width of geometry elements")
        .Script("Wdth", kUnitFloat, kListed)
        .Preset(4, ";Width")
        .Option("width", 4),
    Real("contrast", &FP::contrast, 0)
        .SpinEdit(1115, "Threshold", -100, 1000, "Retouch", "Retouch merovane picture")
        .Script("Lvls", kUnitFloat, kUnlisted)
        .Preset(5, ";Contrast")
        .Option("threshold", 5),
    Real("randomness", &FP::randomness, 0)
        .SpinEdit(1034, "Randomness", -1000, 1000, "Add relief", "Additional artistic distortion")
        .Script("BRel", kUnitFloat, kListed)
        .Preset(6, ";Randomness")
        .Option("randomness", 6),
    Real("amplitude", &FP::amplitude, 100)
        .SpinEdit(1122, "Amplitude", 0, 1000, "Amplitude", "Waves amplitude")
        .Script("Ampl", kUnitFloat, kListed)
        .Preset(7, ";Amplitude")
        .Option("amplitude", 7),
    Real("frequency", &FP::frequency, 100)
        .SpinEdit(1116, "Frequency", 0, 1000, "Frequency", "Waves frequency")
        .Script("Frqn", kUnitFloat, kUnlisted)
        .Preset(8, ";Frequency")
        .Option("frequency", 8),
    // Held in units of 0.18 degree; the dialog and engrave's option show degrees.
    Real("phaseShift", &FP::phaseShift, 0)
        .SpinEdit(1118, "Shift of phase", -1000, 1000, "Shift", "Shift of wave phase", 0.18)
        .Script("Shif", kUnitFloat, kListed)
        .Preset(9, ";Shift of phase")
        .Option("phase", 9),
    Real("threshold", &FP::threshold, 0)
        .SpinEdit(1114, "Contrast", -300, 300, "Amplification", "Amplify contrast of merovane picture")
        .Script("Usil", kUnitFloat, kListed)
        .Preset(10, ";Threshould")
        .Option("contrast", 10),
    Real("centerX", &FP::centerX, 0)
        .SpinEdit(1123, "Center X", -1000, 1000, "Center X", "Pattern center by X")
        .Script("CntX", kUnitFloat, kListed)
        .Preset(11, ";Center X")
        .Option("center-x", 11),
    Real("centerY", &FP::centerY, 0)
        .SpinEdit(1125, "Center Y", -1000, 1000, "Center Y", "Pattern center by Y")
        .Script("CntY", kUnitFloat, kListed)
        .Preset(12, ";Center Y")
        .Option("center-y", 12),
    // One check box moves both fields: checked is invertIntensity 1 and invert 0.
    Flag32("invertIntensity", &FP::invertIntensity, 1)
        .CheckBox(1043, "Invert", "Invert finally pattern")
        .Complement("Invr")
        .Script("InvI", kBoolean, kListed)
        .Preset(14, ";Invert intensivity")
        .Option("invert", 16, "dark areas get wide elements"),
    Flag32("invert", &FP::invert, 0).Through("Invert").Script("Invr", kBoolean, kListed).Preset(15, ";Invert"),
    // Preset files have never carried it.
    Flag32("solidInk", &FP::solidInk, 0)
        .CheckBox(1104, "Solid Ink", "Draw without antialiasing for screen printing i.e.")
        .Script("AntA", kBoolean, kListed)
        .Option("solid-ink", 19, "no antialiasing"),
    Flag32("notBreak", &FP::notBreak, 0)
        .CheckBox(1046, "Not break", "Lines will have no breaks")
        .Script("NoBr", kBoolean, kListed)
        .Preset(16, ";Not break")
        .Option("not-break", 17, "lines never break"),
    Flag32("useCircles", &FP::useCircles, 0)
        .CheckBox(1064, "Use dots", "Use big elements for pattern")
        .Script("UsBg", kBoolean, kListed)
        .Preset(17, ";Use circles")
        .Option("use-dots", 18, "dots instead of lines"),
    Choice("colorSchema", &FP::colorSchema, 2)
        .List(1062, "Color schema", kSchemaNames, "Color Schema")
        .Script("ClSt", kInteger, kListed)
        .Preset(18, ";Color schema")
        .Option("color-schema", 13),
    Choice("pattern", &FP::pattern, 1)
        .List(1063, "Pattern", kPatternNames, "Geometry elements for merovane pattern")
        .Script("Geom", kInteger, kListed)
        .Preset(19, ";Pattern")
        .Option("pattern", 14),
    Flag8("fillAlpha", &FP::fillAlpha, 1)
        .CheckBox(1075, "Fill alpha", "Set alpha channel as opaque or transparent")
        .Script("FllA", kBoolean, kListed)
        .Preset(20, ";Fill alpha")
        .Option("fill-alpha", 20, "make the result opaque"),
    Real("noise", &FP::noise, 0)
        .SpinEdit(1128, "Noise", 0, 100, "Noise", "Add noise")
        .Script("Nois", kUnitFloat, kListed)
        .Preset(13, ";Noise")
        .Option("noise", 15),
    Flag32("autoUpdate", &FP::autoUpdate, 1)
        .CheckBox(1124, "Auto update", "Automatically update preview window when any parameter is changed"),
    Flag8("checkerBackground", &FP::checkerBackground, 1)
        .CheckBox(1076, "Checkboard background", "Show preview as checkboard or solid"),
};

constexpr size_t kSettingCount = sizeof kSettings / sizeof kSettings[0];

// How many rows each reader carries.
constexpr size_t CountRows(bool (*carries)(const Setting&)) {
    size_t count = 0;
    for (const Setting& s : kSettings) count += carries(s) ? 1 : 0;
    return count;
}
constexpr bool InActions(const Setting& s) {
    return s.key != nullptr;
}
constexpr bool InPresets(const Setting& s) {
    return s.presetLine != 0;
}
constexpr bool HasOption(const Setting& s) {
    return s.option != nullptr;
}
constexpr size_t kScriptKeyCount = CountRows(InActions);
constexpr size_t kPresetLineCount = CountRows(InPresets);
constexpr size_t kOptionCount = CountRows(HasOption);

// The row of a key ("Spac"), a key's code, an option name ("space") or a control id; null when
// no row has it.
const Setting* FindByKey(const char* key);
const Setting* FindByCode(uint32_t code);
const Setting* FindByOption(const char* option);
const Setting* FindByControl(int controlId);

// The row on preset line `line` (1 to kPresetLineCount), or null.
const Setting* PresetRow(int line);
// The option engrave lists at `place` (1 to kOptionCount), or null.
const Setting* OptionRow(int place);

}  // namespace params
