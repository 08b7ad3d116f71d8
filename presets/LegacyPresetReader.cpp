#include "presets/LegacyPresetReader.h"

#include <cstdint>
#include <cstring>

namespace {

// Reads `size` bytes or, at the end of the file, reports false so that the field is left whole
// rather than half overwritten.
bool ReadBytes(std::streambuf& in, unsigned char* bytes, std::streamsize size) {
    return in.sgetn(reinterpret_cast<char*>(bytes), size) == size;
}

}  // namespace

void ReadLegacyPresetBody(std::streambuf& in, FilterParameters& params) {
    unsigned char bytes[4];
    for (uint8_t* field : {&params.colorSchema, &params.pattern}) {
        if (!ReadBytes(in, bytes, 1)) return;
        *field = bytes[0];
    }
    for (int32_t* field : {&params.autoUpdate, &params.invertIntensity, &params.solidInk, &params.invert,
                           &params.notBreak, &params.useCircles}) {
        if (!ReadBytes(in, bytes, 1)) return;
        const uint32_t upper = static_cast<uint32_t>(*field) & 0xFFFFFF00u;
        *field = static_cast<int32_t>(upper | bytes[0]);
    }
    for (float* field : {&params.rotation, &params.space, &params.offset, &params.width, &params.contrast,
                         &params.randomness, &params.amplitude, &params.frequency, &params.phaseShift,
                         &params.threshold, &params.centerX, &params.centerY}) {
        if (!ReadBytes(in, bytes, 4)) return;
        const uint32_t bits = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                              (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
        std::memcpy(field, &bits, sizeof bits);
    }
}
