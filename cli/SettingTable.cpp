#include "cli/SettingTable.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace cli {

namespace {

constexpr Setting Real(const char* key, const char* option, const char* label, const char* meaning,
                       float FilterParameters::*field, double minStored, double maxStored,
                       double shownPerStored = 1.0) {
    return Setting{key,
                   option,
                   label,
                   meaning,
                   SettingKind::kReal,
                   field,
                   nullptr,
                   nullptr,
                   /*limited=*/true,
                   minStored,
                   maxStored,
                   shownPerStored};
}
// The rotation dial turns freely, whole turns included, so any finite angle is taken.
constexpr Setting FreeReal(const char* key, const char* option, const char* label, const char* meaning,
                           float FilterParameters::*field) {
    return Setting{key, option, label, meaning, SettingKind::kReal, field, nullptr, nullptr, false, 0, 0, 1};
}
constexpr Setting Flag32(const char* key, const char* option, const char* label, const char* meaning,
                         int32_t FilterParameters::*field) {
    return Setting{key, option, label, meaning, SettingKind::kFlag32, nullptr, field, nullptr, true, 0, 1, 1};
}
constexpr Setting Flag8(const char* key, const char* option, const char* label, const char* meaning,
                        uint8_t FilterParameters::*field) {
    return Setting{key, option, label, meaning, SettingKind::kFlag8, nullptr, nullptr, field, true, 0, 1, 1};
}
constexpr Setting Choice(const char* key, const char* option, const char* label, const char* meaning,
                         uint8_t FilterParameters::*field, double maxIndex) {
    return Setting{key, option, label, meaning, SettingKind::kChoice, nullptr, nullptr, field, true, 0, maxIndex, 1};
}

std::string Normalised(const std::string& text) {
    std::string out;
    for (char c : text)
        out += (c == '-' || c == '_') ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

// In the order actions record them, so that listings read like the recorded action.
const Setting kSettings[kSettingCount] = {
    FreeReal("Angl", "rotation", "Rotation", "pattern direction, degrees", &FilterParameters::rotation),
    Real("Ofst", "offset", "Offset", "shift of the geometry elements", &FilterParameters::offset, 0, 1000),
    Real("Spac", "space", "Space", "distance between elements", &FilterParameters::space, 5, 100),
    Real("Wdth", "width", "Width", "width of the geometry elements", &FilterParameters::width, 15, 200),
    Real("Lvls", "threshold", "Threshold", "retouch of the engraved picture", &FilterParameters::contrast, -100, 1000),
    Real("BRel", "randomness", "Randomness", "additional artistic distortion", &FilterParameters::randomness, -1000,
         1000),
    Real("Ampl", "amplitude", "Amplitude", "waves amplitude", &FilterParameters::amplitude, 0, 1000),
    Real("Frqn", "frequency", "Frequency", "waves frequency", &FilterParameters::frequency, 0, 1000),
    Real("Shif", "phase", "Shift of phase", "shift of wave phase (the option in degrees, the key in 0.18 degree)",
         &FilterParameters::phaseShift, -1000, 1000, 0.18),
    Real("Usil", "contrast", "Contrast", "amplified contrast of the engraved picture", &FilterParameters::threshold,
         -300, 300),
    Real("CntX", "center-x", "Center X", "pattern centre across, -1000 left edge .. 1000 right edge",
         &FilterParameters::centerX, -1000, 1000),
    Real("CntY", "center-y", "Center Y", "pattern centre down, -1000 top edge .. 1000 bottom edge",
         &FilterParameters::centerY, -1000, 1000),
    Flag32("InvI", "invert", "Invert", "dark areas get wide elements", &FilterParameters::invertIntensity),
    Flag32("Invr", nullptr, "Invert", "swap ink and paper (the dialog keeps it opposite to InvI)",
           &FilterParameters::invert),
    Flag32("AntA", "solid-ink", "Solid Ink", "draw without antialiasing", &FilterParameters::solidInk),
    Flag32("NoBr", "not-break", "Not break", "lines never break", &FilterParameters::notBreak),
    Flag32("UsBg", "use-dots", "Use dots", "dots instead of continuous elements", &FilterParameters::useCircles),
    Choice("ClSt", "color-schema", "Color schema", "how ink and colour combine", &FilterParameters::colorSchema, 2),
    Choice("Geom", "pattern", "Pattern", "kind of geometry", &FilterParameters::pattern, 12),
    Flag8("FllA", "fill-alpha", "Fill alpha", "make the result opaque when there is opacity",
          &FilterParameters::fillAlpha),
    Real("Nois", "noise", "Noise", "added noise", &FilterParameters::noise, 0, 100),
};

const char* const kPatternNames[kPatternCount] = {
    "Lines",         "Waves 1", "Waves 2",        "Rings",          "Rings waves 1",  "Rings waves 2", "Rings waves 3",
    "Rings waves 4", "Spiral",  "Spiral waves 1", "Spiral waves 2", "Spiral waves 3", "Spiral waves 4"};
const char* const kSchemaNames[kSchemaCount] = {"Initial color", "Split color", "Black and white"};

const Setting* FindSettingByKey(const std::string& key) {
    for (const Setting& s : kSettings)
        if (key == s.key) return &s;
    return nullptr;
}

const Setting* FindSettingByOption(const std::string& option) {
    for (const Setting& s : kSettings)
        if (s.option != nullptr && option == s.option) return &s;
    return nullptr;
}

int FindChoice(const Setting& setting, const std::string& text) {
    const bool isPattern = setting.byte == &FilterParameters::pattern;
    const char* const* names = isPattern ? kPatternNames : kSchemaNames;
    const size_t count = isPattern ? kPatternCount : kSchemaCount;
    const std::string wanted = Normalised(text);
    for (size_t i = 0; i < count; ++i)
        if (wanted == Normalised(names[i])) return static_cast<int>(i);
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return -1;
    const long index = text.size() > 3 ? -1 : std::strtol(text.c_str(), nullptr, 10);
    return index >= 0 && index < static_cast<long>(count) ? static_cast<int>(index) : -1;
}

double StoredValue(const Setting& setting, const FilterParameters& params) {
    switch (setting.kind) {
        case SettingKind::kReal:
            return params.*setting.real;
        case SettingKind::kFlag32:
            return (params.*setting.flag32) != 0 ? 1 : 0;
        case SettingKind::kFlag8:
            return (params.*setting.byte) != 0 ? 1 : 0;
        case SettingKind::kChoice:
            return params.*setting.byte;
    }
    return 0;
}

void Store(const Setting& setting, double storedValue, FilterParameters& params) {
    switch (setting.kind) {
        case SettingKind::kReal:
            params.*setting.real = static_cast<float>(storedValue);
            break;
        case SettingKind::kFlag32:
            params.*setting.flag32 = storedValue != 0 ? 1 : 0;
            break;
        case SettingKind::kFlag8:
            params.*setting.byte = storedValue != 0 ? 1 : 0;
            break;
        case SettingKind::kChoice:
            params.*setting.byte = static_cast<uint8_t>(storedValue);
            break;
    }
}

}  // namespace cli
