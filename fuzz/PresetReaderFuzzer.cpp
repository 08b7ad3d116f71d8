// Feeds arbitrary bytes to PresetReader as a preset file, then checks that whatever the file
// left in the record is written as a file that reads back and writes again identically.
#include "presets/PresetReader.h"
#include "presets/PresetWriter.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

bool AllRealsFinite(const FilterParameters& p) {
    for (float v : {p.rotation, p.space, p.offset, p.width, p.contrast, p.randomness, p.amplitude, p.frequency,
                    p.phaseShift, p.threshold, p.centerX, p.centerY, p.noise}) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FilterParameters params = DefaultParameters();
    std::stringbuf file(std::string(reinterpret_cast<const char*>(data), size));
    PresetReader(file, params);

    const std::string written = FormatPresetText(params);
    FilterParameters again = DefaultParameters();
    std::stringbuf writtenFile(written);
    if (!PresetReader(writtenFile, again)) __builtin_trap();
    // Infinities and NaN print as words that read back as 0; every finite value is stable.
    if (AllRealsFinite(params) && FormatPresetText(again) != written) __builtin_trap();
    return 0;
}
