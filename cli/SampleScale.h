// cli/SampleScale.h: 16-bit samples between files (0..65535) and the host (0..32768, its white).
// Both directions round to nearest. A host value survives file and back exactly, so an
// engraving written and read again is unchanged; a file value comes back within 1 of itself,
// because 65536 file levels share 32769 host levels.
#pragma once

#include <cstdint>

namespace cli {

constexpr uint16_t FileToHost16(uint16_t fileValue) {
    return static_cast<uint16_t>((uint64_t{fileValue} * 32768u * 2u + 65535u) / (2u * 65535u));
}

// Values above 32768 (never produced by the host) are taken as white.
constexpr uint16_t HostToFile16(uint16_t hostValue) {
    const uint64_t value = hostValue > 32768u ? 32768u : hostValue;
    return static_cast<uint16_t>((value * 65535u * 2u + 32768u) / 65536u);
}

}  // namespace cli
