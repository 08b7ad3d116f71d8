#include "presets/PresetKeys.h"

namespace {

constexpr PresetKey Real(const char (&code)[5], float FilterParameters::*field, const char* comment) {
    return {PresetCode(code), PresetValueKind::kReal, field, nullptr, nullptr, comment};
}
constexpr PresetKey Bool32(const char (&code)[5], int32_t FilterParameters::*field, const char* comment) {
    return {PresetCode(code), PresetValueKind::kBool32, nullptr, field, nullptr, comment};
}
constexpr PresetKey Byte(const char (&code)[5], uint8_t FilterParameters::*field, const char* comment) {
    return {PresetCode(code), PresetValueKind::kByte, nullptr, nullptr, field, comment};
}

}  // namespace

// The order is the file's line order; the comments (and their spelling) are what earlier
// versions wrote, so files stay byte-identical.
const PresetKey kPresetKeys[kPresetKeyCount] = {
    Real("Angl", &FilterParameters::rotation, ";Rotation"),
    Real("Ofst", &FilterParameters::offset, ";Offset"),
    Real("Spac", &FilterParameters::space, ";Space"),
    Real("Wdth", &FilterParameters::width, ";Width"),
    Real("Lvls", &FilterParameters::contrast, ";Contrast"),
    Real("BRel", &FilterParameters::randomness, ";Randomness"),
    Real("Ampl", &FilterParameters::amplitude, ";Amplitude"),
    Real("Frqn", &FilterParameters::frequency, ";Frequency"),
    Real("Shif", &FilterParameters::phaseShift, ";Shift of phase"),
    Real("Usil", &FilterParameters::threshold, ";Threshould"),
    Real("CntX", &FilterParameters::centerX, ";Center X"),
    Real("CntY", &FilterParameters::centerY, ";Center Y"),
    Real("Nois", &FilterParameters::noise, ";Noise"),
    Bool32("InvI", &FilterParameters::invertIntensity, ";Invert intensivity"),
    Bool32("Invr", &FilterParameters::invert, ";Invert"),
    Bool32("NoBr", &FilterParameters::notBreak, ";Not break"),
    Bool32("UsBg", &FilterParameters::useCircles, ";Use circles"),
    Byte("ClSt", &FilterParameters::colorSchema, ";Color schema"),
    Byte("Geom", &FilterParameters::pattern, ";Pattern"),
    Byte("FllA", &FilterParameters::fillAlpha, ";Fill alpha"),
};

const PresetKey* FindPresetKey(uint32_t code) {
    for (const PresetKey& key : kPresetKeys) {
        if (key.code == code) return &key;
    }
    return nullptr;
}
