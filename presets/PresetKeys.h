// presets/PresetKeys.h: the twenty parameters a preset file carries, in file order.
#pragma once

#include "host/FilterParameters.h"

#include <cstddef>
#include <cstdint>

// A four-character code with its first character in the most significant byte, as the
// host's scripting keys are held; the file carries it in little-endian byte order.
constexpr uint32_t PresetCode(const char (&text)[5]) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(text[0])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 8) |
           static_cast<uint32_t>(static_cast<uint8_t>(text[3]));
}

enum class PresetValueKind {
    kReal,    // float field, written "%f"
    kBool32,  // 32-bit boolean field, written "%d" from its lowest byte
    kByte,    // 8-bit field, written "%d"
};

struct PresetKey {
    uint32_t code;
    PresetValueKind kind;
    float FilterParameters::*real;      // set when kind is kReal
    int32_t FilterParameters::*bool32;  // set when kind is kBool32
    uint8_t FilterParameters::*byte;    // set when kind is kByte
    const char* comment;                // for people reading the file; never parsed
};

constexpr size_t kPresetKeyCount = 20;
extern const PresetKey kPresetKeys[kPresetKeyCount];

// The row for `code`, or nullptr when the code is not one of the twenty (0 included).
const PresetKey* FindPresetKey(uint32_t code);
